// simConsole: the engine's one log.
//
// Every part of the program writes its progress lines, warnings and "ERROR:"
// lines through the console in the engine's console pointer (g_console).
// Each text goes, unchanged and at once, to up to three places: the console
// window (standard output here) when it was asked for, the diagnostic file in
// the settings folder (written and flushed per call), and an in-memory
// history of recent texts. The console adds nothing: no newline, time stamp
// or level; callers end their lines with "\n" and may build one line from
// several calls.
//
// The program makes one console at start-up and never destroys it; the
// process exit closes the file.
#pragma once

#include <cstdio>
#include <deque>
#include <string>

#include "platform/d3dx/d3dxMathTypes.h"

class simConsole {
public:
    // What the log's header tells about the program; the engine application
    // knows these and passes them in.
    struct HostInfo {
        std::string windowTitle;     // the console window's title is this + " - Debug Console"
        std::string version;         // "%d.%d.%c"
        std::string programFolder;   // with its trailing '/'
        std::string settingsFolder;  // the diagnostic file goes here
    };

    // The most texts the history keeps; older ones are dropped one per call.
    static constexpr int kHistoryCap = 1000;

    // Sets g_console, logs the banner (history and window only, as the file
    // is not open yet), opens settingsFolder + "/" + fileName for writing
    // (replacing an old file; a failure is logged as an "ERROR:" line and the
    // console goes on without a file) and logs the application information.
    // Without host information it is taken from the engine application
    // (g_application), or left empty while there is none.
    simConsole(std::string fileName, bool consoleWindow);
    simConsole(std::string fileName, bool consoleWindow, const HostInfo& host);
    // Clears g_console and closes the file.
    virtual ~simConsole();
    simConsole(const simConsole&) = delete;
    simConsole& operator=(const simConsole&) = delete;

    // Each logs its text unchanged, with no newline added.
    void print(const char* text);
    void printString(std::string text);
    void printFloat(double value);               // "%0.5f"
    void printInt(int value);                    // "%d"
    void printVector2(const d3dx::Vector2& v);   // "[%0.4f,%0.4f]"

    // Appends to the history (dropping the oldest past the cap); a text that
    // arrives while the history is being changed is dropped.
    void addHistoryLine(std::string text);

    const std::deque<std::string>& getHistory() const { return m_history; }
    int getHistoryCount() const { return static_cast<int>(m_history.size()); }
    // The diagnostic file's path, and whether it is open.
    const std::string& getFilePath() const { return m_filePath; }
    bool hasFile() const;

private:
    static HostInfo applicationInfo();
    void write(const std::string& text);

    bool m_consoleWindow;
    bool m_historyBusy = false;
    std::deque<std::string> m_history;
    std::string m_filePath;
};
