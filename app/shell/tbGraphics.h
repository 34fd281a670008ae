// tbGraphics: the editor's graphics system.
//
// The engine's graphics system with the editor's frame: the scene and the GUI
// without their own clear and present, then the current project, the
// manipulators and the view camera's name in the bottom-right corner. The
// engine presents after it. After the scene's camera loop every camera is
// made current once so that each keeps its viewport; the last one stays
// current.
#pragma once

#include "engine/graphics/simGraphics.h"

class tbGraphics : public simGraphics {
public:
    // The engine window starts at 800 x 600 (60 Hz) whatever size is asked
    // for; the main window sizes it to the view afterwards.
    tbGraphics(uint32_t value, const d3dx::Vector2& position, bool windowState);

    // The frame: nothing while minimised; otherwise a clear of target, depth
    // and stencil, the engine's frame, the project (depth writes on, test
    // less-or-equal), the manipulators, the camera name, end of scene.
    void renderFrameDefault() override;
    void postSceneRender() override;

    // The camera name's colour: white at alpha 200, 5 pixels from the corner.
    static constexpr int kNameMargin = 5;
};
