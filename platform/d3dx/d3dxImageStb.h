// The common image file formats (BMP, PNG, TGA, JPEG, PPM) through stb_image
// and stb_image_write. Internal to the image functions (d3dxImage.h).
#pragma once

#include "platform/d3dx/d3dxImageFilter.h"
#include "platform/d3dx/d3dxImageTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace d3dx {

// Reads size and format from the header. Sizes beyond kMaxImageDimension
// are refused.
ImageResult readStbInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info);

// Decodes the whole picture into *bitmap (opaque pixels get alpha 255).
ImageResult readStbImage(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info);

// Encodes the bitmap in one of Bmp, Dib, Png, Tga, Jpg, Ppm; withAlpha keeps
// the alpha channel where the format can hold it (not JPEG or PPM).
ImageResult writeStbImage(ImageFileFormat fileFormat, const Bitmap& bitmap, bool withAlpha,
                          std::vector<std::uint8_t>* file);

}  // namespace d3dx
