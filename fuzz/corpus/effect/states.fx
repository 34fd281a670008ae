@effect 1
@common
#include "d3d.fxh"
uniform mat4 shader_transform_worldViewProj;
@vertex vs
void main() { d3dPosition(d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_worldViewProj)); }
@fragment ps
void main() { d3dColour(gfx_colour); }
@technique tech_x_20_20
@pass vs ps
@state ALPHABLENDENABLE TRUE
@state SRCBLEND SRCALPHA
@state DESTBLEND INVSRCALPHA
@state CULLMODE NONE
@technique tech_x_11_14
@pass vs ps
@state ALPHAREF 128
