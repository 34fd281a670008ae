@effect 1
// The glow sources: each node drawn in its material's colour scaled by its glow.
@common
#include "d3d.fxh"
uniform mat4 shader_transform_worldViewProj;
uniform sampler2D shader_texture_0;
uniform vec4 shader_material_diffuse;
uniform vec4 shader_material_emissive;
uniform float shader_material_glow;
uniform float shader_material_incandescance;
@vertex vs
out vec2 uv;
void main() {
    uv = gfx_uv0;
    d3dPosition(d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_worldViewProj));
}
@fragment ps
in vec2 uv;
void main() {
    vec3 source = shader_material_diffuse.rgb * texture(shader_texture_0, uv).rgb + shader_material_emissive.rgb;
    float amount = clamp(shader_material_glow + shader_material_incandescance, 0.0, 1.0);
    d3dColour(vec4(source * amount, 1.0));
}
@technique tech_glow_20_20
@pass vs ps
