#include "engine/gui/simGuiImage.h"

#include <cmath>
#include <cstdlib>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiScriptCall.h"
#include "platform/sys/clock.h"

namespace {

simTexture* findTexture(const std::string& name) {
    return g_resources ? dynamic_cast<simTexture*>(simResources::getResource(name, false)) : nullptr;
}

}  // namespace

simGuiImage::simGuiImage(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, simTexture* firstFrame)
    : simGuiElement(std::move(name), x, y, width, height) {
    if (firstFrame) m_frames.push_back(firstFrame);
}

void simGuiImage::readAttributes(const std::string& key, const std::string& value) {
    simGuiElement::readAttributes(key, value);
    if (key == "onRenderFunction") {
        m_onRenderFunction = value;
    } else if (key == "image") {
        setFrame(0, findTexture(value));
    } else if (key == "addFrame") {
        m_frames.push_back(findTexture(value));
    } else if (key == "frameInterval") {
        // Out-of-range numbers saturate instead of overflowing the integer.
        const double ms = std::atof(value.c_str());
        m_frameInterval = ms >= 2147483647.0 ? 2147483647 : ms <= -2147483648.0 ? INT32_MIN : static_cast<int32_t>(ms);
    } else if (key == "rotateRate") {
        m_rotateRate = static_cast<float>(std::atof(value.c_str()));
    }
}

void simGuiImage::setFrame(int32_t index, simTexture* texture) {
    if (m_frames.empty()) {
        m_frames.push_back(texture);
    } else if (index >= 0 && static_cast<size_t>(index) < m_frames.size()) {
        m_frames[static_cast<size_t>(index)] = texture;
    }
}

void simGuiImage::replaceTexture(const simTexture* old, simTexture* replacement) {
    for (simTextureRef& frame : m_frames)
        if (frame == old) frame = replacement;
}

void simGuiImage::update() {
    simGuiElement::update();
    // Wall-clock milliseconds since the last update: the flip-book keeps its
    // pace whatever the simulation speed (the object's time step is scaled
    // by it and capped).
    if (!m_widgetStopwatch.running) m_widgetStopwatch.start();
    m_frameTime += static_cast<float>(m_widgetStopwatch.getElapsed());
    m_widgetStopwatch.reset();
    m_widgetStopwatch.start();
    if (static_cast<float>(m_frameInterval) <= m_frameTime) {
        ++m_frameIndex;
        m_frameTime = 0.0f;
    }
    if (m_frames.empty() || static_cast<size_t>(m_frameIndex) >= m_frames.size()) m_frameIndex = 0;
}

bool simGuiImage::takesFocus() const { return simGuiElement::takesFocus() && getAge() >= kFocusDelayMs; }

void simGuiImage::onEvent(simInputEvent* event) {
    if (!acceptsInput() || getAge() < kFocusDelayMs) return;
    simGuiElement::onEvent(event);
}

std::array<d3dx::Vector2, 4> simGuiImage::corners() {
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(getWidth()), h = static_cast<float>(getHeight());
    std::array<d3dx::Vector2, 4> c{d3dx::Vector2{x, y}, d3dx::Vector2{x + w, y}, d3dx::Vector2{x + w, y + h},
                                   d3dx::Vector2{x, y + h}};
    if (m_rotateRate != 0.0f) {
        // The angle follows the engine clock, not the frame count.
        const double seconds = static_cast<double>(sys::clockTicks()) / sys::kClockFrequency;
        const double angle = static_cast<double>(m_rotateRate) / 180.0 * 3.1415 * seconds;
        const float cs = static_cast<float>(std::cos(angle)), sn = static_cast<float>(std::sin(angle));
        const float cx = x + w / 2.0f, cy = y + h / 2.0f;
        for (d3dx::Vector2& p : c) {
            const float dx = p.x - cx, dy = p.y - cy;
            p = {cx + dx * cs - dy * sn, cy + dx * sn + dy * cs};
        }
    }
    return c;
}

void simGuiImage::render() {
    if (!m_visible) return;
    simGuiElement::render();
    simGuiCanvas& canvas = simGuiCanvas::current();
    simColour colour = m_colour;
    colour.alpha = static_cast<int32_t>(static_cast<float>(m_colour.alpha) * getAlpha());
    canvas.setLinearFiltering(true);
    if (m_frameIndex >= 0 && static_cast<size_t>(m_frameIndex) < m_frames.size()) {
        const std::array<d3dx::Vector2, 4> c = corners();
        canvas.drawQuadUV(c.data(), colour.toARGB(), m_frames[static_cast<size_t>(m_frameIndex)], m_cornerUVs.data());
    } else {
        const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
        canvas.drawRect({x, y}, {x + static_cast<float>(getWidth()), y + static_cast<float>(getHeight())},
                        colour.toARGB());
    }
    canvas.setLinearFiltering(false);
    simGuiRunCallback(getClassName(), m_onRenderFunction, {m_name}, simGuiScriptFallback::runAsText);
}
