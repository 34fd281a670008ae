// Writing the common image file formats (PNG, TGA, JPEG, PPM) through
// stb_image_write; BMP has its own writer (d3dxImageBmp.h). Internal to the image functions (d3dxImage.h); the
// readers are in d3dxImageDecode.h.
#pragma once

#include "platform/d3dx/d3dxImageFilter.h"
#include "platform/d3dx/d3dxImageTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace d3dx {

// Encodes the bitmap in one of Png, Tga, Jpg, Ppm; withAlpha keeps
// the alpha channel where the format can hold it (not JPEG or PPM).
ImageResult writeStbImage(ImageFileFormat fileFormat, const Bitmap& bitmap, bool withAlpha,
                          std::vector<std::uint8_t>* file);

}  // namespace d3dx
