@effect 1
// The editor's realistic lighting preview: the model lit by the scene's first
// light, with its texture, a specular highlight and the preview cube map
// reflected by the material's reflectivity.
@common
#include "d3d.fxh"
uniform mat4 shader_transform_world;
uniform mat4 shader_transform_worldViewProj;
uniform sampler2D shader_texture_0;
uniform samplerCube shader_texture_cubemap;
uniform vec4 shader_material_diffuse;
uniform vec4 shader_material_ambient;
uniform vec4 shader_material_specular;
uniform float shader_material_transparency;
uniform float shader_material_reflectivity;
uniform float shader_material_eccentricity;
uniform vec4 shader_light_diffuse;
uniform vec4 shader_light_ambient;
uniform vec4 shader_light_specular;
uniform vec4 shader_camera_eyePosition;
uniform vec4 shader_geometry_colour;
@vertex vs
out vec3 worldPosition;
out vec3 worldNormal;
out vec2 uv;
out vec4 vertexColour;
void main() {
    vec4 p = vec4(gfx_position.xyz, 1.0);
    worldPosition = d3dMul(p, shader_transform_world).xyz;
    worldNormal = d3dMul(vec4(gfx_normal, 0.0), shader_transform_world).xyz;
    uv = gfx_uv0;
    vertexColour = gfx_colour * shader_geometry_colour;
    d3dPosition(d3dMul(p, shader_transform_worldViewProj));
}
@fragment ps
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 uv;
in vec4 vertexColour;
void main() {
    vec3 n = normalize(worldNormal);
    // The model is lit from the viewer's position, whichever camera draws it
    // (the scene's light follows only the camera active at a refresh).
    vec3 toEye = normalize(shader_camera_eyePosition.xyz - worldPosition);
    vec3 toLight = toEye;
    vec4 texel = texture(shader_texture_0, uv);
    // The editor's light is as strong in its ambient part as in its diffuse
    // part, so the two are blended, not added: a face turned to the light
    // shows the material's diffuse colour, a face edge-on its ambient colour,
    // and a pale paint is never lit past white.
    vec3 ambient = shader_material_ambient.rgb * shader_light_ambient.rgb;
    vec3 lit = shader_material_diffuse.rgb * shader_light_diffuse.rgb;
    vec3 diffuse = mix(ambient, lit, max(dot(n, toLight), 0.0));
    float power = mix(128.0, 4.0, clamp(shader_material_eccentricity, 0.0, 1.0));
    vec3 specular = shader_material_specular.rgb * shader_light_specular.rgb *
                    pow(max(dot(n, normalize(toEye + toLight)), 0.0), power);
    vec3 reflected = texture(shader_texture_cubemap, reflect(-toEye, n)).rgb;
    vec3 rgb = mix(diffuse * texel.rgb, reflected, clamp(shader_material_reflectivity, 0.0, 1.0)) + specular;
    d3dColour(vec4(rgb, shader_material_diffuse.a * shader_material_transparency * texel.a) * vertexColour);
}
@technique tech_lighting_20_20
@pass vs ps
