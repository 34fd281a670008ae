// simGuiGroupFrame: a passive skinned frame drawn around a group of widgets,
// in its frame style (simGuiSkin.h) and the element's colour. No input of
// its own; while it fades out the frame is not drawn.
#pragma once

#include "engine/gui/simGuiElement.h"

class simGuiGroupFrame : public simGuiElement {
public:
    simGuiGroupFrame(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, int32_t frameStyle)
        : simGuiElement(std::move(name), x, y, width, height), m_frameStyle(frameStyle) {}

    std::string getTypeName() override { return "simGuiGroupFrame"; }
    void render() override;
    int32_t getFrameStyle() const { return m_frameStyle; }

private:
    int32_t m_frameStyle;
};
