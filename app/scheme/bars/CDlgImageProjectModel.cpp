#include "app/scheme/bars/CDlgImageProjectModel.h"

#include <algorithm>
#include <cctype>

#include "app/scheme/tbGeometry.h"
#include "app/shell/tbCommandWindows.h"

namespace bars {

namespace {

tbProjectionSlotSettings defaultSlot() {
    tbProjectionSlotSettings slot;
    slot.threshold = 50;
    slot.doubleSided = 0;
    slot.wrapMode = 0;
    slot.imageName = ImageProjectModel::kNoImage;
    slot.show = 1;
    return slot;
}

// The file name after the last separator.
std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder of a path with its separator, as the browser takes it.
std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

}  // namespace bars

uint32_t tbReadThreshold(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Digits past the limit change nothing, so a long number cannot overflow.
    uint32_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = std::min<uint32_t>(value * 10 + static_cast<uint32_t>(text[i] - '0'), bars::ImageProjectModel::kMaxThreshold);
    }
    return negative ? 0 : value;
}

namespace bars {

ImageProjectModel::ImageProjectModel(tbToolSettingsBinding& binding, tbBarTarget target, Operations operations,
                                     std::string startFolder)
    : m_binding(binding), m_target(std::move(target)), m_ops(std::move(operations)), m_lastFolder(std::move(startFolder)) {
    m_slots.fill(defaultSlot());
}

void ImageProjectModel::clearImages() {
    tbGeometry* model = m_target.current();
    if (!model || !m_ops.loadImage) return;
    for (uint32_t i = 0; i < kSlots; ++i) m_ops.loadImage(*model, i, std::string());
}

void ImageProjectModel::resetSlots() {
    m_slots.fill(defaultSlot());
    clearImages();
    m_binding.changed();
    showAgain();
}

void ImageProjectModel::reset() {
    m_current = 0;
    resetSlots();
}

void ImageProjectModel::slotSelected(int selection) {
    if (selection < 0 || selection >= kSlots) return;
    m_current = static_cast<uint32_t>(selection);
    m_binding.changed();
}

void ImageProjectModel::wrapSelected(int selection) {
    if (selection < 0 || selection > 1) return;
    editedSlot().wrapMode = static_cast<uint32_t>(selection);
    m_binding.changed();
}

void ImageProjectModel::thresholdEdited(const std::string& text) {
    editedSlot().threshold = tbReadThreshold(text);
    m_binding.changed();
}

void ImageProjectModel::sidedToggled() {
    editedSlot().doubleSided ^= 1;
    m_binding.changed();
}

void ImageProjectModel::showToggled(bool shown) {
    editedSlot().show = shown ? 1 : 0;
    m_binding.changed();
}

void ImageProjectModel::browse() {
    tbGeometry* model = m_target.current();
    if (!model || !m_ops.chooseFile) return;
    tbFileRequest request;
    request.filters = {"*.bmp", "*.jpg", "*.tga", "*.png", "*.dds", "*.hdr", "*.ppm", "*.pfm", "*.dib"};
    request.folder = m_lastFolder;
    request.title = "Select Image";
    request.okText = "Select";
    const std::string path = m_ops.chooseFile(request);
    if (path.empty()) return;
    editedSlot().imagePath = path;
    editedSlot().imageName = fileNameOf(path);
    if (m_ops.loadImage) m_ops.loadImage(*model, m_current, path);
    m_lastFolder = folderOf(path);
    m_binding.changed();
}

void ImageProjectModel::performProjection() {
    tbGeometry* model = m_target.current();
    if (!model) return;
    if (m_ops.projectImages) m_ops.projectImages(*model);
    if (m_target.pushUndo) m_target.pushUndo(*model);
}

void ImageProjectModel::store(tbToolSettings& settings) const {
    settings.projectionSlot = m_current;
    for (int i = 0; i < kSlots; ++i) settings.projectionSlots[i] = m_slots[i];
    settings.projectionLastFolder = m_lastFolder;
}

void ImageProjectModel::show(const tbToolSettings& settings) {
    // The opened model has loaded each slot's image and put it where the
    // file placed it; loading it again here would put every slot back at
    // its start, and the next save would keep that.
    m_current = settings.projectionSlot < kSlots ? settings.projectionSlot : 0;
    for (uint32_t i = 0; i < kSlots; ++i) {
        tbProjectionSlotSettings slot = settings.projectionSlots[i];
        // Held as the edit holds a typed threshold and as the lists offer.
        slot.threshold = std::min(slot.threshold, kMaxThreshold);
        slot.doubleSided = slot.doubleSided != 0 ? 1 : 0;
        slot.wrapMode = slot.wrapMode != 0 ? 1 : 0;
        slot.show = slot.show != 0 ? 1 : 0;
        m_slots[i] = std::move(slot);
    }
    m_lastFolder = settings.projectionLastFolder;
    showAgain();
}

}  // namespace bars
