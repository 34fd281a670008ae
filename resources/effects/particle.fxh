// particle.fxh: what the particle effects share. Per vertex: the particle's
// centre (for flat particles the square's corner) in the position, texture
// coordinates in UV set 0, the corner direction (-1..1) in set 1, the size in
// set 2's first component, the colour, and for motion blur the motion vector
// in the normal. The container's texture is on stage 0.
#include "d3d.fxh"
uniform mat4 shader_transform_world;
uniform mat4 shader_transform_view;
uniform mat4 shader_transform_viewProj;
uniform sampler2D shader_texture_0;
#ifdef D3DX_VERTEX_SHADER
out vec2 uv;
out vec4 colour;
// The camera's right and up axes in world space: the view matrix's first
// two columns, which reach GLSL as its first two columns' transposes.
vec3 cameraRight() { return vec3(shader_transform_view[0][0], shader_transform_view[1][0], shader_transform_view[2][0]); }
vec3 cameraUp() { return vec3(shader_transform_view[0][1], shader_transform_view[1][1], shader_transform_view[2][1]); }
vec3 particleCentre() { return d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_world).xyz; }
void particleVertex(vec3 world) {
    uv = gfx_uv0;
    colour = gfx_colour;
    d3dPosition(d3dMul(vec4(world, 1.0), shader_transform_viewProj));
}
#endif
#ifdef D3DX_FRAGMENT_SHADER
in vec2 uv;
in vec4 colour;
void particleFragment() { d3dColour(texture(shader_texture_0, uv) * colour); }
#endif
