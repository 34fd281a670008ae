// A surface of a model's texture map read back for pixel checks, every
// pixel opaque (the X8R8G8B8 surfaces keep no alpha).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "app/scheme/tbTextureMap.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/handles.h"
#include "tests/support/imageSamples.h"

namespace testsupport {

inline d3dx::Bitmap mapSurface(const tbTextureMap& map, gfx::SurfaceHandle surface) {
    d3dx::Image image;
    EXPECT_TRUE(map.readSurface(surface, image));
    d3dx::Bitmap bitmap = imagesamples::bitmapOf(image);
    for (uint32_t& p : bitmap.pixels) p |= 0xFF000000u;
    return bitmap;
}

}  // namespace testsupport
