// Joins the input system and the engine window to the engine application.
//
// The application reaches the systems it does not own through its system
// links; this fills the input group (the input system, mouse and keyboard,
// the per-frame latches and the polled key state) and the engine-window group
// (the single-instance guard through the installed window system, the window
// class and the engine's own pump). The program calls it once at
// start-up before it makes the engine application; tests do the same.
#pragma once

struct simSystemLinks;

void simLinkInputSystem(simSystemLinks& links);
