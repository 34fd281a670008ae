// Symbolic names of Windows and DirectX result codes, for failure texts.
//
// The renderer and the render objects append the name of a failed call's
// result code to the line they log ("... failed: D3DERR_INVALIDCALL"), so the
// diagnostic log says exactly what went wrong. The table holds the Win32
// errors (0 to 0x3700) and their COM failure forms (0x80070000 + code), COM,
// automation, storage, security, set-up and smart-card codes, and the codes of
// DirectDraw, Direct3D 9, the extension library, DirectSound, DirectMusic,
// DirectPlay and XAudio2. Later DirectX components (DXGI, Direct3D 10/11,
// Direct2D) are not in it. The table is generated from the SDK headers by
// tools/gen-result-codes.py; see resultCodeNames_table.inc.
#pragma once

#include <cstdint>

// Returns the name that the SDK headers give the code ("E_OUTOFMEMORY"), or
// "Unknown" for a code the table does not hold. Never null; the text is a
// static constant that the caller neither frees nor changes. Pure and
// thread-safe.
const char* getResultCodeName(std::int32_t code);
