@effect 1
// Diffuse and specular lighting, shadow map and environment cube map.
@common
#include "lighting.fxh"
#include "environment.fxh"
#include "shadowmap.fxh"
@vertex vs
void main() { lightingVertex(); shadowVertex(); }
@fragment ps
void main() {
    vec4 c = lightingDiffuse();
    float lit = shadowFactor();
    vec3 rgb = mix(c.rgb, environmentColour(), environmentAmount());
    d3dColour(vec4(rgb * mix(0.5, 1.0, lit) + lightingSpecular() * lit, c.a));
}
@technique tech_lighting_env_high_20_20
@pass vs ps
