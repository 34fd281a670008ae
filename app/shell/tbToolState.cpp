#include "app/shell/tbToolState.h"

#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"

simColour tbToolState::white() {
    simColour colour;
    colour.red = colour.green = colour.blue = 255;
    return colour;
}

void tbToolState::setMode(int32_t mode) {
    m_mode = mode;
    if (!m_view) return;
    switch (mode) {
        case kModeScheme: m_view->showModeBars(true, false, true, false); break;
        case kModeFlyingSite: m_view->showModeBars(false, true, false, false); break;
        default: m_view->showModeBars(false, false, false, true); break;
    }
}

void tbToolState::setTool(int32_t tool) {
    if (tool == kToolRetired) tool = kToolBrush;
    if (m_view && tool != kToolShape) m_view->hideShapeManager();
    m_tool = tool;
    if (!m_view) return;
    m_view->releaseToolButtons();
    m_view->hideToolBars();
    const std::optional<tbToolInfo> info = tbFindTool(tool);
    if (!info) return;
    m_view->pressToolButton(info->button);
    if (info->bar) m_view->showToolBar(*info->bar);
    m_view->setStatusText(info->statusText);
    m_view->setToolIcon(info->bitmapId);
}

void tbToolState::setBrushSize(float size, float minimum, float maximum) {
    if (size < minimum) size = minimum;
    if (maximum < size) size = maximum;
    m_brushSize = size;
}

void tbToolState::setBrushHardness(float hardness) {
    if (hardness < 0.0f) hardness = 0.0f;
    if (hardness > 100.0f) hardness = 100.0f;
    m_brushHardness = hardness;
}

void tbToolState::setBrushAngle(float degrees) {
    if (degrees < 0.0f) degrees = 360.0f;
    if (degrees > 360.0f) degrees = 0.0f;
    m_brushAngle = degrees;
}

void tbToolState::setMainColour(const simColour& colour) {
    m_mainColour = colour;
    if (m_view) m_view->repaintColourSwatches();
}

void tbToolState::setSecondColour(const simColour& colour) {
    m_secondColour = colour;
    if (m_view) m_view->repaintColourSwatches();
}

simTexture* tbToolState::getBrushTexture() const {
    if (m_brushTexture) return m_brushTexture;
    return dynamic_cast<simTexture*>(simResources::getResource(tbBrushTextureName(m_brushHardness), false));
}

void tbToolState::setStatusText(const std::string& text) {
    if (m_view) m_view->setStatusText(text);
}

std::string tbBrushTextureName(float hardness) {
    // Half-open bands [10k - 5, 10k + 5) name brush_10k; the first starts at
    // 0. Compared band by band so no rounding moves a boundary.
    int band = 10;
    if (hardness >= 0.0f) {
        for (int k = 0; k < 10; ++k) {
            if (hardness < static_cast<float>(10 * k + 5)) {
                band = k;
                break;
            }
        }
    }
    return "brush_" + std::to_string(band * 10) + ".bmp";
}
