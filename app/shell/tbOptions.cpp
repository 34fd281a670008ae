#include "app/shell/tbOptions.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/shell/tbAtomicSave.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "platform/ui/messageBox.h"

namespace {

simColour greySwatch() {
    simColour colour;
    colour.red = colour.green = colour.blue = 75;
    return colour;
}

simColour opaqueWhite() {
    simColour colour;
    colour.red = colour.green = colour.blue = 255;
    return colour;
}

// A float written as "%d": truncated toward zero, kept inside the integer
// range (a window dragged far away must not make the text undefined).
long truncated(float value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0f) return 2147483647L;
    if (value <= -2147483648.0f) return -2147483647L - 1;
    return static_cast<long>(value);
}

class TextWriter {
public:
    void line(const char* format, long value) {
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, format, value);
        m_text += buffer;
        m_text += '\n';
    }
    void text(const char* line) {
        m_text += line;
        m_text += '\n';
    }
    void blank() { m_text += '\n'; }
    // Four lines, alpha first: "<prefix>_a" ... "<prefix>_b".
    void colour(const std::string& prefix, const simColour& colour) {
        const long values[4] = {colour.alpha, colour.red, colour.green, colour.blue};
        const char* suffixes[4] = {"_a", "_r", "_g", "_b"};
        for (int i = 0; i < 4; ++i) line((prefix + suffixes[i] + " = %ld").c_str(), values[i]);
    }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

}  // namespace

tbOptions::tbOptions(tbToolState& toolState) : m_toolState(toolState) {
    swatches.fill(greySwatch());
    m_toolState.setMainColour(opaqueWhite());
    m_toolState.setSecondColour(opaqueWhite());
    m_toolState.setBrushSize(5.0f, 0.0f, 100.0f);
    m_toolState.setBrushHardness(50.0f);
    m_toolState.setBrushAngle(0.0f);
}

std::string tbOptions::settingsFilePath(const std::string& fileName) {
    std::string folder = g_application ? g_application->getSettingsFolder() : std::string();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + "Settings/" + fileName;
}

std::string tbOptions::toText() const {
    TextWriter out;
    out.text("options = {}");
    out.blank();
    out.line("options.forceNoMipmaps = %ld", forceNoMipmaps);
    out.blank();
    out.line("options.antialiasing = %ld", antialiasing);
    out.blank();
    out.line("options.lightingMode = %ld", lightingMode);
    out.blank();
    out.line("options.showPaintableObjectsOnly = %ld", showPaintableObjectsOnly);
    out.blank();
    out.line("options.windowSize_x = %ld", truncated(windowSizeX));
    out.line("options.windowSize_y = %ld", truncated(windowSizeY));
    out.blank();
    out.line("options.windowPos_x = %ld", truncated(windowPosX));
    out.line("options.windowPos_y = %ld", truncated(windowPosY));
    out.blank();
    out.line("options.maximised = %ld", maximised);
    out.blank();
    out.line("options.showSecondView = %ld", showSecondView);
    out.blank();
    out.colour("options.backdropColour", backdropColour);
    out.blank();
    out.colour("options.colour", m_toolState.mainColour());
    out.blank();
    out.colour("options.backgroundColour", m_toolState.secondColour());
    out.blank();
    out.line("options.brushSize = %ld", truncated(m_toolState.brushSize()));
    out.line("options.brushHardness = %ld", truncated(m_toolState.brushHardness()));
    out.line("options.brushAngle = %ld", truncated(m_toolState.brushAngle()));
    out.blank();
    out.line("options.currentTool = %ld", m_toolState.tool());
    out.blank();
    for (int row = 0; row < kSwatchRows; ++row) {
        for (int column = 0; column < kSwatchColumns; ++column) {
            out.colour("options.swatchColour_" + std::to_string(row) + "_" + std::to_string(column),
                       swatch(row, column));
        }
    }
    out.blank();
    return out.take();
}

bool tbOptions::save(const std::string& fileName, std::string* reason) const {
    const std::string path = settingsFilePath(fileName);
    simLog("tbOptions::save: " + path + "...\n");
    std::string error;
    if (tbSaveFileAtomically(path, toText(), &error)) return true;
    simLog("tbOptions::save - ERROR FILE HANDLE INVALID: " + path + "\n");
    simLog("  " + error + "; the previous settings file is kept\n");
    if (reason) *reason = error;
    return false;
}

void tbOptions::saveAtExit(const std::string& fileName) const {
    std::string reason;
    if (save(fileName, &reason)) return;
    const std::string path = settingsFilePath(fileName);
    std::error_code error;
    const bool kept = std::filesystem::is_regular_file(path, error);
    ui::showError("The settings could not be saved to\n" + path + "\n" + reason +
                      (kept ? "\nThe settings saved before are kept." : ""),
                  "Save settings");
}
