// What the shape bar decides, without a window: the fill (solid or a
// gradient from the main to the second colour along the model's X, Y or Z
// axis), one- or double-sided filling, the pair of curve buttons the shape
// tool uses once, and the bar's commands on the outline (fill, clear, show
// the Shape Manager).
//
// The values are program-wide; the shape tool reads them from the open
// model's tool settings, which this presenter keeps written
// (tbToolSettingsBinding).
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "app/scheme/bars/tbBarTarget.h"
#include "app/scheme/bars/tbButtonPair.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "engine/core/simColour.h"

class tbToolState;

namespace bars {

class ShapeBarModel : public tbToolSettingsParticipant {
public:
    static constexpr std::array<const char*, 3> kAxisNames = {"X axis", "Y axis", "Z axis"};
    static constexpr uint32_t kDefaultAxis = 1;

    // The pair of curve buttons: at most one is checked.
    enum class Curve { none, create, clear };

    struct Operations {
        // Fills the outline: in the texture view when `textureView`, else on
        // the model, in the colours, gradient and axis given.
        std::function<void(tbGeometry&, bool textureView, const simColour& main, const simColour& second,
                           bool gradient, uint32_t axis)>
            applyShape;
        std::function<void(tbGeometry&)> clearShape;
        // Hands the curve button to the model's shape tool, which calls
        // `used` once it has used the button.
        std::function<void(tbGeometry&, Curve, std::function<void()> used)> setCurve;
        // Shows the Shape Manager when hidden, else hides it.
        std::function<void()> toggleShapeManager;
    };

    ShapeBarModel(const tbToolState& tools, tbToolSettingsBinding& binding, tbBarTarget target,
                  Operations operations);

    uint32_t axis() const { return m_axis; }
    bool gradient() const { return m_fillType.secondPressed(); }
    bool doubleSided() const { return m_doubleSided; }
    Curve curve() const { return m_curve; }

    // Called after every change the bar did not make itself (an opened
    // project, a reset, the tool using a curve button): the view shows the
    // values again.
    void setChangedListener(std::function<void()> listener) { m_changed = std::move(listener); }

    // ---- The controls.
    // The solid or the gradient button, `nowPressed` after the click.
    void fillTypeClicked(bool gradientButton, bool nowPressed);
    // The axis list's selection; anything outside 0..2 is ignored.
    void axisSelected(int index);
    void sidedToggled();
    // A curve button clicked, now `nowPressed`: pressing one releases the other.
    void curveClicked(Curve button, bool nowPressed);
    void projectShape();
    void clearShape();
    void storeShape();

    // The toolbox's reset of the shape tool: solid fill on the Y axis, one
    // sided, and the model's outline emptied.
    void reset();

    // ---- tbToolSettingsParticipant.
    void store(tbToolSettings& settings) const override;
    // The curve buttons are the open model's shape tool's: another model
    // starts with both released.
    void show(const tbToolSettings& settings) override;
    void madeNew() override;

private:
    void curveUsed();
    void showAgain() {
        if (m_changed) m_changed();
    }

    const tbToolState& m_tools;
    tbToolSettingsBinding& m_binding;
    tbBarTarget m_target;
    Operations m_ops;
    ButtonPair m_fillType;  // second: gradient
    uint32_t m_axis = kDefaultAxis;
    bool m_doubleSided = false;
    Curve m_curve = Curve::none;
    std::function<void()> m_changed;
};

}  // namespace bars
