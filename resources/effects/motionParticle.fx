@effect 1
// Camera-facing particles stretched back along their motion.
@common
#include "particle.fxh"
@vertex vs
void main() {
    vec2 corner = gfx_uv1 * gfx_uv2.x;
    vec3 trail = gfx_normal * min(gfx_uv1.y, 0.0);
    particleVertex(particleCentre() + cameraRight() * corner.x + cameraUp() * corner.y + trail);
}
@fragment ps
void main() { particleFragment(); }
@technique motionParticle_20_20
@pass vs ps
@technique tech_motionParticle_20_20
@pass vs ps
