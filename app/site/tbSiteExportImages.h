// The pictures of an exported flying site, made on the CPU from what the
// site's textures hold (level 0 of each, in the texture's own format; an
// image without surfaces stands for a slot without a texture).
//
//   high set    the faces' own blocks, written unchanged (never compressed
//               again, so the simulator gets exactly the editor's pixels);
//   medium set  with a high set, each face decoded, point-sampled to
//               2048 x 2048 and compressed to DXT1; the faces are worked on
//               side by side, each reported as it is done;
//   icon        128 x 128 X8R8G8B8 of slot 0, filtered linearly as a
//               textured rectangle of that size would sample it (white when
//               slot 0 has no texture);
//   bitmaps     BMP files in memory for the site file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/site/tbSiteExportNames.h"
#include "platform/d3dx/d3dxImage.h"

constexpr uint32_t kSiteHighFaceSize = 4096;
constexpr uint32_t kSiteMediumFaceSize = 2048;
constexpr uint32_t kSiteIconSize = 128;
constexpr uint32_t kSiteBlackBitmapSize = 256;

using tbSiteFaces = std::array<d3dx::Image, kSiteExportSlots>;

inline bool tbSiteHasImage(const d3dx::Image& image) { return !image.surfaces.empty(); }

// True when slot 0 holds a 4096 x 4096 face: the export writes a high set.
bool tbSiteHasHighSet(const tbSiteFaces& faces);

// One medium face from a face of any size and surface format. `threads` is
// how many threads its compression may use (0: one per core).
d3dx::ImageResult tbSiteMediumFace(const d3dx::Image& face, unsigned threads, d3dx::Image* out);

// The medium faces of every slot that holds an image, worked on side by side.
// `done` runs on the calling thread once per such slot, in slot order, as
// soon as that slot's face (or its failure) is ready.
using tbSiteFaceDone = std::function<void(int slot, const d3dx::ImageResult& result, const d3dx::Image& face)>;
void tbSiteMediumSet(const tbSiteFaces& faces, const tbSiteFaceDone& done);

// The site's icon from slot 0's face (or from none).
d3dx::ImageResult tbSiteIcon(const d3dx::Image& slot0, d3dx::Image* out);

// The 256 x 256 black picture the site file carries, as a BMP file.
std::vector<uint8_t> tbSiteBlackBitmap();
