@effect 1
// The shadow map: each caster's depth in the light's view-projection.
@common
#include "d3d.fxh"
uniform mat4 shader_transform_world;
uniform mat4 shader_light_viewProj;
@vertex vs
out float depth;
void main() {
    vec4 p = d3dMul(d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_world), shader_light_viewProj);
    depth = p.z / p.w;
    d3dPosition(p);
}
@fragment ps
in float depth;
void main() { d3dColour(vec4(depth, depth, depth, 1.0)); }
@technique tech_shadow_20_20
@pass vs ps
