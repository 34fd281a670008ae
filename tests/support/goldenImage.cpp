#include "tests/support/goldenImage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/d3dx/d3dxImage.h"
#include "tests/support/imageSamples.h"

namespace testsupport {

namespace {

int channelDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        largest = std::max(largest, d);
    }
    return largest;
}

}  // namespace

bool updatingGoldenImages() {
    const char* value = std::getenv("TOLVANE_UPDATE_GOLDEN");
    return value && std::strcmp(value, "1") == 0;
}

bool writePicture(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height, const std::string& path) {
    d3dx::Bitmap bitmap(width, height);
    for (size_t i = 0; i < bitmap.pixels.size() && i < pixels.size(); ++i) bitmap.pixels[i] = pixels[i] | 0xFF000000u;
    const d3dx::Image image = imagesamples::imageOf(bitmap, d3dx::Format::X8R8G8B8);
    return d3dx::SaveImageToFile(path, d3dx::ImageFileFormat::Png, image).ok();
}

::testing::AssertionResult matchesGolden(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height,
                                         const std::string& reference, GoldenTolerance tolerance) {
    const std::filesystem::path source = std::filesystem::path(TOLVANE_SOURCE_DIR) / reference;
    writePicture(pixels, width, height, source.filename().string());
    if (updatingGoldenImages()) {
        std::filesystem::create_directories(source.parent_path());
        if (!writePicture(pixels, width, height, source.string()))
            return ::testing::AssertionFailure() << "could not write " << source;
        std::printf("golden image written: %s\n", source.string().c_str());
        return ::testing::AssertionSuccess();
    }
    d3dx::ImageLoadDesc desc;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::A8R8G8B8;
    d3dx::Image image;
    const d3dx::ImageResult loaded = d3dx::LoadImageFromFile(source.string(), desc, &image);
    if (!loaded.ok())
        return ::testing::AssertionFailure() << "no reference " << source << ": " << loaded.reason
                                             << " (run with TOLVANE_UPDATE_GOLDEN=1 to write it)";
    const d3dx::Bitmap expected = imagesamples::bitmapOf(image);
    if (expected.width != width || expected.height != height)
        return ::testing::AssertionFailure() << "reference " << source << " is " << expected.width << " x "
                                             << expected.height << ", the picture " << width << " x " << height;
    size_t differing = 0;
    int worst = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const int d = channelDifference(pixels[i], expected.pixels[i]);
        worst = std::max(worst, d);
        if (d > tolerance.channel) ++differing;
    }
    const double share = pixels.empty() ? 0.0 : static_cast<double>(differing) / static_cast<double>(pixels.size());
    if (share > tolerance.differing)
        return ::testing::AssertionFailure() << differing << " pixels differ from " << source << " by more than "
                                             << tolerance.channel << " (worst " << worst
                                             << "); the picture is in the test's folder as "
                                             << source.filename().string();
    return ::testing::AssertionSuccess();
}

}  // namespace testsupport
