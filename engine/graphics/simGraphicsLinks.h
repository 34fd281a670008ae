// Joins the graphics system to the engine application.
//
// The application reaches the systems it does not own through its system
// links; this fills the graphics group: the engine's default graphics system
// (an 800 x 600 window at 60 Hz), the frame render and present, the render
// broadcasts' graphics hooks, the render states of the GUI pass and the
// loading screen. The program calls it once at start-up before it makes the
// engine application; tests do the same. The engine fonts are left to the
// font module.
#pragma once

struct simSystemLinks;

void simLinkGraphicsSystem(simSystemLinks& links);
