@effect 1
// Diffuse and specular lighting with the shadow map.
@common
#include "lighting.fxh"
#include "shadowmap.fxh"
@vertex vs
void main() { lightingVertex(); shadowVertex(); }
@fragment ps
void main() {
    vec4 c = lightingDiffuse();
    float lit = shadowFactor();
    d3dColour(vec4(c.rgb * mix(0.5, 1.0, lit) + lightingSpecular() * lit, c.a));
}
@technique tech_lighting_high_20_20
@pass vs ps
