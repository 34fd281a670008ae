// Golden images: a rendered picture compared with a reference committed
// beside the test, within a small tolerance.
//
// References are PNG files under tests/<folder>/golden/. When the pictures
// change on purpose (a new sample model, a changed effect), run the tests
// with TOLVANE_UPDATE_GOLDEN=1 in the environment: each compared picture is
// then written over its reference instead of being compared, and the test
// notes that it did so. Look at the new pictures before committing them.
//
// Every compared picture is also written to the test's working folder as
// "<name>.png" (the build's bin folder), so that a failure can be looked at.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct GoldenTolerance {
    int channel = 12;            // largest difference of one colour channel that still counts as equal
    double differing = 0.005;    // share of pixels allowed to differ by more
};

// `pixels` are 0xFFRRGGBB, rows top first. `reference` is the path of the
// PNG below the source tree (for example "tests/engine/graphics/golden/x.png").
::testing::AssertionResult matchesGolden(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height,
                                         const std::string& reference, GoldenTolerance tolerance = {});

// Whether the run rewrites references (TOLVANE_UPDATE_GOLDEN=1).
bool updatingGoldenImages();

// Writes the picture as a PNG at `path`; false when it could not be written.
bool writePicture(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height, const std::string& path);

}  // namespace testsupport
