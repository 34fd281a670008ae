@effect 1
// Diffuse lighting with the environment cube map, by the material's reflectivity.
@common
#include "lighting.fxh"
#include "environment.fxh"
@vertex vs
void main() { lightingVertex(); }
@fragment ps
void main() {
    vec4 c = lightingDiffuse();
    d3dColour(vec4(mix(c.rgb, environmentColour(), environmentAmount()), c.a));
}
@technique tech_lighting_env_low_20_20
@pass vs ps
