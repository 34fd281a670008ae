@effect 1
// Flat particles (the position is the square's corner) stretched back along their motion.
@common
#include "particle.fxh"
@vertex vs
void main() { particleVertex(particleCentre() + gfx_normal * min(gfx_uv1.y, 0.0)); }
@fragment ps
void main() { particleFragment(); }
@technique planarMotionParticle_20_20
@pass vs ps
@technique tech_planarMotionParticle_20_20
@pass vs ps
