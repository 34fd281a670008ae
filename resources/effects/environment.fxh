// environment.fxh: the cube-map reflection of the lighting effects (after lighting.fxh).
uniform samplerCube shader_texture_cubemap;
uniform float shader_material_reflectivity;
#ifdef D3DX_FRAGMENT_SHADER
vec3 environmentColour() {
    vec3 toSurface = normalize(worldPosition - shader_camera_eyePosition.xyz);
    return texture(shader_texture_cubemap, reflect(toSurface, normalize(worldNormal))).rgb;
}
float environmentAmount() { return clamp(shader_material_reflectivity, 0.0, 1.0); }
#endif
