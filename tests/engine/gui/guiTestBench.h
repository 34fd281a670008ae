// The headless bench every GUI widget test stands on.
//
// - The engine application with its Lua host, the graphics system on the
//   recording device (800 x 600) and the input system with its mouse and
//   keyboard, all on the manual clock.
// - The element manager with a font in slot 0 and a stand-in theme texture,
//   so widgets draw their text and skinned pieces.
// - A recording canvas installed as the GUI's canvas: every draw is kept as
//   a record (rectangles with their UVs in atlas pixels, quads, texts), and
//   text is measured with fixed metrics (7 pixels a code point, 13 high), so
//   expected positions can be worked out by hand.
// - An input builder that moves the real mouse, presses and releases its
//   buttons, turns the wheel and sends keys and characters through the input
//   system, as the window procedure would.
// - A Lua helper that runs a chunk in the engine's host and reads back what
//   the callbacks recorded in the global table `calls` (see `luaCalls`).
#pragma once

#include <gtest/gtest.h>

#include <lua.hpp>

#include <memory>
#include <string>
#include <vector>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/simScriptManager.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiSkin.h"
#include "platform/sys/clock.h"
#include "tests/support/recordingGraphics.h"

namespace guitest {

// One recorded draw of the canvas.
struct DrawCall {
    enum class Kind { rects, rect, quad, text, filtering, clip };
    Kind kind = Kind::rects;
    std::vector<simScreenRect> pieces;  // rects; rect and quad as one piece
    const simTexture* texture = nullptr;
    d3dx::Vector2 corners[4]{};  // quad
    std::string text;          // text
    float x = 0, y = 0;        // text
    uint32_t colour = 0;       // ARGB (text: its colour packed)
    bool centred = false;      // text; filtering: linear
    float width = 0, height = 0;  // clip: x, y, width, height; all 0 when cleared
};

// The canvas of the bench: records, measures with fixed metrics.
class RecordingCanvas final : public simGuiCanvas {
public:
    static constexpr float kGlyphWidth = 7.0f, kLineHeight = 13.0f;

    void drawRects(const std::vector<simScreenRect>& rects, simTexture* texture) override {
        DrawCall& call = add(DrawCall::Kind::rects);
        call.pieces = rects;
        call.texture = texture;
    }
    void drawRect(const d3dx::Vector2& min, const d3dx::Vector2& max, uint32_t colour) override {
        DrawCall& call = add(DrawCall::Kind::rect);
        call.pieces = {simScreenRect(min, max, colour)};
        call.colour = colour;
    }
    void drawQuadUV(const d3dx::Vector2 corners[4], uint32_t colour, simTexture* texture,
                    const d3dx::Vector2[4]) override {
        DrawCall& call = add(DrawCall::Kind::quad);
        for (int i = 0; i < 4; ++i) call.corners[i] = corners[i];
        call.texture = texture;
        call.colour = colour;
    }
    void setLinearFiltering(bool linear) override { add(DrawCall::Kind::filtering).centred = linear; }
    void setClipRect(int32_t x, int32_t y, int32_t width, int32_t height) override {
        DrawCall& call = add(DrawCall::Kind::clip);
        call.x = float(x);
        call.y = float(y);
        call.width = float(width);
        call.height = float(height);
    }
    void clearClipRect() override { add(DrawCall::Kind::clip); }
    d3dx::Vector2 measureText(simFont* font, const std::string& text) override {
        if (!font) return {0, 0};
        float codePoints = 0;
        for (const unsigned char c : text)
            if ((c & 0xC0) != 0x80) ++codePoints;
        return {codePoints * kGlyphWidth, kLineHeight};
    }
    void drawText(simFont* font, const std::string& text, float x, float y, const simColour& colour,
                  bool centred) override {
        if (!font) return;
        DrawCall& call = add(DrawCall::Kind::text);
        call.text = text;
        call.x = x;
        call.y = y;
        call.colour = colour.toARGB();
        call.centred = centred;
    }

    // The calls of one kind, in order.
    std::vector<DrawCall> of(DrawCall::Kind kind) const {
        std::vector<DrawCall> found;
        for (const DrawCall& call : calls)
            if (call.kind == kind) found.push_back(call);
        return found;
    }

    std::vector<DrawCall> calls;

private:
    DrawCall& add(DrawCall::Kind kind) {
        calls.emplace_back();
        calls.back().kind = kind;
        return calls.back();
    }
};

// A piece's texture rectangle back in atlas pixels, for comparing with the
// atlas layout.
struct AtlasRect {
    float x1, y1, x2, y2;
    bool operator==(const AtlasRect&) const = default;
};
inline AtlasRect atlasPixels(const simScreenRect& r) {
    return {r.u1 * kGuiAtlasSize, r.v1 * kGuiAtlasSize, r.u2 * kGuiAtlasSize, r.v2 * kGuiAtlasSize};
}
inline AtlasRect screenRect(const simScreenRect& r) { return {r.x1, r.y1, r.x2, r.y2}; }
inline std::ostream& operator<<(std::ostream& out, const AtlasRect& r) {
    return out << "(" << r.x1 << ", " << r.y1 << ")-(" << r.x2 << ", " << r.y2 << ")";
}

class GuiBench {
public:
    GuiBench() {
        new simInput();
        // The manager before the mouse: the mouse, newer, sees each event
        // first and has marked its drags before the widgets look.
        manager = new simGuiElementManager();
        new simMouse();
        new simKeyboard();
        font = std::make_unique<simFont>(nullptr, "benchFont", "Arial", 10.0f, false, false);
        theme = std::make_unique<simTexture>(nullptr, "benchTheme", 512, 512, gfx::D3DFMT_A8R8G8B8, false, true, true);
        manager->fonts[0] = font.get();
        manager->themeTexture = theme.get();
        simGuiCanvas::install(&canvas);
        moveTo(0, 0);
    }
    ~GuiBench() {
        simGuiCanvas::install(nullptr);
        delete g_guiElementManager;
        rig.engine.app().purgeSafeDeleteObjects(false);
        delete g_input;
        theme.reset();
        font.reset();
    }
    GuiBench(const GuiBench&) = delete;
    GuiBench& operator=(const GuiBench&) = delete;

    // ---- Frames
    // The engine's update (every element's update, raises, deletions).
    void update() {
        rig.engine.app().update();
        rig.engine.app().purgeSafeDeleteObjects(false);
    }
    // The GUI pass into a fresh record.
    const std::vector<DrawCall>& render() {
        canvas.calls.clear();
        manager->render();
        return canvas.calls;
    }
    // Advances the clock and runs one update.
    void advance(double ms) {
        clock.advance(ms);
        update();
    }

    // ---- Input, through the real mouse and keyboard
    simMouse& mouse() { return *g_input->getMouse(); }
    void moveTo(int32_t x, int32_t y) { mouse().onMove(x, y); }
    void press(uint32_t button = simMouseButton_left) { mouse().onButton(button, 1); }
    void release(uint32_t button = simMouseButton_left) { mouse().onButton(button, 0); }
    void click(int32_t x, int32_t y) {
        moveTo(x, y);
        press();
        release();
    }
    // A left-button drag from one point to another in `steps` moves.
    void drag(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int steps = 4) {
        moveTo(fromX, fromY);
        press();
        for (int i = 1; i <= steps; ++i) moveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
        release();
    }
    void wheel(bool towardsUser) { mouse().onWheel(towardsUser ? 1 : 0); }
    // A key event as the keyboard sends it (state 1 press, 2 release, 3 held).
    void key(uint32_t code, uint32_t state = simKeyState_pressed) {
        simInputEvent event;
        event.type = simInputEvent_key;
        event.key = code;
        event.keyState = state;
        g_input->sendEvent(event);
    }
    // A typed character (a Unicode code point).
    void character(uint32_t codePoint) {
        simInputEvent event;
        event.type = simInputEvent_character;
        event.key = codePoint;
        g_input->sendEvent(event);
    }

    // ---- Lua
    // Runs a chunk in the engine's host; fails the test on a Lua error.
    void lua(const std::string& chunk) {
        lua_State* state = g_scriptManager->getState();
        const int top = lua_gettop(state);
        EXPECT_EQ(luaL_dostring(state, chunk.c_str()), 0) << chunk << ": " << lua_tostring(state, -1);
        lua_settop(state, top);
    }
    // A chunk's first result as text (numbers as Lua prints them).
    std::string luaValue(const std::string& expression) {
        lua("__value = tostring(" + expression + ")");
        lua_State* state = g_scriptManager->getState();
        lua_getglobal(state, "__value");
        const std::string value = lua_tostring(state, -1) ? lua_tostring(state, -1) : "";
        lua_pop(state, 1);
        return value;
    }
    // Defines `record(...)`, which appends its arguments joined by spaces to
    // the global list `calls`, and empties the list.
    void recordCalls() {
        lua("calls = {} function record(...) local parts = {} for i = 1, select('#', ...) do "
            "parts[i] = tostring(select(i, ...)) end table.insert(calls, table.concat(parts, ' ')) end");
    }
    // The recorded calls since the last take, emptied afterwards.
    std::vector<std::string> takeCalls() {
        lua_State* state = g_scriptManager->getState();
        std::vector<std::string> out;
        lua_getglobal(state, "calls");
        if (lua_istable(state, -1)) {
            const int count = static_cast<int>(lua_objlen(state, -1));
            for (int i = 1; i <= count; ++i) {
                lua_rawgeti(state, -1, i);
                out.push_back(lua_tostring(state, -1) ? lua_tostring(state, -1) : "");
                lua_pop(state, 1);
            }
        }
        lua_pop(state, 1);
        lua("calls = {}");
        return out;
    }
    int luaStackTop() const { return lua_gettop(g_scriptManager->getState()); }

    template <class Widget = simGuiElement>
    Widget* find(const std::string& name) {
        return manager->findElementOf<Widget>(name);
    }

    sys::ManualClock clock{1000.0};
    testsupport::RecordingGraphics rig;
    RecordingCanvas canvas;
    simGuiElementManager* manager = nullptr;
    std::unique_ptr<simFont> font;
    std::unique_ptr<simTexture> theme;
};

}  // namespace guitest
