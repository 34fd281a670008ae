#include "app/site/tbSiteExportImages.h"

#include <algorithm>
#include <cstring>
#include <future>
#include <thread>

#include "platform/d3dx/d3dxImageDxt.h"

namespace {

// A one-level image of a surface format filled with one colour.
d3dx::Image filled(uint32_t size, d3dx::Format format, uint32_t argb) {
    d3dx::Image image;
    image.format = format;
    image.width = image.height = size;
    image.mipLevels = 1;
    image.surfaces.resize(1);
    image.surfaces[0].width = image.surfaces[0].height = size;
    image.surfaces[0].bytes.resize(size_t{size} * size * 4);
    for (size_t i = 0; i < image.surfaces[0].bytes.size(); i += 4) {
        image.surfaces[0].bytes[i] = argb & 0xFF;
        image.surfaces[0].bytes[i + 1] = (argb >> 8) & 0xFF;
        image.surfaces[0].bytes[i + 2] = (argb >> 16) & 0xFF;
        image.surfaces[0].bytes[i + 3] = argb >> 24;
    }
    return image;
}

}  // namespace

bool tbSiteHasHighSet(const tbSiteFaces& faces) {
    return tbSiteHasImage(faces[0]) && faces[0].width == kSiteHighFaceSize && faces[0].height == kSiteHighFaceSize;
}

d3dx::ImageResult tbSiteMediumFace(const d3dx::Image& face, unsigned threads, d3dx::Image* out) {
    // Decoded and point-sampled in one conversion; compressed here, where the
    // number of threads is ours to choose.
    d3dx::ImageLoadDesc desc;
    desc.width = desc.height = kSiteMediumFaceSize;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::A8R8G8B8;
    desc.filter = desc.mipFilter = d3dx::kFilterPoint;
    d3dx::Image sampled;
    const d3dx::ImageResult result = d3dx::ConvertImage(face, desc, &sampled);
    if (!result.ok()) return result;
    d3dx::ImageSurface& surface = sampled.surfaces[0];
    std::vector<d3dx::Bitmap> bitmaps(1);
    bitmaps[0].width = surface.width;
    bitmaps[0].height = surface.height;
    bitmaps[0].pixels.resize(size_t{surface.width} * surface.height);
    std::memcpy(bitmaps[0].pixels.data(), surface.bytes.data(), surface.bytes.size());
    surface.bytes = std::move(d3dx::compressDxt(bitmaps, d3dx::Format::DXT1, threads)[0]);
    sampled.format = d3dx::Format::DXT1;
    *out = std::move(sampled);
    return d3dx::ImageResult::success();
}

void tbSiteMediumSet(const tbSiteFaces& faces, const tbSiteFaceDone& done) {
    struct Work {
        d3dx::ImageResult result;
        d3dx::Image face;
    };
    const int count = int(std::count_if(faces.begin(), faces.end(), tbSiteHasImage));
    if (count == 0) return;
    // The cores are shared among the faces, each face compressing on its share.
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads = std::max(1u, cores / unsigned(count));
    std::array<std::future<Work>, kSiteExportSlots> work;
    for (int slot = 0; slot < kSiteExportSlots; ++slot) {
        if (!tbSiteHasImage(faces[slot])) continue;
        work[slot] = std::async(std::launch::async, [&face = faces[slot], threads] {
            Work w;
            w.result = tbSiteMediumFace(face, threads, &w.face);
            return w;
        });
    }
    for (int slot = 0; slot < kSiteExportSlots; ++slot) {
        if (!work[slot].valid()) continue;
        const Work w = work[slot].get();
        done(slot, w.result, w.face);
    }
}

d3dx::ImageResult tbSiteIcon(const d3dx::Image& slot0, d3dx::Image* out) {
    if (!tbSiteHasImage(slot0)) {
        *out = filled(kSiteIconSize, d3dx::Format::X8R8G8B8, 0xFFFFFFFF);
        return d3dx::ImageResult::success();
    }
    d3dx::ImageLoadDesc desc;
    desc.width = desc.height = kSiteIconSize;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::X8R8G8B8;
    desc.filter = d3dx::kFilterLinear;
    return d3dx::ConvertImage(slot0, desc, out);
}

std::vector<uint8_t> tbSiteBlackBitmap() {
    std::vector<uint8_t> file;
    d3dx::SaveImageToFileInMemory(&file, d3dx::ImageFileFormat::Bmp,
                                  filled(kSiteBlackBitmapSize, d3dx::Format::X8R8G8B8, 0xFF000000));
    return file;
}
