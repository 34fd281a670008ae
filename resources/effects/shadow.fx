@effect 1
// The shadow map: each caster's depth in the shadower's transform (the
// light's view and cropped projection), divided by the light's far plane so
// that everything the receivers need lies in 0..1.
@common
#include "d3d.fxh"
uniform mat4 shader_transform_world;
uniform mat4 g_shadowerTransform;
uniform float g_light_farPlane;
@vertex vs
out float depth;
void main() {
    vec4 p = d3dMul(d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_world), g_shadowerTransform);
    depth = clamp(p.z / (p.w * max(g_light_farPlane, 1e-6)), 0.0, 1.0);
    d3dPosition(vec4(p.xy, depth * p.w, p.w));
}
@fragment ps
in float depth;
void main() { d3dColour(vec4(depth, depth, depth, 1.0)); }
@technique tech_shadow_20_20
@pass vs ps
