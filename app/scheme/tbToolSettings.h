// tbToolSettings: the painting tools' and their bars' settings as a project
// file stores them, with the records of the scene's first two cameras and
// the view mode, at the end of the geometry block.
//
// Plain values: the bars and tools copy theirs in before a save and take
// them back after an open. Each field keeps its own value, so the text bar's
// gradient direction and its list selection come back separately.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/scheme/tbStoredShape.h"
#include "app/shell/tbCameraRecord.h"
#include "platform/d3dx/d3dxMathTypes.h"

// One of the image-projection bar's six slots (+X, -X, +Y, -Y, +Z, -Z).
struct tbProjectionSlotSettings {
    uint32_t threshold = 0;    // degrees
    uint32_t doubleSided = 0;  // 0 or 1
    uint32_t wrapMode = 0;     // 0 wrap, 1 clamp
    std::string imageName;     // at most 255 characters
    std::string imagePath;     // at most 255 characters
    uint8_t show = 0;
    bool operator==(const tbProjectionSlotSettings&) const = default;
};

// The six projectors' placements of the projection or text tool.
struct tbProjectorPlacements {
    std::array<d3dx::Vector3, 6> positions{};
    std::array<d3dx::Vector3, 6> scales{};
    std::array<d3dx::Vector3, 6> rotations{};
    std::array<d3dx::Vector2, 6> extents{};
    bool operator==(const tbProjectorPlacements&) const = default;
};

struct tbToolSettings {
    // A camera's file record (its layout is the camera's own).
    static constexpr size_t kCameraRecordSize = tbCameraRecord::kSize;
    using CameraRecord = tbCameraRecordBytes;

    // Flood bar.
    uint32_t floodAxis = 0;  // 0 X, 1 Y, 2 Z
    uint8_t floodGradient = 0;
    // Mirror bar: 0 "-X -> +X axis", 1 "+X -> -X axis". The file keeps no
    // place for it: the bar's value goes on for the program's run.
    int32_t mirrorDirection = 0;
    // Image-projection bar and tool.
    uint32_t projectionSlot = 0;
    std::array<tbProjectionSlotSettings, 6> projectionSlots{};
    std::string projectionLastFolder;  // at most 255 characters
    tbProjectorPlacements projection;
    // Shape bar and the shape tool's current outline.
    uint32_t shapeAxis = 0;
    uint8_t shapeGradient = 0;
    uint8_t shapeDoubleSided = 0;
    std::vector<tbShapePoint> shapeOutline;
    // Text bar.
    uint32_t textGradientDirection = 0;  // 0 horizontal, 1 vertical
    uint32_t textSided = 0;              // 0 "one sided", 1 "double sided"
    uint8_t textColourMode = 0;          // 0 solid, 1 gradient
    uint32_t textListSelection = 0;      // the bar's first list box
    // Text tool.
    std::string text;      // at most 255 characters
    std::string fontName;  // at most 63 characters
    uint8_t italic = 0;
    uint8_t bold = 0;
    tbProjectorPlacements textProjection;
    d3dx::Vector3 textPosition, textScale, textRotation;
    // UV selection: mode 0 none, 1 corners, 2 faces, with that mode's list.
    int32_t uvMode = 0;
    std::vector<uint32_t> selectedFaces;                          // triangle indices
    std::vector<std::pair<uint32_t, uint32_t>> selectedCorners;  // (triangle index, corner 0..2)
    // The scene's first two cameras, those that exist.
    std::vector<CameraRecord> cameras;
    uint32_t viewMode = 0;  // 0 3-D view, 1 texture view

    bool operator==(const tbToolSettings&) const = default;
};
