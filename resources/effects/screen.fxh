// screen.fxh: a pre-transformed rectangle with one texture, for the glow's
// blur passes (vertices in back-buffer pixels with colour and UVs).
#include "d3d.fxh"
uniform sampler2D shader_texture_0;
#ifdef D3DX_VERTEX_SHADER
out vec2 uv;
out vec4 colour;
void screenVertex() {
    uv = gfx_uv0;
    colour = gfx_colour;
    d3dScreenPosition(gfx_position);
}
#endif
#ifdef D3DX_FRAGMENT_SHADER
in vec2 uv;
in vec4 colour;
// Nine taps of a Gaussian along `step` (one texel in texture coordinates).
vec4 blur(vec2 step) {
    const float weights[5] = float[](0.227027, 0.194595, 0.121622, 0.054054, 0.016216);
    vec4 sum = texture(shader_texture_0, uv) * weights[0];
    for (int i = 1; i < 5; ++i) {
        sum += texture(shader_texture_0, uv + step * float(i)) * weights[i];
        sum += texture(shader_texture_0, uv - step * float(i)) * weights[i];
    }
    return sum;
}
#endif
