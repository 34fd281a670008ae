#include "app/site/bars/CDlgPanoBarModel.h"

#include "app/site/bars/tbPanoramaNames.h"
#include "app/site/tbCubeFaceNames.h"
#include "app/site/tbProject_flyingsite.h"
#include "engine/core/utilsStrings.h"

namespace sitebars {

PanoBarModel::PanoBarModel(SiteAccess site, Operations ops, std::string folder)
    : site_(std::move(site)), ops_(std::move(ops)), folder_(std::move(folder)), faces_(kCubeFaceNames.begin(),
                                                                                      kCubeFaceNames.end()) {}

const std::vector<std::string>& PanoBarModel::imageFilters() {
    // One entry for every kind at once: the browser sorts its types and opens
    // on the first, and a lone "*.bmp" there hid the other pictures.
    static const std::vector<std::string> filters = {"*.bmp; *.jpg; *.dds; *.png"};
    return filters;
}

void PanoBarModel::useMode(bool sphere) {
    sphere_ = sphere;
    if (sphere)
        faces_ = {kSpherical};
    else
        faces_.assign(kCubeFaceNames.begin(), kCubeFaceNames.end());
    face_ = 0;
}

void PanoBarModel::cubeClicked() { modeClicked(false); }
void PanoBarModel::sphereClicked() { modeClicked(true); }

void PanoBarModel::modeClicked(bool sphere) {
    if (tbProject_flyingsite* site = site_()) {
        useMode(sphere);
        site->setImageMode(sphere ? 1 : 0);
    }
    showSelectedImage();
}

void PanoBarModel::faceSelected(const std::string& text) {
    for (size_t i = 0; i < faces_.size(); ++i)
        if (faces_[i] == text) face_ = int(i);
    showSelectedImage();
}

uint32_t PanoBarModel::selectedSlot() const {
    if (face_ < 0 || size_t(face_) >= faces_.size()) return 0;
    for (size_t slot = 0; slot < kCubeFaceNames.size(); ++slot)
        if (faces_[size_t(face_)] == kCubeFaceNames[slot]) return uint32_t(slot);
    return 0;
}

void PanoBarModel::showSelectedImage() {
    if (const tbProject_flyingsite* site = site_())
        image_ = utils::getFileName(sphere_ ? site->getSphereImageName()
                                            : site->getCubeImageName(int(selectedSlot())));
    notify(changed);
}

std::string PanoBarModel::choosePicture() {
    if (!ops_.chooseFile) return {};
    tbFileRequest request;
    request.filters = imageFilters();
    request.folder = folder_;
    request.title = "Select image";
    request.okText = "Select";
    return ops_.chooseFile(request);
}

void PanoBarModel::browseClicked() {
    tbProject_flyingsite* site = site_();
    const std::string path = site ? choosePicture() : std::string();
    if (path.empty()) return;
    image_ = utils::getFileName(path);
    if (sphere_)
        site->setSphereImage(path);
    else
        site->setCubeImage(selectedSlot(), path);
    notify(changed);
}

void PanoBarModel::autoClicked() {
    tbProject_flyingsite* site = site_();
    const std::string path = site ? choosePicture() : std::string();
    if (path.empty()) return;
    if (sphere_) {
        site->setSphereImage(path);
    } else {
        const auto names = tbAutoFaceNames(path);
        if (!names) {
            if (ops_.tell) ops_.tell(kNoFaceNumberMessage);
            return;
        }
        for (size_t slot = 0; slot < names->size(); ++slot) site->setCubeImage(uint32_t(slot), (*names)[slot]);
    }
    face_ = 0;
    showSelectedImage();
}

void PanoBarModel::resetClicked() {
    if (tbProject_flyingsite* site = site_()) site->resetPanoramaOrientation();
}

void PanoBarModel::interiorClicked(bool checked) {
    if (tbProject_flyingsite* site = site_()) {
        interior_ = checked;
        site->setInterior(checked);
    }
    notify(changed);
}

void PanoBarModel::reverbClicked(bool checked) {
    if (tbProject_flyingsite* site = site_()) {
        reverb_ = checked;
        site->setReverb(checked);
    }
    notify(changed);
}

void PanoBarModel::browseSoundClicked() {
    tbProject_flyingsite* site = site_();
    if (!site || !ops_.chooseFile) return;
    tbFileRequest request;
    request.filters = {"*.wav"};
    // The sounds sit with the pictures of the sites that come with the program.
    request.folder = folder_;
    request.title = "Select ambient effects";
    request.okText = "Select";
    const std::string path = ops_.chooseFile(request);
    if (path.empty()) return;
    site->setAmbientSound(path);
    sound_ = path;
    notify(changed);
}

void PanoBarModel::noSoundClicked() {
    tbProject_flyingsite* site = site_();
    if (!site) return;
    site->setAmbientSound("");
    sound_ = kNoSound;
    notify(changed);
}

void PanoBarModel::showPanorama(uint32_t imageMode, bool interior, bool reverb, const std::string& ambientSound) {
    useMode(imageMode != 0);
    interior_ = interior;
    reverb_ = reverb;
    sound_ = ambientSound.empty() ? kNoSound : ambientSound;
    showSelectedImage();
}

}  // namespace sitebars
