// lighting.fxh: what the lighting effects share. Vertices are the engine's
// model vertices (position, normal, colour, three UV sets).
#include "d3d.fxh"
uniform mat4 shader_transform_world;
uniform mat4 shader_transform_worldViewProj;
uniform sampler2D shader_texture_0;
uniform vec4 shader_material_diffuse;
uniform vec4 shader_material_ambient;
uniform vec4 shader_material_emissive;
uniform vec4 shader_material_specular;
uniform float shader_material_transparency;
uniform float shader_material_specularRolloff;
uniform float shader_material_eccentricity;
uniform vec4 shader_light_direction;
uniform vec4 shader_light_diffuse;
uniform vec4 shader_light_ambient;
uniform vec4 shader_light_specular;
uniform vec4 shader_camera_eyePosition;
uniform vec4 shader_geometry_colour;

#ifdef D3DX_VERTEX_SHADER
out vec3 worldPosition;
out vec3 worldNormal;
out vec2 uv;
out vec4 vertexColour;
void lightingVertex() {
    vec4 p = vec4(gfx_position.xyz, 1.0);
    worldPosition = d3dMul(p, shader_transform_world).xyz;
    worldNormal = d3dMul(vec4(gfx_normal, 0.0), shader_transform_world).xyz;
    uv = gfx_uv0;
    vertexColour = gfx_colour * shader_geometry_colour;
    d3dPosition(d3dMul(p, shader_transform_worldViewProj));
}
#endif

#ifdef D3DX_FRAGMENT_SHADER
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 uv;
in vec4 vertexColour;
// Diffuse and ambient light on the material, with the texture; alpha from
// the material's opacity and the texture.
vec4 lightingDiffuse() {
    vec3 n = normalize(worldNormal);
    float lambert = max(dot(n, -normalize(shader_light_direction.xyz)), 0.0);
    vec4 texel = texture(shader_texture_0, uv);
    vec3 lit = shader_material_diffuse.rgb * (shader_light_diffuse.rgb * lambert + shader_light_ambient.rgb) +
               shader_material_ambient.rgb * shader_light_ambient.rgb + shader_material_emissive.rgb;
    return vec4(lit, shader_material_diffuse.a * shader_material_transparency) * texel * vertexColour;
}
// Blinn-Phong highlight, its width from the eccentricity.
vec3 lightingSpecular() {
    vec3 n = normalize(worldNormal);
    vec3 toEye = normalize(shader_camera_eyePosition.xyz - worldPosition);
    vec3 h = normalize(toEye - normalize(shader_light_direction.xyz));
    float power = mix(128.0, 4.0, clamp(shader_material_eccentricity, 0.0, 1.0));
    return shader_material_specular.rgb * shader_light_specular.rgb * pow(max(dot(n, h), 0.0), power) *
           max(shader_material_specularRolloff, 0.0);
}
#endif
