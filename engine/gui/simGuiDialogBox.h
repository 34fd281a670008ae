// simGuiDialogBox: the in-view window of the GUI toolkit.
//
// A skinned frame with an optional title bar and icon that other widgets join
// as children (they keep their offsets from where the dialog was made while
// it moves). It is held at an edge, a corner or the centre of the view by its
// anchor, or floats; it may be modal (it darkens the view behind it and the
// manager gives nothing behind it any input), dragged by its title strip and
// resized by its edges and corners. It can carry three title-bar buttons
// (exit, help, minimise), custom buttons of its own named after it.
//
// It ignores input for its first 250 ms. Its property keys are only "modal",
// "positionable", "resizable" and "style"; the element's keys do not reach it.
//
// Children and title-bar buttons are placed by one rule: their coordinates
// are taken relative to the dialog's creation position, so a button added
// after the dialog moved sits where it would have sat had it been added first.
#pragma once

#include <array>
#include <string>

#include "engine/core/utilsTimer.h"
#include "engine/graphics/simTextureRef.h"
#include "engine/gui/simGuiElement.h"

class simTexture;

class simGuiDialogBox : public simGuiElement {
public:
    enum Style : int32_t { titleBar = 0, noTitleBar = 1, minimumTitleBar = 2, divider = 3, invisible = 4, widget = 5 };
    enum ButtonKind : int32_t { helpButton = 0, exitButton = 1, minimiseButton = 2 };
    enum ZoneState : int32_t { idle = 0, hovered = 1, active = 2 };
    // Resize zones, in the order they are tested.
    enum Zone { topLeft, top, topRight, left, right, bottomLeft, bottom, bottomRight, kZoneCount };
    // Input waits this long after the dialog was made; the modal shade
    // fades in over it.
    static constexpr double kAppearMs = 250.0;
    // The script function the help button calls with its page text.
    static constexpr const char* kHelpFunction = "func_openManualPage";

    // The anchor by `parseAnchor`; the title is shortened to the width with
    // the manager's dialog-title font. Joins the manager's dialog list.
    simGuiDialogBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string title,
                    const std::string& anchorName, simTexture* icon);
    ~simGuiDialogBox() override;

    std::string getTypeName() override { return "simGuiDialogBox"; }
    void update() override;
    void onEvent(simInputEvent* event) override;
    void render() override;

    // The title, replaced whole (no shortening).
    void setText(std::string text) override { m_title = std::move(text); }
    std::string getText() override { return m_title; }
    void readAttributes(const std::string& key, const std::string& value) override;
    // The title-bar buttons fade, show and hide with the dialog, and go with it.
    void show(float ms, bool flag = false) override;
    void hide(float ms, bool destroy) override;
    void setVisible(bool visible) override;
    void removeFromCollection() override;
    // Position plus the alignment offset.
    int32_t getX() override;
    int32_t getY() override;
    bool isModalDialog() const override { return m_dialogModal; }

    // The title-bar button of `kind` with `text`: script text (or a function
    // name) for exit and minimise, the manual page for help. A button of that
    // kind made before is let go of, so one of each kind is ever live. Other
    // kinds make nothing.
    void addButton(int32_t kind, const std::string& text);
    // Width and height kept at least 0; the title-bar buttons put back at the
    // right edge.
    void relayout();

    void setAlignmentOffset(float x, float y) { m_alignmentOffset = {x, y}; }
    void setStyle(int32_t style) { m_style = style; }
    int32_t getStyle() const { return m_style; }
    int32_t getAnchor() const { return m_anchor; }
    bool isDragging() const { return m_dragging; }
    ZoneState getZoneState(Zone zone) const { return m_resizeZone[zone]; }
    // The dialog's own live button of `kind` (never a script's element that
    // happens to carry its name), or null.
    simGuiElement* findButton(int32_t kind) const;
    // A title-bar button that is going is forgotten.
    void replaceReference(simGuiElement* old, simGuiElement* replacement) override;

    // The style number of a style name (any other text 0).
    static int32_t parseStyle(const std::string& name);

private:
    struct Frame {
        float x, y, w, h;
    };
    Frame frame();
    void placeByAnchor();
    void keepInView();
    void chooseAnchorAfterDrag();
    bool isOverTitleBarButton();
    void onLeftButton(const simInputEvent& event);
    void onMouseMove(const simInputEvent& event);
    void resizeByZones(const simInputEvent& event);
    void renderTitle(const Frame& f, uint32_t alpha);
    void renderWidgetTitle(const Frame& f, uint32_t alpha);
    void renderDivider(const Frame& f, uint32_t alpha);
    void renderResizeHandles(const Frame& f);
    void shortenTitle();

    std::array<simGuiElement*, 3> m_buttons{};  // by ButtonKind
    simTextureRef m_icon;
    std::string m_title;
    std::array<float, 2> m_alignmentOffset{};
    int32_t m_style = titleBar;
    std::array<ZoneState, kZoneCount> m_resizeZone{};
    int32_t m_anchor = 0;
    bool m_dragging = false;
    bool m_positionable = false;
    bool m_resizable = false;
    bool m_dialogModal = false;
    utils::Timer m_appearTimer;
};
