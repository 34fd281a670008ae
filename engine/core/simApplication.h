// simApplication: the engine's spine.
//
// One object of it exists per process; the host's application object derives
// from it, constructs it first and then drives it. It has no frame loop of its
// own: the host calls, in this order, the constructor, `createWindow` with its
// view, `createSystems` (after handing in its own console, options, graphics,
// input and mouse), `initialise`, then once per frame `update`,
// `purgeSafeDeleteObjects(false)` and `redraw`, and at the end the destructor.
//
// It holds the start-up facts (version, title, folders, command line), the run
// state (status, running and quit flags, pause and freeze), the registries of
// everything that takes part in a frame (all objects and the update, events,
// render and physics lists, the safe-delete list, timers, event callbacks,
// script hosts), the loading screen and the message list. It creates and
// destroys the engine systems in a fixed order; systems it does not own are
// reached through `systemLinks()` (simSystemLinks.h).
//
// The lists may change while they are broadcast over (a handler makes or
// destroys objects): see simObjectList.h. A frame cannot start inside another
// frame: `update`, `redraw` and the ordinary purge called while a frame is
// running (a modal box opened mid-frame runs the host's timer in its own
// loop) return at once.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/simObjectList.h"
#include "engine/core/simSafeDeleteObject.h"
#include "engine/core/simVersion.h"
#include "engine/core/utilsTimer.h"
#include "platform/win/winTypes.h"

struct lua_State;
struct simInputEvent;
class simBoundingBox;
class simGuiElement;
class simObject;
class simScriptManager;
class manipulatorContainer;

// One entry of the message list.
struct simMessage {
    int32_t kind = 0;
    std::string text;
    float value = 0.0f;
};

// A callback the engine calls every `interval` ms from its update. Removed by
// `safeDelete`: a marked timer never fires again.
class simTimerRecord : public simSafeDeleteObject {
public:
    using Callback = void (*)(void* userData);
    static constexpr size_t kUserDataSize = 400;

    simTimerRecord(Callback callback, float intervalMs);
    ~simTimerRecord() override;
    std::string getTypeName() override { return "simTimerRecord"; }

    Callback callback;
    float intervalMs;
    utils::Timer stopwatch;
    std::array<unsigned char, kUserDataSize> userData{};  // the callback receives its address
};

// A callback the engine hands every input event after its event objects.
// Removed by `safeDelete`: a marked record is skipped.
class simEventCallbackRecord : public simSafeDeleteObject {
public:
    using Callback = void (*)(simInputEvent* event, void* userData);
    static constexpr size_t kUserDataSize = 400;

    explicit simEventCallbackRecord(Callback callback);
    ~simEventCallbackRecord() override;
    std::string getTypeName() override { return "simEventCallbackRecord"; }

    Callback callback;
    std::array<unsigned char, kUserDataSize> userData{};
};

class simApplication {
public:
    static constexpr size_t kMaxMessages = 500;
    static constexpr double kLoadingRedrawMs = 250.0;

    // The host passes allowMultipleInstances false.
    simApplication(simVersion version, std::string name, win::HINSTANCE instance,
                   bool allowMultipleInstances);
    virtual ~simApplication();

    simApplication(const simApplication&) = delete;
    simApplication& operator=(const simApplication&) = delete;

    // ---- Start-up
    // Creates every system whose global is still null, in the engine's fixed
    // order: options, graphics (a failed start stops here), input with mouse
    // and keyboard, dynamics, GUI element manager, manipulator container,
    // sound (only when none exists).
    virtual void createSystems();
    // Reports each missing system as a serious error, creates the engine
    // fonts and profiler sections, and applies the options' simulation speed.
    virtual void initialise();

    // ---- The frame
    // Keyboard latches, the window pump, every update-flagged object, the
    // timers, then a purge of the safe-delete list.
    virtual void update();
    virtual void preUpdateObjects();
    virtual void postUpdateObjects();
    virtual void preDynamicsObjects();
    virtual void dynamicsStepObjects(float step);
    virtual void fixedUpdateObjects();
    virtual void onDeviceChange() {}
    // Running false, quit requested true.
    virtual void close();
    // Whether the mouse may act now; the host narrows it to its 3-D view.
    virtual bool acceptsMouseInput() { return true; }
    // Every events-flagged object, newest first, then the event callbacks.
    virtual void onEvent(simInputEvent* event);
    // Pre-render hooks, the graphics frame and present, timed as "Graphics".
    virtual void redraw();

    // ---- Redraw only when something changed (bodies in simApplication_redraw.cpp)
    // The host runs `update` every frame, so objects, timers and scripts keep
    // their timing, but draws (and presents) only when what the view shows
    // may have changed since the last drawn frame:
    //  - a request, kept until the next drawn frame (`requestRedraw`, or
    //    `simRequestRedraw` from anywhere): from whatever changes what is seen
    //    (a project made, opened or edited, a command, a camera moved, the
    //    view resized or exposed, the device reset); the engine itself asks on
    //    every message to its window procedure, every input event (a held key
    //    sends one every update) and every timer that fires;
    //  - a running animation, asked every frame: an update-flagged object
    //    whose `simObject::isAnimating` says so, a held mouse button, the
    //    graphics system's own need (a lost device).
    // The first frame is always drawn.
    void requestRedraw() { m_redrawRequested = true; }
    // Inside `redraw`: what changes now is drawn by this frame.
    bool isDrawing() const { return m_drawing; }
    bool isRedrawNeeded();
    // The redraw when one is needed; the request is taken as the frame
    // starts, so one made while it draws waits for the next. True when it drew.
    bool redrawIfNeeded();

    // ---- Render-list broadcasts (called by the scene's passes): each object
    // with the render flag, then the graphics system's own hook.
    virtual void renderPostScene(uint32_t argument);
    virtual void renderEffects(uint32_t argument);
    virtual void renderShadowCasters();
    virtual int countLitItems();  // every object on the render list, flag or not
    virtual void renderLit(uint32_t firstLight);
    virtual void collectShadowBounds(std::vector<simBoundingBox>& bounds);

    // ---- Loading screen
    virtual void beginLoading(int total, bool flag, std::string title);
    virtual void endLoading();
    // loaded 0 counts one more, -1 means all; draws at most every 250 ms
    // unless forced.
    virtual void showLoadingProgress(int loaded, bool force);

    // ---- Messages: the newest 500 non-empty records are kept.
    virtual void addMessage(const simMessage& message);

    virtual void pause();
    virtual void unpause();
    virtual void freeze();
    virtual void unfreeze();

    // ---- Registries
    void registerObject(simObject* object);    // null ignored
    void unregisterObject(simObject* object);  // every occurrence; null ignored
    void registerScriptManager(simScriptManager* manager);
    void unregisterScriptManager(simScriptManager* manager);
    // The first live host whose Lua state is `state`, or null.
    simScriptManager* findScriptManager(lua_State* state) const;

    // Deletes the objects that are due: with forced every entry, otherwise
    // marked objects that are not delayed or were marked more than 3000 ms
    // ago. One object at a time, looking at the list again after each, so a
    // destructor that deletes or marks others cannot cause a double delete.
    // Holds the dynamics lock; an empty list costs one test. An ordinary
    // purge asked for while a frame is running does nothing: the frame may
    // still be walking over the objects (see `update` and `redraw`).
    void purgeSafeDeleteObjects(bool forced);
    void addToSafeDeleteList(simSafeDeleteObject* object);
    void removeFromSafeDeleteList(simSafeDeleteObject* object);
    size_t safeDeleteCount() const { return m_safeDeleteList.size(); }

    // Timers and event callbacks (the engine adds none itself). The records
    // are owned by the application's safe-delete machinery: remove one with
    // its `safeDelete`; whatever is left is deleted with the application.
    simTimerRecord* addTimer(simTimerRecord::Callback callback, float intervalMs);
    simEventCallbackRecord* addEventCallback(simEventCallbackRecord::Callback callback);
    void removeTimer(simTimerRecord* timer);                // by the record's destructor
    void removeEventCallback(simEventCallbackRecord* record);  // by the record's destructor
    void updateTimers();
    void callEventCallbacks(simInputEvent* event);

    // ---- Status of the last engine step; a failure is logged.
    void setStatus(bool success, std::string reason);
    bool getStatusSuccess() const { return m_statusSuccess; }
    const std::string& getStatusReason() const { return m_statusReason; }

    // ---- Command line and folders
    // The process's command line as one text, as the platform would give it
    // (tokens separated by blanks, double quotes around a token with blanks).
    // Tests set it before making the application; by default it is built from
    // the running program's own arguments.
    static void setProcessCommandLine(std::string commandLine);
    // Back to the program's own arguments.
    static void useOwnCommandLine();
    static std::string processCommandLine();
    // Splits the command line into key/value pairs and finds the folders.
    void parseCommandLine();
    // The value after a key ("" when given without one), or "NULL".
    std::string getCommandLineValue(std::string key) const;
    const std::vector<std::pair<std::string, std::string>>& getCommandLinePairs() const {
        return m_commandLine;
    }
    std::string getTitle() const { return m_title; }
    const simVersion& getVersion() const { return m_version; }
    std::string getProgramFolder() const { return m_programFolder; }
    // The documents folder or the "-SETTINGSPATH" value until the host puts
    // its own folder under it. Join names to it with `utils::joinPath`: the
    // default folder has no trailing '/', a folder the host set has one.
    std::string getSettingsFolder() const { return m_settingsFolder; }
    // The host's own settings folder, usually a sub-folder of the engine's
    // (`utils::joinPath(getSettingsFolder(), "TolvaneSim")`); stored with a
    // trailing '/' added when it has none. An empty text leaves it empty.
    void setSettingsFolder(const std::string& folder);
    std::string getLocalAppDataFolder() const { return m_localAppDataFolder; }

    // ---- Run state
    bool isRunning() const { return m_running; }
    bool isQuitRequested() const { return m_quitRequested; }
    // The script function "shutdown": both flags, without the virtual `close`.
    void shutdown();
    bool isPaused() const { return m_paused; }
    bool isFrozen() const { return m_frozen; }
    bool isLoading() const { return m_loading; }
    bool isInFrame() const { return m_frameDepth > 0; }
    double getSimulationSpeed() const { return m_simulationSpeed; }

    // Set by a GUI element that takes the current input event; the input
    // system clears it before each event.
    bool eventConsumed = false;
    // Restarted by the renderer's present each frame.
    utils::Timer frameStopwatch;

    // ---- Lists (read-only views for the frame's owner and for tests)
    const std::deque<simMessage>& getMessages() const { return m_messages; }
    int getLoadedCount() const { return m_loadedCount; }
    int getLoadingTotal() const { return m_loadingTotal; }
    std::vector<simGuiElement*>& loadingScreenElements() { return m_loadingElements; }
    size_t objectCount() const { return m_allObjects.size(); }
    // The renderer empties this after restoring its resources.
    void clearList() { m_restoreList.clear(); }

    // The manipulator container the engine made itself (null when a host
    // container was current already); deleted with the engine.
    manipulatorContainer* ownManipulatorContainer() const { return m_ownManipulatorContainer; }

    // ---- Engine window (bodies live with the window procedure)
    void createWindow(win::HWND window);
    win::LRESULT windowProc(win::HWND window, win::UINT message, win::WPARAM wParam,
                            win::LPARAM lParam, bool callDefault);
    void pumpMessages();
    void _registerClass(win::HINSTANCE instance);
    // Removes the engine window class (the destructor's last window step).
    void _unregisterClass();
    win::HWND getWindow() const { return m_window; }

protected:
    win::HINSTANCE m_instance = nullptr;
    win::ATOM m_windowClassAtom = 0;
    win::HWND m_window = nullptr;
    void* m_acceleratorTable = nullptr;

private:
    class FrameGuard;
    void stopRunning();
    void createSound();
    void destroySystems();
    void renderListBroadcast(void (simObject::*hook)(uint32_t), uint32_t argument);

    simVersion m_version;
    std::string m_programFolder;
    std::string m_title;
    std::string m_settingsFolder;
    std::string m_localAppDataFolder;
    std::string m_loadingTitle;

    bool m_running = true;
    bool m_quitRequested = false;
    bool m_paused = false;
    bool m_frozen = false;
    bool m_loading = false;
    bool m_loadingFlag = false;
    int m_frameDepth = 0;

    std::vector<std::pair<std::string, std::string>> m_commandLine;

    simObjectList<simSafeDeleteObject> m_safeDeleteList;
    simObjectList<simObject> m_allObjects;
    simObjectList<simObject> m_renderList;
    simObjectList<simObject> m_eventsList;
    simObjectList<simObject> m_updateList;
    simObjectList<simObject> m_physicsList;
    std::deque<simMessage> m_messages;
    simObjectList<simTimerRecord> m_timers;
    simObjectList<simEventCallbackRecord> m_eventCallbacks;
    std::vector<simScriptManager*> m_scriptManagers;
    std::vector<simGuiElement*> m_loadingElements;

    bool m_statusSuccess = true;
    std::string m_statusReason = "Initial Reason";
    int m_loadedCount = 0;
    int m_loadingTotal = 0;
    float m_lastProgressDraw = 0.0f;  // ms of timeGetTime
    std::vector<uint64_t> m_restoreList;
    double m_simulationSpeed = 1.0;   // per cent; set from the options by initialise
    utils::Timer m_startupStopwatch;
    utils::Timer m_messageStopwatch;

    manipulatorContainer* m_ownManipulatorContainer = nullptr;
    bool m_redrawRequested = true;
    bool m_drawing = false;
};

// Asks the engine application, when there is one, to draw the next frame.
void simRequestRedraw();
