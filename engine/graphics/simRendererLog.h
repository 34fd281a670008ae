// Log lines and failure reports of the renderer, the graphics system and the
// window, written in one place so that every device failure names its result
// code the same way.
#pragma once

#include <string>

#include "platform/gfx/results.h"

// Appends text to the diagnostic log (nothing without a console).
void simRendererLog(const std::string& text);

// prefix + the result code's name, e.g. "simRenderer::setViewport - failed: D3DERR_INVALIDCALL".
std::string simRendererFailureText(const std::string& prefix, gfx::HRESULT result);

// The application's status (nothing without an application; a failure is logged by it).
void simRendererSetStatus(bool success, const std::string& reason);
// True while the last engine step succeeded (and when there is no application).
bool simRendererStatusGood();
