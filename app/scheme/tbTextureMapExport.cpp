// The paint texture out to an external image editor: the picture in the
// format the file name asks for, and the UV layout image beside it.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbAtomicSave.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/utilsStrings.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxImageFilter.h"

namespace {

constexpr int kCaseUnchanged = 3;

// Each extension is known spelled all lower case or all upper case, never mixed.
std::optional<d3dx::ImageFileFormat> formatOf(const std::string& extension) {
    using F = d3dx::ImageFileFormat;
    struct Known {
        const char* lower;
        const char* upper;
        F format;
    };
    static constexpr std::array<Known, 7> kKnown = {{{"bmp", "BMP", F::Bmp},
                                                     {"jpg", "JPG", F::Jpg},
                                                     {"tga", "TGA", F::Tga},
                                                     {"png", "PNG", F::Png},
                                                     {"dds", "DDS", F::Dds},
                                                     {"ppm", "PPM", F::Ppm},
                                                     {"dib", "DIB", F::Dib}}};
    for (const Known& k : kKnown)
        if (extension == k.lower || extension == k.upper) return k.format;
    return std::nullopt;
}

// Encodes and writes the picture through a temporary file, so a failed
// write never leaves a half file or costs the one that was there.
bool writeImage(const std::string& path, d3dx::ImageFileFormat format, const d3dx::Image& picture) {
    std::vector<uint8_t> bytes;
    const d3dx::ImageResult encoded = d3dx::SaveImageToFileInMemory(&bytes, format, picture);
    std::string error = encoded.reason;
    if (encoded.ok() &&
        tbSaveFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &error))
        return true;
    simLog("tbTextureMap::exportTexture - " + path + ": " + error + "\n");
    return false;
}

// The simulator and the image editors read the fourth byte of a 32-bit
// picture as alpha; a paint texture has none, whatever its render targets
// kept there (a reopened project's are A8R8G8B8).
void makeOpaque(d3dx::Image& picture) {
    picture.format = d3dx::Format::X8R8G8B8;
    std::vector<uint8_t>& bytes = picture.surfaces[0].bytes;
    for (size_t i = 3; i < bytes.size(); i += 4) bytes[i] = 0xFF;
}

// A Bitmap's pixels are an X8R8G8B8 surface's bytes on this little-endian machine.
d3dx::Image imageOf(const d3dx::Bitmap& bitmap) {
    d3dx::Image image;
    image.format = d3dx::Format::X8R8G8B8;
    image.width = bitmap.width;
    image.height = bitmap.height;
    image.mipLevels = 1;
    image.surfaces.resize(1);
    image.surfaces[0].width = bitmap.width;
    image.surfaces[0].height = bitmap.height;
    image.surfaces[0].bytes.resize(bitmap.pixels.size() * 4);
    std::memcpy(image.surfaces[0].bytes.data(), bitmap.pixels.data(), image.surfaces[0].bytes.size());
    return image;
}

}  // namespace

bool tbTextureMap::exportTexture(const std::string& path, bool withUVLayout) const {
    if (!m_paint) return false;
    const std::string extension = utils::getExtension(path, kCaseUnchanged);
    const std::optional<d3dx::ImageFileFormat> format = formatOf(extension);
    if (!format) return false;

    // The drawing surface holds the same picture as the paint surface after
    // every completed operation.
    d3dx::Image picture;
    if (!readSurface(m_drawing, picture)) return false;
    makeOpaque(picture);
    if (!writeImage(path, *format, picture)) return false;
    if (!withUVLayout) return true;

    d3dx::Bitmap layout(m_width, m_height);
    std::fill(layout.pixels.begin(), layout.pixels.end(), 0xFF000000u);
    if (m_owner) m_owner->drawUVLayout(layout);
    if (!writeImage(utils::stripExtension(path) + "_UVs." + extension, *format, imageOf(layout))) {
        tbErrorBox("Error exporting UV mapping",
                   "There was an error exporting UV mapping coordinates. Please select a different filename.");
        return false;
    }
    return true;
}
