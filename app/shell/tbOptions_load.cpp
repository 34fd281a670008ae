// Reading the settings file: each key is looked up on its own and applied by
// its rule; anything that is not a usable number counts as absent.
#include <lua.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/shell/tbOptions.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simScriptManager.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"

namespace {

constexpr uint32_t kStateClearColour = 28;
constexpr uint32_t kSettingsRoot = 1;

// The fields of the `options` table on top of the host's stack. A value is
// a number when Lua says so (a numeric string counts) and it is finite: NaN
// and infinities in a hand-edited file count as absent.
class SettingsTable {
public:
    SettingsTable(simScriptManager* host, bool present) : m_host(host), m_present(present) {}

    std::optional<double> number(const std::string& key) const {
        if (!m_present) return std::nullopt;
        std::optional<double> value;
        m_host->getTableField(key);
        lua_State* state = m_host->getState();
        if (lua_isnumber(state, -1)) {
            const double number = lua_tonumber(state, -1);
            if (std::isfinite(number)) value = number;
        }
        m_host->pop(1);
        return value;
    }
    // Truncated toward zero, inside the 32-bit range.
    std::optional<int32_t> whole(const std::string& key) const {
        const std::optional<double> value = number(key);
        if (!value) return std::nullopt;
        return static_cast<int32_t>(std::fmax(std::fmin(std::trunc(*value), 2147483647.0), -2147483648.0));
    }
    std::optional<float> real(const std::string& key) const {
        const std::optional<double> value = number(key);
        if (!value) return std::nullopt;
        return static_cast<float>(std::fmax(std::fmin(*value, 3.0e38), -3.0e38));
    }
    // Four keys "<prefix>_a" .. "_b" into `colour`; each component kept to 0..255.
    void colour(const std::string& prefix, simColour& colour) const {
        int32_t* components[4] = {&colour.alpha, &colour.red, &colour.green, &colour.blue};
        const char* suffixes[4] = {"_a", "_r", "_g", "_b"};
        for (int i = 0; i < 4; ++i) {
            if (const std::optional<int32_t> value = whole(prefix + suffixes[i]))
                *components[i] = std::clamp(*value, 0, 255);
        }
    }

private:
    simScriptManager* m_host;
    bool m_present;
};

template <class T, class Apply>
void ifPresent(const std::optional<T>& value, Apply apply) {
    if (value) apply(*value);
}

}  // namespace

void tbOptions::load(const std::string& fileName) {
    simLog("[tbOptions::load-");
    simScriptManager* host = g_scriptManager;
    bool present = false;
    if (host) {
        // A table left by another script (the engine's options use the same
        // name) must not stand in for a missing or broken file.
        host->executeString("options = nil");
        host->run("Settings", fileName, kSettingsRoot);
        present = host->getGlobalTable("options");
    }
    const SettingsTable table(host, present);

    forceNoMipmaps = table.whole("forceNoMipmaps").value_or(0) != 0;
    if (g_options) g_options->default_forceNoMipmaps = forceNoMipmaps;
    antialiasing = table.whole("antialiasing").value_or(0) != 0;
    if (g_options) g_options->default_antialiasing = antialiasing;
    ifPresent(table.whole("showPaintableObjectsOnly"), [&](int32_t v) { showPaintableObjectsOnly = v != 0; });
    ifPresent(table.whole("lightingMode"), [&](int32_t v) { lightingMode = v; });
    ifPresent(table.real("windowSize_x"), [&](float v) { windowSizeX = v; });
    ifPresent(table.real("windowSize_y"), [&](float v) { windowSizeY = v; });
    ifPresent(table.real("windowPos_x"), [&](float v) { windowPosX = v; });
    ifPresent(table.real("windowPos_y"), [&](float v) { windowPosY = v; });
    ifPresent(table.number("maximised"), [&](double v) { maximised = v != 0.0; });
    ifPresent(table.number("showSecondView"), [&](double v) { showSecondView = v != 0.0; });

    simColour main;
    main.red = main.green = main.blue = main.alpha = 255;
    table.colour("colour", main);
    m_toolState.setMainColour(main);

    table.colour("backdropColour", backdropColour);
    if (g_graphics && g_graphics->getRenderer() && g_graphics->getRenderer()->getState())
        g_graphics->getRenderer()->getState()->setState(kStateClearColour, backdropColour.toARGB());

    simColour second;  // black, opaque
    table.colour("backgroundColour", second);
    m_toolState.setSecondColour(second);

    ifPresent(table.real("brushSize"), [&](float v) { m_toolState.setBrushSize(v, 0.0f, 100.0f); });
    ifPresent(table.real("brushHardness"), [&](float v) { m_toolState.setBrushHardness(v); });
    ifPresent(table.real("brushAngle"), [&](float v) { m_toolState.setBrushAngle(v); });
    // A number that names no tool is as good as none: the brush stays.
    ifPresent(table.whole("currentTool"), [&](int32_t v) {
        if (v == kToolRetired || tbFindTool(v)) currentTool = v;
    });

    for (int row = 0; row < kSwatchRows; ++row) {
        for (int column = 0; column < kSwatchColumns; ++column) {
            simColour colour;
            colour.red = colour.green = colour.blue = 75;
            table.colour("swatchColour_" + std::to_string(row) + "_" + std::to_string(column), colour);
            swatch(row, column) = colour;
        }
    }
    if (host) host->pop(1);  // the global, table or not
    simLog("-tbOptions::load]");
}
