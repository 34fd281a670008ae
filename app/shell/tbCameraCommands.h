// The View/Camera commands, on the camera the view shows (tbCamera's view
// camera): a fixed orientation, or the camera put back as the program made
// it. Both do nothing without a view camera.
#pragma once

#include <cstdint>

// 0 free perspective, 1 front, 2 back, 3 top, 4 bottom, 5 left, 6 right.
void tbSetViewCameraOrientation(uint32_t mode);

// Resets the view camera when it is one of the application's four (the
// scene's first four cameras); the others keep their settings. The
// perspective camera is then made current and applied again, since the
// reset rebuilt its projection.
void tbResetViewCamera();
