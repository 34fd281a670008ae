// tbWaterBrush: the size of the water brush, from the water editor's
// "Brush radius:" slider.
//
// One world radius decides both what a dab paints into the mask and the
// outline drawn around the brush point in the view, so the outline circles
// exactly what the next dab will cover. A slider step is 4 texels of the
// 2048-texel mask, which spans 20000 world units a side.
#pragma once

#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbWaterMask.h"

inline constexpr float kWaterBrushTexelsPerStep = 4.0f;

// World units from the brush point to the edge of a dab.
inline constexpr float tbWaterBrushWorldRadius(int sliderPosition) {
    return float(sliderPosition) * kWaterBrushTexelsPerStep * tbProject_flyingsite::kWaterMaskExtent /
           float(tbWaterMask::kSize);
}

// The same radius in texels of the mask.
inline constexpr float tbWaterBrushTexelRadius(int sliderPosition) {
    return tbWaterBrushWorldRadius(sliderPosition) * float(tbWaterMask::kSize) /
           tbProject_flyingsite::kWaterMaskExtent;
}
