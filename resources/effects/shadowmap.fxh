// shadowmap.fxh: the shadow-map test of the lighting effects (after lighting.fxh).
// The map holds each texel's depth in the light's view-projection (shadow.fx).
uniform mat4 shader_light_viewProj;
uniform sampler2D shader_texture_shadowmap;
uniform float shader_misc_shadow_mapSize;
uniform float shader_misc_shadow_mapTexelSize;
#ifdef D3DX_VERTEX_SHADER
out vec4 lightPosition;
void shadowVertex() { lightPosition = d3dMul(vec4(worldPosition, 1.0), shader_light_viewProj); }
#endif
#ifdef D3DX_FRAGMENT_SHADER
in vec4 lightPosition;
// 1 lit, 0 in shadow; 1 without a shadow map.
float shadowFactor() {
    if (shader_misc_shadow_mapSize <= 0.0 || lightPosition.w <= 0.0) return 1.0;
    vec3 p = lightPosition.xyz / lightPosition.w;
    vec2 texel = vec2(p.x * 0.5 + 0.5, 0.5 - p.y * 0.5);  // rows top first, as Direct3D
    float lit = 0.0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            vec2 at = texel + vec2(x, y) * shader_misc_shadow_mapTexelSize;
            lit += p.z - 0.002 <= texture(shader_texture_shadowmap, at).r ? 0.25 : 0.0;
        }
    return lit;
}
#endif
