#include "engine/graphics/simLight.h"

#include <cfloat>
#include <cmath>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simShaderEffectBinding.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"

namespace {

gfx::D3DCOLORVALUE colourValue(const simColour& c) {
    return gfx::D3DCOLORVALUE{c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f, c.alpha / 255.0f};
}

}  // namespace

simLight::simLight(std::string name, int32_t type, const d3dx::Vector3& position, const d3dx::Vector3& direction,
                   float first, float second, const simColour& diffuse, const simColour& specular,
                   const simColour& ambient)
    : simObject(false, false, false, false),
      simDeviceDependantObject(),
      simSafeDeleteObject(false),
      m_name(std::move(name)),
      m_type(type),
      m_position(position),
      m_direction(direction),
      m_diffuse(diffuse),
      m_ambient(ambient),
      m_specular(specular),
      m_first(first),
      m_second(second) {
    if (m_type == point) m_direction = d3dx::Vector3{-position.x, -position.y, -position.z};
    d3dx::Vec3Normalize(&m_direction, &m_direction);
    apply();
    updateMatrices();
    simShaderEffectAddLight(this);
}

simLight::~simLight() { simShaderEffectRemoveLight(this); }

void simLight::apply() {
    m_record = gfx::D3DLIGHT9{};
    m_record.Type = m_type == point ? gfx::D3DLIGHT_POINT : gfx::D3DLIGHT_DIRECTIONAL;
    m_record.Diffuse = colourValue(m_diffuse);
    const float s = m_specular.red / 255.0f;
    m_record.Specular = gfx::D3DCOLORVALUE{s, s, s, s};
    m_record.Ambient = colourValue(m_ambient);
    m_record.Position = gfx::D3DVECTOR{m_position.x, m_position.y, m_position.z};
    m_record.Direction = gfx::D3DVECTOR{m_direction.x, m_direction.y, m_direction.z};
    m_record.Range = std::sqrt(FLT_MAX);
    m_record.Falloff = 1.0f;
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    gfx::Device* device = renderer ? renderer->getDevice() : nullptr;
    if (!device) return;
    device->SetLight(0, &m_record);
    device->LightEnable(0, m_enabled != 0);
}

d3dx::Vector3 simLookAtUp(const d3dx::Vector3& direction) {
    const bool vertical = std::fabs(direction.y) > 0.999f * d3dx::Vec3Length(&direction);
    return vertical ? d3dx::Vector3(0.0f, 0.0f, 1.0f) : d3dx::Vector3(0.0f, 1.0f, 0.0f);
}

void simLight::updateMatrices() {
    d3dx::Matrix translation, lookAt;
    d3dx::MatrixTranslation(&translation, -m_position.x, -m_position.y, -m_position.z);
    const d3dx::Vector3 eye{0.0f, 0.0f, 0.0f};
    const d3dx::Vector3 at{-m_direction.x, -m_direction.y, -m_direction.z};
    const d3dx::Vector3 up = simLookAtUp(m_direction);
    d3dx::MatrixLookAtLH(&lookAt, &eye, &at, &up);
    d3dx::MatrixMultiply(&m_view, &translation, &lookAt);
    d3dx::MatrixMultiply(&m_viewProjection, &m_view, &m_projection);
}

void simLight::setDirection(const d3dx::Vector3& direction) {
    d3dx::Vec3Normalize(&m_direction, &direction);
    apply();
    updateMatrices();
}

void simLight::setPosition(const d3dx::Vector3& position) {
    m_position = position;
    apply();
    updateMatrices();
}

void simLight::onDeviceRestore() {
    if (!m_reset) return;
    m_reset = false;
    apply();
}
