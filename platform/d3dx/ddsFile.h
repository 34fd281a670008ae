// DDS files: reader and writer. Internal to the image functions (d3dxImage.h).
//
// Layout (all little-endian): the magic "DDS ", a 124-byte header, then the
// surfaces with no gaps: for each face (one, or six for a cube map in the
// order +X, -X, +Y, -Y, +Z, -Z) its mip levels from the largest down.
//
//   offset size field
//   4      4    header size (124)
//   8      4    flags (DDSD_*: caps 0x1, height 0x2, width 0x4, pitch 0x8,
//               pixel format 0x1000, mip count 0x20000, linear size 0x80000)
//   12     4    height, pixels
//   16     4    width, pixels
//   20     4    pitch (bytes of a row) or linear size (bytes of level 0)
//   24     4    depth (volume textures only; refused)
//   28     4    mip count (0 counts as 1)
//   32     44   reserved
//   76     32   pixel format: size (32), flags (alpha pixels 0x1, alpha 0x2,
//               four-CC 0x4, RGB 0x40, luminance 0x20000), four-CC code,
//               bits a pixel, red, green, blue and alpha masks
//   108    4    caps (complex 0x8, texture 0x1000, mipmap 0x400000)
//   112    4    caps2 (cube map 0x200, faces 0xFC00, volume 0x200000)
//   116    12   caps3, caps4, reserved
//
// Read: DXT1/3/5 (kept as blocks) and uncompressed 8-, 16-, 24- and 32-bit
// formats given by masks (A8R8G8B8 and X8R8G8B8 kept, the others converted to
// one of them). Written: every surface format of Image.
#pragma once

#include "platform/d3dx/d3dxImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace d3dx {

constexpr std::size_t kDdsHeaderBytes = 128;  // magic + header

// True when the data begins with the magic "DDS ".
bool isDdsFile(const std::uint8_t* data, std::size_t size);

// Reads the header and checks that every surface it announces is present.
ImageResult readDdsInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info);

// Reads every face and level into *image (formats other than the surface
// formats are converted to A8R8G8B8 or X8R8G8B8).
ImageResult readDds(const std::uint8_t* data, std::size_t size, Image* image, ImageInfo* info);

// Writes every face and level of the image in its own format.
ImageResult writeDds(const Image& image, std::vector<std::uint8_t>* file);

}  // namespace d3dx
