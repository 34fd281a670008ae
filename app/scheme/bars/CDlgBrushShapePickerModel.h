// What the brush-shape picker decides, without a window: the rows of its
// tree (the plain brush, then the decals of the program's decal folder, the
// user's decal folder and each sub-folder of the program's), their 32 by 32
// thumbnails, made on the CPU from the bitmap files, and what choosing a row
// does to the tool state's brush image.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/d3dx/d3dxImageFilter.h"
#include "platform/d3dx/d3dxImageTypes.h"

class simTexture;
class tbToolState;

namespace bars {

// One row of the tree.
struct DecalRow {
    std::string text;
    int parent = -1;        // index of the folder row it hangs under, -1 at the root
    std::string imagePath;  // the picture of its thumbnail (empty: none)
    // The decal it chooses: a file name in a sub-folder of a resource root
    // kind (simResources). A folder row has no file name; the plain brush's
    // file name is "Brush", which names no texture.
    int rootKind = 0;
    std::string subFolder;
    std::string fileName;

    bool choosable() const { return !fileName.empty(); }
};

// Where the decals are: the program's resource folder ("<program>/resources")
// and the user's simulator folder (the settings root).
struct DecalFolders {
    std::string resources;
    std::string settings;
};

// The tree's rows in insertion order; a folder that does not exist gives
// none. Files are listed in name order.
std::vector<DecalRow> tbListDecals(const DecalFolders& folders);

// The picture of a decal's file, bounded in size; false when it cannot be
// read or decoded.
bool tbReadDecalPicture(const std::string& path, d3dx::Bitmap& picture, d3dx::ImageInfo& info);
// The picture of `path` scaled to 32 by 32 (A8R8G8B8 pixels); an empty
// bitmap when it cannot be read.
d3dx::Bitmap tbDecalThumbnail(const std::string& path);

class BrushShapePickerModel {
public:
    static constexpr int kThumbnailSize = 32;

    // `textureOf` gives a decal's texture, loading it when it is not loaded
    // yet, or null when there is none (the plain brush).
    BrushShapePickerModel(tbToolState& tools, std::function<simTexture*(const DecalRow&)> textureOf,
                          std::string plainBrushImage)
        : tools_(tools), textureOf_(std::move(textureOf)), plainBrushImage_(std::move(plainBrushImage)) {}

    // A row was selected (null: none): its texture becomes the brush image,
    // or the hardness images when it has none. Gives the picture the brush
    // bar's shape preview shows, or nothing when the row chooses nothing.
    std::optional<std::string> select(const DecalRow* row);
    // A double click: selects, and gives true when the picker should close.
    bool chooseAndClose(const DecalRow* row) { return select(row).has_value(); }

private:
    tbToolState& tools_;
    std::function<simTexture*(const DecalRow&)> textureOf_;
    std::string plainBrushImage_;
};

}  // namespace bars
