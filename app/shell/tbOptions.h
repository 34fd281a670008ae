// tbOptions: the editor's own settings, kept apart from the engine's options.
//
// The settings live in the Lua text file "tolvaneBuilderSettings.sim" in the
// folder "Settings" of the settings folder (the user's simulator folder). The
// file is read once at start-up through the engine's Lua host and written
// once at exit. Some values are this object's own fields; the paint colours,
// the brush and the current tool belong to the tool state and are read into
// it and written from it. Two switches are copied into the engine's options
// when read, and the backdrop colour becomes the view's clear colour.
//
// File layout (every line ends with a line feed): "options = {}", then
// "options.<key> = <integer>" lines in groups split by blank lines, then 120
// swatch lines "options.swatchColour_<row>_<column>_<a|r|g|b>", then one
// blank line. Reading applies each key on its own: a key that is missing or
// not a number (a string Lua reads as a number counts as one) leaves its
// value as it was, except where the table in load() says otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/core/simColour.h"

class tbToolState;

class tbOptions {
public:
    static constexpr int kSwatchRows = 6;
    static constexpr int kSwatchColumns = 5;
    static constexpr const char* kFileName = "tolvaneBuilderSettings.sim";

    // The defaults below; also sets the tool state's main and second colours
    // to opaque white, the brush size to 5 in [0, 100], the hardness to 50
    // and the angle to 0.
    explicit tbOptions(tbToolState& toolState);

    // Reads the settings file of the settings folder's "Settings" folder.
    // A missing or broken file leaves every key absent; the main colour then
    // is white, the second colour black, and the backdrop goes to the view.
    void load(const std::string& fileName);
    // Writes the file through a temporary beside it; false (and a log line,
    // and the system's reason in `reason`) when any step fails, in which
    // case the old file stays as it was.
    bool save(const std::string& fileName, std::string* reason = nullptr) const;
    // The save at exit: as save(), and a failure is also told to the user in
    // an error box, since the changed settings are about to be lost.
    void saveAtExit(const std::string& fileName) const;

    // The file's text for the current values.
    std::string toText() const;

    // The path of a settings file: settings folder + "Settings/" + name.
    static std::string settingsFilePath(const std::string& fileName);

    float windowPosX = 0.0f;
    float windowPosY = 0.0f;
    float windowSizeX = 1024.0f;
    float windowSizeY = 768.0f;
    bool maximised = true;
    bool showSecondView = true;
    int32_t currentTool = 0;  // as read; the file receives the tool state's tool
    int32_t lightingMode = 0;
    // Row-major, 6 rows of 5; each starts as (75, 75, 75) opaque.
    std::array<simColour, kSwatchRows * kSwatchColumns> swatches;
    simColour backdropColour;  // black, opaque
    bool antialiasing = false;
    bool forceNoMipmaps = false;
    bool showPaintableObjectsOnly = true;

    simColour& swatch(int row, int column) { return swatches[static_cast<size_t>(row * kSwatchColumns + column)]; }
    const simColour& swatch(int row, int column) const {
        return swatches[static_cast<size_t>(row * kSwatchColumns + column)];
    }

private:
    tbToolState& m_toolState;
};
