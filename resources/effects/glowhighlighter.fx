@effect 1
// Highlighting by glow: the node in a pulsing white.
@common
#include "d3d.fxh"
uniform mat4 shader_transform_worldViewProj;
uniform float shader_general_time;
@vertex vs
void main() { d3dPosition(d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_worldViewProj)); }
@fragment ps
void main() {
    float pulse = 0.75 + 0.25 * sin(shader_general_time * 0.00628318);  // one beat a second
    d3dColour(vec4(vec3(pulse), 1.0));
}
@technique tech_glowhighlighter_20_20
@pass vs ps
