// tbToolState: the state the painting and flying-site tools share.
//
// The mode (0 none, 1 model scheme, 2 flying site), the current tool, the
// view mode (0 3-D view, 1 texture view), the main and second paint colours,
// the brush size, hardness, angle and texture. The application object owns
// one; the tools, the tool bars, the settings file and the projects read and
// change it. Each setter applies the value's rule (clamp, wrap or
// substitution) and keeps the windows in step through the view, when one is
// attached.
#pragma once

#include <cstdint>
#include <string>

#include "app/shell/tbToolStateView.h"
#include "engine/core/simColour.h"

class simTexture;

class tbToolState {
public:
    // Mode values.
    static constexpr int32_t kModeNone = 0;
    static constexpr int32_t kModeScheme = 1;
    static constexpr int32_t kModeFlyingSite = 2;

    // The view that shows this state, or null (nothing to keep in step).
    void setView(tbToolStateView* view) { m_view = view; }

    // Mode 1 shows the painting toolbox and the object bar, mode 2 the
    // flying-site toolbox; any other value hides all three and every strip bar.
    void setMode(int32_t mode);
    // 3 becomes 0 (the brush). Every tool but the shape tool hides the shape
    // manager. Every button is released and every tool's bar hidden, then the
    // tool's own button pressed, its bar shown, its help text and icon set. A
    // tool outside 0..12 is stored and shows nothing.
    void setTool(int32_t tool);
    void setViewMode(int32_t viewMode) { m_viewMode = viewMode; }
    // After the brush changed elsewhere (the wheel over the view): the brush
    // bar shows its values again.
    void refreshBrushBar() {
        if (m_view) m_view->refreshBrushBar();
    }

    // size below minimum becomes the minimum, then above maximum the maximum
    // (so with minimum above maximum the maximum wins).
    void setBrushSize(float size, float minimum, float maximum);
    // Clamped to 0..100.
    void setBrushHardness(float hardness);
    // Below 0 becomes 360, above 360 becomes 0 (no modulo: -10 gives 360).
    void setBrushAngle(float degrees);

    // The colour's value is copied whole and not clamped; the swatches of the
    // tool bars are repainted.
    void setMainColour(const simColour& colour);
    void setSecondColour(const simColour& colour);

    // The brush-shape picker's texture, or null to go back to the hardness
    // images.
    void setBrushTexture(simTexture* texture) { m_brushTexture = texture; }
    // The picked texture; otherwise the loaded resource named by
    // tbBrushTextureName(hardness), or null when it is not loaded.
    simTexture* getBrushTexture() const;

    // The status line's text (nothing without a view).
    void setStatusText(const std::string& text);

    int32_t mode() const { return m_mode; }
    int32_t tool() const { return m_tool; }
    int32_t viewMode() const { return m_viewMode; }
    float brushSize() const { return m_brushSize; }
    float brushHardness() const { return m_brushHardness; }
    float brushAngle() const { return m_brushAngle; }
    const simColour& mainColour() const { return m_mainColour; }
    const simColour& secondColour() const { return m_secondColour; }

private:
    tbToolStateView* m_view = nullptr;
    int32_t m_mode = kModeNone;
    int32_t m_tool = 0;
    int32_t m_viewMode = 0;
    simColour m_mainColour = white();
    simColour m_secondColour;  // black, opaque
    float m_brushSize = 5.0f;
    float m_brushHardness = 50.0f;
    float m_brushAngle = 0.0f;
    simTexture* m_brushTexture = nullptr;

    static simColour white();
};

// The brush image for a hardness: "brush_0.bmp" below 5, "brush_10.bmp" from
// 5 up to 15, and so on in bands of 10 to "brush_90.bmp" below 95;
// "brush_100.bmp" from 95 (and for anything that is not in 0..95, NaN too).
std::string tbBrushTextureName(float hardness);
