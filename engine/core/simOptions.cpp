#include "engine/core/simOptions.h"

#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <optional>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsFiles.h"
#include "engine/core/utilsStrings.h"

namespace {

// Float and double settings go to whole numbers by truncation toward zero;
// values beyond the int range (or not numbers at all) are clamped rather
// than left to undefined conversion.
int truncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);
}

void logLine(const char* text) {
    if (g_console) g_console->print(text);
}

}  // namespace

// ---- Values

simOptions::simOptions()
    : default_windowPosition_x(0),
      default_windowPosition_y(0),
      default_windowSize_x(1024),
      default_windowSize_y(768),
      default_screenResolution_x(1024),
      default_screenResolution_y(768),
      default_windowState(1),
      default_screenRefresh(60),
      default_masterVolume(100),
      default_simulationSpeed(100),
      default_dynamicsQuality(180),
      multiplayer_clientPort(9002),
      multiplayer_serverPort(9003),
      default_fullscreen(false),
      default_renderProfiler(false),
      default_renderFrameCounter(false),
      default_vsync(true),
      default_smoothFramerate(true),
      default_antialiasing(false),
      default_sunGlow(false),
      default_glows(false),
      default_reflections(true),
      default_forceNoMipmaps(false),
      default_forceNoCompression(false),
      default_shadowQuality("Medium"),
      default_waterQuality("High"),
      default_particleQuality("High"),
      default_soundLibrary("XAudio"),
      default_guiTheme("default.thm") {
    g_options = this;
}

simOptions::~simOptions() {
    logLine("[~simOptions");
    logLine("~simOptions]\n");
    if (g_options == this) g_options = nullptr;
}

void simLinkOptions(simSystemLinks& links) {
    links.options.factory.create = [] {
        new simOptions();
        g_options->load("options.sim");
    };
    links.options.factory.destroy = [] { delete g_options; };
    links.options.soundLibrary = [] { return g_options->default_soundLibrary; };
    links.options.dynamicsQuality = [] { return g_options->default_dynamicsQuality; };
    links.options.simulationSpeed = [] { return g_options->default_simulationSpeed; };
}

std::string simOptions::quoteForLua(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 32 || c == 127) {
            // Three digits always, so that a digit after it is not read into it.
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\%03u", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
    return out;
}

void simOptions::writeBody(FILE* file) {
    if (default_windowState == 0) default_windowState = 1;
    auto integer = [&](const char* key, int value) { std::fprintf(file, "options.%s = %d\n", key, value); };
    auto whole = [&](const char* key, float value) { integer(key, truncateToInt(value)); };
    auto text = [&](const char* key, const std::string& value) {
        std::fprintf(file, "options.%s = %s\n", key, quoteForLua(value).c_str());
    };
    std::fputs("--###########################\n--revAvivad Options\n\n", file);
    integer("default_dynamicsQuality", default_dynamicsQuality);
    integer("default_simulationSpeed", default_simulationSpeed);
    whole("default_windowPosition_x", default_windowPosition_x);
    whole("default_windowPosition_y", default_windowPosition_y);
    whole("default_windowSize_x", default_windowSize_x);
    whole("default_windowSize_y", default_windowSize_y);
    integer("default_windowState", default_windowState);
    whole("default_screenResolution_x", default_screenResolution_x);
    whole("default_screenResolution_y", default_screenResolution_y);
    integer("default_screenRefresh", default_screenRefresh);
    integer("default_fullscreen", default_fullscreen);
    text("default_guiTheme", default_guiTheme);
    integer("default_renderProfiler", default_renderProfiler);
    integer("default_renderFrameCounter", default_renderFrameCounter);
    integer("default_vsync", default_vsync);
    integer("default_smoothFramerate", default_smoothFramerate);
    integer("default_antialiasing", default_antialiasing);
    integer("default_glows", default_glows);
    integer("default_sunGlow", default_sunGlow);
    integer("default_reflections", default_reflections);
    text("default_waterQuality", default_waterQuality);
    text("default_shadowQuality", default_shadowQuality);
    text("default_particleQuality", default_particleQuality);
    whole("default_masterVolume", default_masterVolume);
    integer("multiplayer_clientPort", multiplayer_clientPort);
    integer("multiplayer_serverPort", multiplayer_serverPort);
    integer("default_forceNoMipmaps", default_forceNoMipmaps);
    integer("default_forceNoCompression", default_forceNoCompression);
    text("default_soundLibrary", default_soundLibrary);
    std::fputs("\n\n", file);
}

// ---- The file

void simOptions::save(std::string fileName) {
    if (fileName.empty()) return;
    const std::string folder = g_application ? g_application->getSettingsFolder() : std::string();
    FILE* file = std::fopen(utils::joinPath(folder, "Settings/" + fileName).c_str(), "w");
    if (!file) return;
    std::fputs("options = {}\n\n", file);
    writeBody(file);
    std::fclose(file);
}

namespace {

// Reads the fields of the `options` table on top of the host's stack, one at
// a time: each reader pushes the field, applies its rule and pops it.
class OptionsTableReader {
public:
    explicit OptionsTableReader(simScriptManager& host) : m_host(host), m_state(host.getState()) {}

    // The field as a number, when it is one (or a string Lua reads as one).
    std::optional<double> number(const char* key) {
        std::optional<double> value;
        field(key, [&] {
            if (lua_isnumber(m_state, -1)) value = lua_tonumber(m_state, -1);
        });
        return value;
    }
    // The field's text, when it is a string or a number.
    std::optional<std::string> text(const char* key) {
        std::optional<std::string> value;
        field(key, [&] {
            if (lua_isstring(m_state, -1)) value = m_host.getString(0, 1);
        });
        return value;
    }
    // The field read whatever it holds: a wrong type is reported by the
    // host's reader, which gives its neutral value.
    double reportedNumber(const char* key) {
        double value = 0.0;
        field(key, [&] { value = m_host.getNumber(0, 1); });
        return value;
    }
    std::string reportedText(const char* key) {
        std::string value;
        field(key, [&] { value = m_host.getString(0, 1); });
        return value;
    }

private:
    template <class Rule>
    void field(const char* key, Rule rule) {
        m_host.getTableField(key);
        rule();
        m_host.pop(1);
    }

    simScriptManager& m_host;
    lua_State* m_state;
};

}  // namespace

bool simOptions::load(std::string fileName) {
    simScriptManager* host = g_scriptManager;
    if (!host) {
        logLine("ERROR: simOptions::load - no script host\n");
        return false;
    }
    // A failed load leaves a table of its own in place of the file's.
    auto fail = [&](const char* line) {
        logLine(line);
        host->executeString("options = {} options.language = \"Unknown\"");
        return false;
    };
    if (!fileName.empty()) {
        const std::string folder = g_application ? g_application->getSettingsFolder() : std::string();
        if (!utils::fileExists(utils::joinPath(folder, "Settings/" + fileName)))
            return fail("ERROR: options file not located\n");
        if (!host->run("Settings", fileName, simRootKind_settings))
            return fail("ERROR: issue loading options file\n");
    }
    if (!host->getGlobalTable("options")) {
        host->pop(1);
        return fail("ERROR: could not locate options table\n");
    }

    OptionsTableReader table(*host);
    auto wholeOr = [](std::optional<double> value, int fallback) {
        return value ? truncateToInt(*value) : fallback;
    };
    auto floatOr = [](std::optional<double> value, float fallback) {
        return value ? static_cast<float>(*value) : fallback;
    };
    auto flagOr = [](std::optional<double> value, bool fallback) { return value ? *value != 0.0 : fallback; };

    default_dynamicsQuality = wholeOr(table.number("default_dynamicsQuality"), default_dynamicsQuality);
    default_simulationSpeed = wholeOr(table.number("default_simulationSpeed"), default_simulationSpeed);
    default_windowPosition_x = floatOr(table.number("default_windowPosition_x"), 0.0f);
    default_windowPosition_y = floatOr(table.number("default_windowPosition_y"), 0.0f);
    default_windowSize_x = floatOr(table.number("default_windowSize_x"), 1024.0f);
    default_windowSize_y = floatOr(table.number("default_windowSize_y"), 768.0f);
    default_windowState = wholeOr(table.number("default_windowState"), default_windowState);
    if (default_windowState == 0) default_windowState = 1;
    default_screenResolution_x =
        floatOr(table.number("default_screenResolution_x"), default_screenResolution_x);
    default_screenResolution_y =
        floatOr(table.number("default_screenResolution_y"), default_screenResolution_y);
    default_screenRefresh = wholeOr(table.number("default_screenRefresh"), default_screenRefresh);
    // These two look at the whole part only: 0.5 is off.
    default_forceNoMipmaps = wholeOr(table.number("default_forceNoMipmaps"), 0) != 0;
    default_forceNoCompression = wholeOr(table.number("default_forceNoCompression"), 0) != 0;
    default_fullscreen = flagOr(table.number("default_fullscreen"), default_fullscreen);
    default_guiTheme = table.text("default_guiTheme").value_or(default_guiTheme);
    default_renderProfiler = flagOr(table.number("default_renderProfiler"), default_renderProfiler);
    default_renderFrameCounter =
        flagOr(table.number("default_renderFrameCounter"), default_renderFrameCounter);
    default_vsync = flagOr(table.number("default_vsync"), default_vsync);
    default_smoothFramerate = flagOr(table.number("default_smoothFramerate"), default_smoothFramerate);
    default_glows = flagOr(table.number("default_glows"), default_glows);
    default_sunGlow = flagOr(table.number("default_sunGlow"), true);
    default_reflections = table.reportedNumber("default_reflections") != 0.0;
    default_waterQuality = table.text("default_waterQuality").value_or("High");
    default_shadowQuality = table.reportedText("default_shadowQuality");
    default_particleQuality = table.reportedText("default_particleQuality");
    default_antialiasing = table.reportedNumber("default_antialiasing") != 0.0;
    default_soundLibrary = table.text("default_soundLibrary").value_or("OpenAL");
    default_masterVolume = static_cast<float>(table.reportedNumber("default_masterVolume"));
    multiplayer_clientPort = wholeOr(table.number("multiplayer_clientPort"), 9002);
    multiplayer_serverPort = wholeOr(table.number("multiplayer_serverPort"), 9003);
    host->pop(1);
    return true;
}
