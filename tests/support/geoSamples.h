// Small .geo models for tests: a textured quad in a node tree that uses
// every kind of record.
#pragma once

#include "engine/graphics/geoFile.h"

namespace test {

// Two materials (one textured, one with an empty slot), two triangles, a
// root node "body" with one layer of one batch and a child "wing__col".
geoFileData sampleGeo();

}  // namespace test
