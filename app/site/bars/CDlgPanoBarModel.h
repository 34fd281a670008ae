// What the panorama bar decides, without a window: six cube faces or one
// spherical picture, which face the list names and the file name of its
// picture, the pictures chosen one by one or all six at once ("Auto"), the
// "Interior" and "Reverb" switches and the ambient sound.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/tbCommandWindows.h"
#include "app/site/bars/tbSiteAccess.h"

namespace sitebars {

class PanoBarModel {
public:
    enum : int {
        idCube = 1135,
        idSphere = 1136,
        idFace = 1138,
        idImage = 1017,
        idBrowse = 1012,
        idAuto = 1156,
        idReset = 1157,
        idInterior = 1137,
        idSound = 1188,
        idBrowseSound = 1189,
        idNoSound = 1192,
        idReverb = 1190,
    };
    // The edits a Space reaches; elsewhere in the bar the view has it alone.
    static constexpr std::array<int, 2> kSpaceEdits = {idImage, idSound};
    static constexpr const char* kSpherical = "Spherical";
    static constexpr const char* kNoImage = "[No image]";
    static constexpr const char* kNoSound = "[none]";

    struct Operations {
        // The file browser: the chosen path, empty after Cancel.
        std::function<std::string(const tbFileRequest&)> chooseFile;
        // A message box.
        std::function<void(const std::string&)> tell;
    };

    // `folder`: where the picture browser starts.
    PanoBarModel(SiteAccess site, Operations ops, std::string folder);

    void cubeClicked();
    void sphereClicked();
    void faceSelected(const std::string& text);
    void browseClicked();
    void autoClicked();
    void resetClicked();
    void interiorClicked(bool checked);
    void reverbClicked(bool checked);
    void browseSoundClicked();
    void noSoundClicked();

    // The project's values.
    void showPanorama(uint32_t imageMode, bool interior, bool reverb, const std::string& ambientSound);

    // The pictures the browser offers, as one file type: only kinds the image
    // reader opens.
    static const std::vector<std::string>& imageFilters();

    bool sphere() const { return sphere_; }
    const std::vector<std::string>& faces() const { return faces_; }
    int faceIndex() const { return face_; }
    const std::string& imageText() const { return image_; }
    bool interior() const { return interior_; }
    bool reverb() const { return reverb_; }
    const std::string& soundText() const { return sound_; }
    const std::string& folder() const { return folder_; }

    Changed changed;

private:
    void modeClicked(bool sphere);
    void useMode(bool sphere);
    // The slot the selected face names, 0 for a text naming none.
    uint32_t selectedSlot() const;
    // The image box from the site's picture of the selected face.
    void showSelectedImage();
    std::string choosePicture();

    SiteAccess site_;
    Operations ops_;
    std::string folder_;
    bool sphere_ = false;
    std::vector<std::string> faces_;
    int face_ = 0;
    std::string image_ = kNoImage;
    bool interior_ = false, reverb_ = false;
    std::string sound_ = kNoSound;
};

}  // namespace sitebars
