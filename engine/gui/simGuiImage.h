// simGuiImage: textures drawn in the element's rectangle, as the frames of a
// flip-book that advances every "frameInterval" milliseconds of the engine
// clock, optionally
// spinning about its centre at "rotateRate" degrees a second by the engine
// clock. Without a frame to draw it fills its rectangle with its colour. Its
// "onRenderFunction" (a global function called with the image's name, or
// script text) runs each time it is drawn. The image does not own its
// textures (their collections do).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/graphics/simTextureRef.h"
#include "engine/gui/simGuiElement.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simTexture;

class simGuiImage : public simGuiElement {
public:
    // Clicks this soon after the image is made do not give it the focus.
    static constexpr double kFocusDelayMs = 250.0;

    simGuiImage(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, simTexture* firstFrame);

    std::string getTypeName() override { return "simGuiImage"; }
    // "onRenderFunction", "image" (replaces the first frame), "addFrame",
    // "frameInterval" (ms, truncated), "rotateRate" (degrees a second).
    void readAttributes(const std::string& key, const std::string& value) override;
    void update() override;
    void onEvent(simInputEvent* event) override;
    bool takesFocus() const override;
    void render() override;

    // With no frames the texture is appended whatever the index; otherwise
    // frame `index` is replaced when it exists.
    void setFrame(int32_t index, simTexture* texture);
    // Every frame that is `old` becomes `replacement`.
    void replaceTexture(const simTexture* old, simTexture* replacement);

    // The four corners drawn now (top-left, top-right, bottom-right, bottom-left).
    std::array<d3dx::Vector2, 4> corners();

    // The frames as drawn now (null where a texture has been destroyed).
    std::vector<simTexture*> getFrames() const { return {m_frames.begin(), m_frames.end()}; }
    int32_t getFrameIndex() const { return m_frameIndex; }
    int32_t getFrameInterval() const { return m_frameInterval; }
    float getRotateRate() const { return m_rotateRate; }

private:
    std::vector<simTextureRef> m_frames;
    std::string m_onRenderFunction;
    int32_t m_frameIndex = 0;
    int32_t m_frameInterval = 1000;  // ms
    float m_frameTime = 0.0f;        // ms gathered towards the next frame
    float m_rotateRate = 0.0f;       // degrees a second
    std::array<d3dx::Vector2, 4> m_cornerUVs{d3dx::Vector2{0, 0}, d3dx::Vector2{1, 0}, d3dx::Vector2{1, 1},
                                              d3dx::Vector2{0, 1}};
};
