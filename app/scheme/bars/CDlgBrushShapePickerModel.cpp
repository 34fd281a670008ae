#include "app/scheme/bars/CDlgBrushShapePickerModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/shell/tbFileBytes.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simResources.h"
#include "platform/d3dx/d3dxImageDecode.h"

namespace bars {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDecalFolder = "tolvaneBuilder/decals";
// A decal is a small picture; anything larger than this is not read.
constexpr uint64_t kMaxDecalBytes = 64ull << 20;

std::vector<std::string> sortedEntries(const fs::path& folder, bool folders) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const bool isFolder = it->is_directory(error);
        if (folders ? isFolder : it->is_regular_file(error) && it->path().extension() == ".bmp")
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// One folder's rows: its files, under a folder row unless the folder is the
// program's decal folder itself.
void addFolder(const std::string& root, int rootKind, const std::string& subFolder, const std::string& folderImage,
               std::vector<DecalRow>& rows) {
    const fs::path folder = fs::path(root) / subFolder;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return;
    const std::vector<std::string> files = sortedEntries(folder, false);
    int parent = -1;
    if (subFolder != kDecalFolder) {
        parent = static_cast<int>(rows.size());
        DecalRow row;
        row.text = fs::path(subFolder).filename().string() + " (" + std::to_string(files.size()) + ")";
        row.imagePath = folderImage;
        rows.push_back(row);
    }
    for (const std::string& file : files) {
        DecalRow row;
        row.text = fs::path(file).stem().string();
        row.parent = parent;
        row.imagePath = (folder / file).string();
        row.rootKind = rootKind;
        row.subFolder = subFolder;
        row.fileName = file;
        rows.push_back(row);
    }
}

}  // namespace

std::vector<DecalRow> tbListDecals(const DecalFolders& folders) {
    std::vector<DecalRow> rows;
    DecalRow brush;
    brush.text = "Brush";
    brush.imagePath = (fs::path(folders.resources) / "tolvaneBuilder/brush.bmp").string();
    brush.fileName = "Brush";
    rows.push_back(brush);
    const std::string folderImage = (fs::path(folders.resources) / "tolvaneBuilder/folder.bmp").string();
    addFolder(folders.resources, simRootKind_resources, kDecalFolder, folderImage, rows);
    addFolder(folders.settings, simRootKind_settings, "Decals", folderImage, rows);
    for (const std::string& sub : sortedEntries(fs::path(folders.resources) / kDecalFolder, true))
        addFolder(folders.resources, simRootKind_resources, std::string(kDecalFolder) + "/" + sub, folderImage, rows);
    return rows;
}

bool tbReadDecalPicture(const std::string& path, d3dx::Bitmap& picture, d3dx::ImageInfo& info) {
    std::vector<uint8_t> bytes;
    return tbReadWholeFile(path, bytes, kMaxDecalBytes) &&
           d3dx::readPicture(bytes.data(), bytes.size(), &picture, &info).ok();
}

d3dx::Bitmap tbDecalThumbnail(const std::string& path) {
    d3dx::Bitmap picture;
    d3dx::ImageInfo info;
    if (!tbReadDecalPicture(path, picture, info)) return {};
    // Halving with a box average first keeps a large picture from
    // aliasing in the final linear step.
    constexpr uint32_t size = BrushShapePickerModel::kThumbnailSize;
    while (picture.width >= 2 * size && picture.height >= 2 * size)
        picture = d3dx::nextMipLevel(picture, d3dx::kFilterBox);
    return d3dx::resizeBitmap(picture, size, size, d3dx::kFilterLinear);
}

std::optional<std::string> BrushShapePickerModel::select(const DecalRow* row) {
    if (!row || !row->choosable()) return std::nullopt;
    simTexture* texture = textureOf_ ? textureOf_(*row) : nullptr;
    tools_.setBrushTexture(texture);
    return texture ? row->imagePath : plainBrushImage_;
}

}  // namespace bars
