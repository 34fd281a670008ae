// tbGeometryTool_mirror: the mirror tool, which copies the paint of one half
// of the model onto the other across the model's x = 0 plane.
//
// It runs at once when the mirror bar's button is pressed. The triangles of
// every enabled, visible sub-object's paintable parts are matched across
// the plane (tbMatchMirror); each written triangle gets the texels found at
// its mirror image, all drawn in one batch at the end, so every copy reads
// the picture as it was before the mirror began. Triangles whose mirror
// image is not found keep their paint. The tool keeps no state between runs.
#pragma once

#include <cstdint>
#include <functional>

class tbGeometry;
class tbProgress;

namespace tbGeometryTool_mirror {

// The mirror bar's directions: its combo box's selection.
constexpr int32_t kMinusToPlus = 0;  // "-X -> +X axis": writes the triangles with centre x <= 0
constexpr int32_t kPlusToMinus = 1;  // "+X -> -X axis": writes those with centre x >= 0

// The progress box the bar's button shows while the mirror runs.
inline constexpr const char* kProgressTitle = "Mirroring texture";
inline constexpr const char* kProgressText =
    "Please wait, this may take several minutes depending on selected objects and geometry complexity.";

// Draws the copies into the paint texture and reports each copied
// triangle's texels to the undo history (the caller pushes the step).
// `progress` hears percent: the matching runs from 0 to 95, the drawing
// ends at 100. Nothing without a paint texture or a renderer.
void perform(tbGeometry& model, int32_t direction, const std::function<void(float)>& progress = {});

// The mirror bar's button: with a model, the progress box around the
// mirror, then one undo step for the whole copy. Nothing without a model.
void apply(tbGeometry* model, int32_t direction, tbProgress& progress);

}  // namespace tbGeometryTool_mirror
