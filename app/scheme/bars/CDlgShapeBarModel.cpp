#include "app/scheme/bars/CDlgShapeBarModel.h"

#include "app/scheme/tbGeometry.h"
#include "app/shell/tbToolState.h"

namespace bars {

ShapeBarModel::ShapeBarModel(const tbToolState& tools, tbToolSettingsBinding& binding, tbBarTarget target,
                             Operations operations)
    : m_tools(tools), m_binding(binding), m_target(std::move(target)), m_ops(std::move(operations)) {}

void ShapeBarModel::fillTypeClicked(bool gradientButton, bool nowPressed) {
    m_fillType.clicked(gradientButton, nowPressed);
    m_binding.changed();
}

void ShapeBarModel::axisSelected(int index) {
    if (index < 0 || index >= static_cast<int>(kAxisNames.size())) return;
    m_axis = static_cast<uint32_t>(index);
    m_binding.changed();
}

void ShapeBarModel::sidedToggled() {
    m_doubleSided = !m_doubleSided;
    m_binding.changed();
}

void ShapeBarModel::curveClicked(Curve button, bool nowPressed) {
    m_curve = nowPressed ? button : Curve::none;
    tbGeometry* model = m_target.current();
    if (model && m_ops.setCurve) m_ops.setCurve(*model, m_curve, [this] { curveUsed(); });
}

void ShapeBarModel::curveUsed() {
    m_curve = Curve::none;
    showAgain();
}

void ShapeBarModel::projectShape() {
    tbGeometry* model = m_target.current();
    if (!model) return;
    if (m_ops.applyShape) {
        m_ops.applyShape(*model, m_tools.viewMode() == 1, m_tools.mainColour(), m_tools.secondColour(), gradient(),
                         m_axis);
    }
    if (m_target.pushUndo) m_target.pushUndo(*model);
}

void ShapeBarModel::clearShape() {
    tbGeometry* model = m_target.current();
    if (model && m_ops.clearShape) m_ops.clearShape(*model);
}

void ShapeBarModel::storeShape() {
    if (m_ops.toggleShapeManager) m_ops.toggleShapeManager();
}

void ShapeBarModel::reset() {
    m_fillType.pressSecond(false);
    m_axis = kDefaultAxis;
    m_doubleSided = false;
    m_binding.changed();
    clearShape();
    showAgain();
}

void ShapeBarModel::store(tbToolSettings& settings) const {
    settings.shapeAxis = m_axis;
    settings.shapeGradient = gradient() ? 1 : 0;
    settings.shapeDoubleSided = m_doubleSided ? 1 : 0;
}

void ShapeBarModel::show(const tbToolSettings& settings) {
    // A damaged or foreign file may hold any number; the list has three axes.
    m_axis = settings.shapeAxis < kAxisNames.size() ? settings.shapeAxis : kDefaultAxis;
    m_fillType.pressSecond(settings.shapeGradient != 0);
    m_doubleSided = settings.shapeDoubleSided != 0;
    m_curve = Curve::none;
    showAgain();
}

void ShapeBarModel::madeNew() {
    m_curve = Curve::none;
    showAgain();
}

}  // namespace bars
