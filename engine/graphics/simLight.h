// simLight: the engine's light.
//
// One light feeds both the device's fixed-function light 0 and the light
// parameters of the effects (simShaderEffectBinding.h); its view and
// view-projection matrices drive the shadow pass, whose code sets the
// projection. Lights join the scene's light list when made and leave it when
// destroyed; the first light of the list is the one the effects and the
// shadow and stencil passes use.
//
// Types: 0 point (the direction is taken from the origin towards the
// position's opposite, so the light shines at the origin), 1 directional.
// Colours are `simColour` records; the device gets them divided by 255, the
// specular as the specular colour's red in all four components.
//
// Device loss: the device forgets its lights on a reset, so the light writes
// itself to the device again on the restore.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simColour.h"
#include "engine/core/simObject.h"
#include "engine/core/simSafeDeleteObject.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/d3dTypes.h"

class simLight : public simObject, public simDeviceDependantObject, public simSafeDeleteObject {
public:
    enum Type : int32_t { point = 0, directional = 1 };

    // Copies the arguments, normalises the direction (for a point light the
    // opposite of the position), applies the light, builds its matrices and
    // joins the scene's light list. The two floats are kept for their readers.
    simLight(std::string name, int32_t type, const d3dx::Vector3& position, const d3dx::Vector3& direction,
             float first, float second, const simColour& diffuse, const simColour& specular,
             const simColour& ambient);
    // Leaves the scene's light list.
    ~simLight() override;

    std::string getClassName() override { return "simLight"; }
    std::string getTypeName() override { return "simLight"; }

    // Writes the light record to device light 0 and enables it as `enabled` says.
    void apply();
    // view = translation by -position x look-at from the origin towards
    // -direction with up (0, 1, 0), or (0, 0, 1) for a light shining along
    // the y axis (simLookAtUp); view-projection = view x projection.
    void updateMatrices();
    // Copies and normalises the direction, then apply and updateMatrices.
    void setDirection(const d3dx::Vector3& direction);
    // Moves the light, then apply and updateMatrices (a headlight follows its camera).
    void setPosition(const d3dx::Vector3& position);
    // The shadow pass's projection (then call updateMatrices).
    void setProjectionMatrix(const d3dx::Matrix& projection) { m_projection = projection; }

    // ---- Device loss.
    void onDeviceReset() override { m_reset = true; }
    void onDeviceRestore() override;

    // ---- Reading.
    const std::string& getName() const { return m_name; }
    int32_t getLightType() const { return m_type; }
    const d3dx::Vector3& getPosition() const { return m_position; }
    const d3dx::Vector3& getDirection() const { return m_direction; }
    const simColour& getDiffuse() const { return m_diffuse; }
    const simColour& getAmbient() const { return m_ambient; }
    const simColour& getSpecular() const { return m_specular; }
    float getFirstValue() const { return m_first; }
    float getSecondValue() const { return m_second; }
    bool isEnabled() const { return m_enabled != 0; }
    void setEnabled(bool enabled) { m_enabled = enabled ? 1 : 0; }
    // The colours; `apply` hands them to the device.
    void setDiffuse(const simColour& colour) { m_diffuse = colour; }
    void setAmbient(const simColour& colour) { m_ambient = colour; }
    void setSpecular(const simColour& colour) { m_specular = colour; }
    const gfx::D3DLIGHT9& getRecord() const { return m_record; }
    const d3dx::Matrix& getViewMatrix() const { return m_view; }
    const d3dx::Matrix& getProjectionMatrix() const { return m_projection; }
    const d3dx::Matrix& getViewProjectionMatrix() const { return m_viewProjection; }

private:
    std::string m_name;
    int32_t m_type;
    d3dx::Vector3 m_position, m_direction;  // direction normalised
    simColour m_diffuse, m_ambient, m_specular;
    float m_first, m_second;
    uint8_t m_enabled = 1;
    bool m_reset = false;  // between a device reset and the restore
    gfx::D3DLIGHT9 m_record;
    d3dx::Matrix m_view = d3dx::Matrix::identity();
    d3dx::Matrix m_projection = d3dx::Matrix::identity();
    d3dx::Matrix m_viewProjection = d3dx::Matrix::identity();
};

// The up vector of a view that looks along `direction`: the world's y, or
// its z when the direction lies within about 2.5 degrees of the y axis (a
// sun straight overhead), where a look-at with y as up has no sideways axis
// and gives no numbers.
d3dx::Vector3 simLookAtUp(const d3dx::Vector3& direction);

