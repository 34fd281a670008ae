@effect 1
// The glow's vertical blur of glow map 0 into surface 1.
@common
#include "screen.fxh"
@vertex vs
void main() { screenVertex(); }
@fragment ps
void main() { d3dColour(blur(vec2(0.0, 1.0 / float(textureSize(shader_texture_0, 0).y)))); }
@technique tech_glowBlur_y_20_20
@pass vs ps
@state ZENABLE FALSE
@state ZWRITEENABLE FALSE
