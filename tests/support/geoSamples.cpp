#include "tests/support/geoSamples.h"

namespace test {

namespace {

simVertex corner(float x, float y, float u, float v) {
    simVertex vertex;
    vertex.position = {x, y, 0.0f};
    vertex.normal = {0.0f, 0.0f, -1.0f};
    vertex.colour = 0xFF102030;
    vertex.uv[0] = {u, v};
    vertex.uv[1] = {u * 2, v * 2};
    vertex.uv[2] = {u * 3, v * 3};
    return vertex;
}

}  // namespace

geoFileData sampleGeo() {
    geoFileData geo;
    geo.formatWord = 7;
    geo.headerWordA = 0xA;
    geo.headerWordB = 0xB;
    geo.triangleCount = 2;
    geo.box = {{0, 0, 0}, {1, 1, 0}};

    geoFileMaterial skin;
    skin.name = "skin";
    skin.textures = {"skin.bmp"};
    skin.diffuse = {1.0f, 0.5f, 0.25f};
    skin.specular = {0.1f, 0.2f, 0.3f};
    skin.eccentricity = 0.5f;
    skin.reflectivity = 0.25f;
    geoFileMaterial glass;
    glass.name = "glass";
    glass.textures = {"none"};
    glass.transparency = 0.5f;
    geo.materials = {skin, glass};

    geo.vertices = {corner(0, 0, 0, 1), corner(0, 1, 0, 0), corner(1, 1, 1, 0),
                    corner(0, 0, 0, 1), corner(1, 1, 1, 0), corner(1, 0, 1, 1)};

    geoFileNode body;
    body.name = "body";
    body.box = geo.box;
    body.matrix[0] = body.matrix[5] = body.matrix[10] = body.matrix[15] = 1.0f;
    geoFileLayer layer;
    layer.box = geo.box;
    layer.materialIndex = 0;
    layer.keptBytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    layer.batches = {{geo.box, 0, 6}};
    body.layers = {layer};
    geoFileNode wing;
    wing.name = "wing__col";
    wing.box = geo.box;
    body.children = {wing};
    geo.roots = {body};
    return geo;
}

}  // namespace test
