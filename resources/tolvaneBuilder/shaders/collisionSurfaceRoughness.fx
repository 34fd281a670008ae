@effect 1
// The collision surfaces of a model, shaded by the light so their shape
// reads, in the colour the editor gives each roughness class.
@common
#include "d3d.fxh"
uniform mat4 shader_transform_world;
uniform mat4 shader_transform_worldViewProj;
uniform vec4 shader_light_direction;
uniform vec4 shader_geometry_colour;
@vertex vs
out vec3 worldNormal;
out vec4 vertexColour;
void main() {
    vec4 p = vec4(gfx_position.xyz, 1.0);
    worldNormal = d3dMul(vec4(gfx_normal, 0.0), shader_transform_world).xyz;
    vertexColour = gfx_colour * shader_geometry_colour;
    d3dPosition(d3dMul(p, shader_transform_worldViewProj));
}
@fragment ps
in vec3 worldNormal;
in vec4 vertexColour;
void main() {
    float shade = 0.45 + 0.55 * max(dot(normalize(worldNormal), -normalize(shader_light_direction.xyz)), 0.0);
    d3dColour(vec4(vertexColour.rgb * shade, vertexColour.a));
}
@technique tech_collisionSurfaceRoughness_20_20
@pass vs ps
