// The engine options: display, quality, sound and network settings with their
// defaults, read and written as the engine options file.
//
// The file is Lua text that defines a global table `options` with one field
// per setting, run through the engine's Lua host to load it. One object
// exists, reached through `g_options`. The host may make it before the engine
// creates its systems (this program does, and so never reads or writes the
// file); otherwise the engine makes it and loads "options.sim".
//
// The fields carry the names of their keys in the file, so that code, file
// and log talk about a setting by one name.
#pragma once

#include <cstdio>
#include <string>

struct simSystemLinks;

class simOptions {
public:
    // Every field at its default; points g_options at the new object.
    simOptions();
    // Logs "[~simOptions" then "~simOptions]\n"; clears g_options.
    virtual ~simOptions();

    // Loads "<settings folder>Settings/<fileName>" through the engine's Lua host
    // and reads every key by its own rule (a missing or wrong-typed key keeps
    // its value, takes a fixed fallback or is reported, key by key). With an
    // empty name only the reading is done, on whatever `options` table the host
    // holds. Gives false, with one "ERROR:" log line, when the file is missing,
    // fails to run or defines no `options` table; the fields are then left as
    // they were and a fallback `options` table is put in place of the file's.
    virtual bool load(std::string fileName);

    // Writes "<settings folder>Settings/<fileName>", replacing any earlier
    // file. An empty name, or a file that cannot be created, writes nothing and
    // reports nothing.
    virtual void save(std::string fileName);

    // Writes the banner and one line per key to an open file; `save` uses it.
    // A minimised window state is turned into the normal state first, in the
    // object too, so that the program never starts minimised.
    virtual void writeBody(FILE* file);

    // Window position and size, screen resolution: pixels.
    float default_windowPosition_x;
    float default_windowPosition_y;
    float default_windowSize_x;
    float default_windowSize_y;
    float default_screenResolution_x;
    float default_screenResolution_y;
    int default_windowState;      // 0 minimised, 1 normal, 2 maximised
    int default_screenRefresh;    // Hz
    float default_masterVolume;   // per cent
    int default_simulationSpeed;  // per cent
    int default_dynamicsQuality;
    int multiplayer_clientPort;
    int multiplayer_serverPort;
    bool default_fullscreen;
    bool default_renderProfiler;
    bool default_renderFrameCounter;
    bool default_vsync;
    bool default_smoothFramerate;
    bool default_antialiasing;
    bool default_sunGlow;
    bool default_glows;
    bool default_reflections;
    bool default_forceNoMipmaps;
    bool default_forceNoCompression;
    std::string default_shadowQuality;
    std::string default_waterQuality;
    std::string default_particleQuality;
    std::string default_soundLibrary;  // "OpenAL", "DirectSound", "XAudio"; anything else is silence
    std::string default_guiTheme;      // theme file name

    // A Lua string literal, quotes included, that Lua reads back as exactly
    // `text`: a double quote, a backslash or a control character in a name
    // must not end the literal or break the file. Text without such characters
    // comes out between plain double quotes, unchanged.
    static std::string quoteForLua(const std::string& text);
};

// Joins the options to the engine application: its own options (loaded from
// "options.sim") when the host made none, and the three values the
// application reads from them. Called once at start-up, like the other links.
void simLinkOptions(simSystemLinks& links);
