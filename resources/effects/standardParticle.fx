@effect 1
// Camera-facing particle squares.
@common
#include "particle.fxh"
@vertex vs
void main() {
    vec2 corner = gfx_uv1 * gfx_uv2.x;
    particleVertex(particleCentre() + cameraRight() * corner.x + cameraUp() * corner.y);
}
@fragment ps
void main() { particleFragment(); }
@technique standardParticle_20_20
@pass vs ps
@technique tech_standardParticle_20_20
@pass vs ps
