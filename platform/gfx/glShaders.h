// GLSL for the OpenGL device: the prelude every program gets (Direct3D's
// clip-space, pixel-centre and alpha-test conventions) and the generated
// fixed-function programs, one per fixed-function key.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include <epoxy/gl.h>

#include "platform/gfx/deviceState.h"

namespace gfx {

// Uniforms the device sets on every program it draws with. The gfx_ ones come
// from the prelude and exist in effect programs too; the ff_ ones only in
// fixed-function programs. Locations of names a program lacks are -1.
enum class Uniform : std::uint8_t {
    Viewport,     // vec4 x, y, width, height of the viewport in pixels
    ClipPlane,    // vec4: plane 0 (clip space in the prelude, world space in fixed function)
    AlphaFunc,    // int D3DCMPFUNC, 0 when the alpha test is off
    AlphaRef,     // float 0..255
    World, View, Projection,
    MatDiffuse, MatAmbient, MatSpecular, MatEmissive, MatPower,
    LightDiffuse, LightSpecular, LightAmbient, LightPosition, LightDirection,
    Ambient, FogRange, FogColour, TextureFactor,
    Tex0, Tex1, Cube0, Cube1,
    Count,
};
constexpr std::size_t kUniformCount = static_cast<std::size_t>(Uniform::Count);

// The values of the uniforms above, as last uploaded to a program; a draw
// whose values equal them uploads nothing. Every field is 4 bytes wide, so
// the record has no padding and compares with memcmp.
struct UniformValues {
    float viewport[4], clipPlane[4];
    std::int32_t alphaFunc;
    float alphaRef;
    float world[16], view[16], projection[16];
    D3DMATERIAL9 material;
    D3DCOLORVALUE lightDiffuse, lightSpecular, lightAmbient;
    D3DVECTOR lightPosition, lightDirection;
    float ambient[4], fogRange[2], fogColour[4], textureFactor[4];
};

struct GlProgram {
    GLuint name = 0;
    std::array<GLint, kUniformCount> locations{};
    bool uploaded = false;
    UniformValues last{};
    // Effect programs: uniform locations by name, looked up once each.
    std::unordered_map<std::string, GLint> namedLocations;
};

// The prelude put before a vertex or fragment body; it starts with #version.
const char* shaderPrelude(bool vertex);

// Compiles and links prelude + bodies with the prelude's attribute locations.
// False with the compiler's log in errors.
bool buildProgram(const std::string& vertexBody, const std::string& fragmentBody, GlProgram* out,
                  std::string* errors);

// The fixed-function state a generated program depends on, packed; the same
// key indexes the program cache.
std::uint64_t fixedFunctionKey(const DeviceState& state);
std::string fixedFunctionVertexBody(std::uint64_t key);
std::string fixedFunctionFragmentBody(std::uint64_t key);

}  // namespace gfx
