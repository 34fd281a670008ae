@effect 1
// The glow's horizontal blur of glow map 1 into surface 0.
@common
#include "screen.fxh"
@vertex vs
void main() { screenVertex(); }
@fragment ps
void main() { d3dColour(blur(vec2(1.0 / float(textureSize(shader_texture_0, 0).x), 0.0))); }
@technique tech_glowBlur_x_20_20
@pass vs ps
@state ZENABLE FALSE
@state ZWRITEENABLE FALSE
