// What the lighting bar decides, without a window: the site's diffuse,
// ambient and specular colours, each picked from its swatch, the shape of
// the lighting preview and the reset of the sun.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/site/bars/tbSiteAccess.h"
#include "engine/core/simColour.h"

class simGeometry;

namespace sitebars {

struct PreviewShape {
    const char* name;
    const char* geometry;  // the resource the preview shows
};

class LightingBarModel {
public:
    enum : int { idDiffuse = 1141, idAmbient = 1062, idSpecular = 1063, idPreview = 1142, idReset = 1012 };
    enum class Light { diffuse, ambient, specular };
    static constexpr std::array<PreviewShape, 4> kPreviewShapes = {{
        {"Sphere", "shinySphere.geo"},
        {"Cube", "shinyCube.geo"},
        {"Cylinder", "shinyCylinder.geo"},
        {"Pyramid", "shinyPyramid.geo"},
    }};

    struct Operations {
        // The colour picker from `start`; nothing after Cancel.
        std::function<std::optional<simColour>(const simColour& start)> pickColour;
        // A geometry resource by name, null when none is loaded
        // (simResources by default).
        std::function<simGeometry*(const std::string& name)> findGeometry;
    };

    LightingBarModel(SiteAccess site, Operations ops);

    void swatchClicked(Light light);
    void previewSelected(const std::string& name);
    void resetClicked();

    // The site's colour of a light; black with no site.
    simColour colour(Light light) const;
    int previewIndex() const { return preview_; }

    Changed changed;

private:
    SiteAccess site_;
    Operations ops_;
    int preview_ = 0;
};

}  // namespace sitebars
