// simViewport: the rectangle of the back buffer a camera draws into.
//
// The device's viewport record (X, Y, width, height in pixels as u32; MinZ,
// MaxZ as f32), with the engine's default of one pixel at the origin over
// the whole depth range, so that a viewport made and not yet sized still
// gives a finite aspect ratio.
#pragma once

#include "platform/d3dx/d3dxMathTypes.h"

struct simViewport : d3dx::Viewport {
    simViewport() {
        X = 0;
        Y = 0;
        Width = 1;
        Height = 1;
        MinZ = 0.0f;
        MaxZ = 1.0f;
    }
    simViewport(const d3dx::Viewport& v) : d3dx::Viewport(v) {}
};
