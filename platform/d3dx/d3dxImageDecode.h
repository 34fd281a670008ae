// The picture file formats (BMP, TGA, PNG, JPEG, PPM): each is recognised by
// its first bytes and handed to its own reader. Internal to the image
// functions (d3dxImage.h).
//
// Every reader checks what it can of the file against the bytes present
// before its decoder sees them, and refuses sizes beyond kMaxImageDimension
// before anything is allocated.
#pragma once

#include "platform/d3dx/d3dxImageFilter.h"
#include "platform/d3dx/d3dxImageTypes.h"

#include <cstddef>
#include <cstdint>

namespace d3dx {

// The format the file's first bytes announce; Tga for anything else (the one
// format without a magic number).
ImageFileFormat pictureFileFormat(const std::uint8_t* data, std::size_t size);

// Reads size and format from the header, without decoding pixels.
ImageResult readPictureInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info);

// Decodes the whole picture into *bitmap (opaque pixels get alpha 255);
// *info receives what readPictureInfo gives.
ImageResult readPicture(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info);

// The readers behind these, one source file each: BMP and TGA through
// stb_image (d3dxImageStb.cpp), PNG through libspng, JPEG through
// libjpeg-turbo, PPM and PGM by our own reader.
ImageResult readStbInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info);
ImageResult readStbImage(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info);
ImageResult readPngInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info);
ImageResult readPng(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info);
ImageResult readJpegInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info);
ImageResult readJpeg(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info);
ImageResult readPpmInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info);
ImageResult readPpm(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info);

// For the readers: a failure unless both sizes are 1 to kMaxImageDimension.
ImageResult checkPictureSize(std::int64_t width, std::int64_t height);

// For the readers: the surface format that holds a picture of 1 (grey),
// 2 (grey and alpha), 3 (colour) or 4 (colour and alpha) channels.
Format formatOfChannels(int channels);

// For the readers: the reason given when the header announces more data
// than the file holds.
extern const char* const kPictureTruncated;

}  // namespace d3dx
