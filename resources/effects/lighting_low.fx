@effect 1
// Per-pixel diffuse lighting: the scene's default effect for every node.
@common
#include "lighting.fxh"
@vertex vs
void main() { lightingVertex(); }
@fragment ps
void main() { d3dColour(lightingDiffuse()); }
@technique tech_lighting_low_20_20
@pass vs ps
@technique tech_lighting_low_11_11
@pass vs ps
