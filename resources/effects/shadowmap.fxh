// shadowmap.fxh: the shadow-map test of the lighting effects (after lighting.fxh).
// The map holds each texel's depth in the shadower's transform over the
// light's far plane (shadow.fx); the scene's shadow fit sets both.
uniform mat4 g_shadowerTransform;
uniform float g_light_farPlane;
uniform sampler2D shader_texture_shadowmap;
uniform float shader_misc_shadow_mapSize;
uniform float shader_misc_shadow_mapTexelSize;
#ifdef D3DX_VERTEX_SHADER
out vec4 lightPosition;
void shadowVertex() { lightPosition = d3dMul(vec4(worldPosition, 1.0), g_shadowerTransform); }
#endif
#ifdef D3DX_FRAGMENT_SHADER
in vec4 lightPosition;
// 1 lit, 0 in shadow; 1 without a shadow map or a fit.
float shadowFactor() {
    if (shader_misc_shadow_mapSize <= 0.0 || g_light_farPlane <= 0.0 || lightPosition.w <= 0.0) return 1.0;
    vec3 p = lightPosition.xyz / lightPosition.w;
    float depth = clamp(p.z / g_light_farPlane, 0.0, 1.0);
    vec2 texel = vec2(p.x * 0.5 + 0.5, 0.5 - p.y * 0.5);  // rows top first, as Direct3D
    // Outside the fitted map nothing was drawn: lit (the sampler wraps).
    if (any(lessThan(texel, vec2(0.0))) || any(greaterThan(texel, vec2(1.0)))) return 1.0;
    float lit = 0.0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            vec2 at = texel + vec2(x, y) * shader_misc_shadow_mapTexelSize;
            lit += depth - 0.002 <= texture(shader_texture_shadowmap, at).r ? 0.25 : 0.0;
        }
    return lit;
}
#endif
