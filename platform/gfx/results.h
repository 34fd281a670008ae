// Result codes of the device, with Direct3D 9's values.
//
// Every device call answers with one of these, so engine code can test and
// log failures as it did on Direct3D (the engine's result-code table names
// them in its log lines). FAILED/SUCCEEDED keep Direct3D's sign rule.
#pragma once

#include <cstdint>

namespace gfx {

using HRESULT = std::int32_t;

constexpr HRESULT D3D_OK = 0;
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = static_cast<HRESULT>(0x8876017Cu);
constexpr HRESULT D3DERR_DRIVERINTERNALERROR = static_cast<HRESULT>(0x88760827u);
constexpr HRESULT D3DERR_DEVICELOST = static_cast<HRESULT>(0x88760868u);
constexpr HRESULT D3DERR_DEVICENOTRESET = static_cast<HRESULT>(0x88760869u);
constexpr HRESULT D3DERR_NOTAVAILABLE = static_cast<HRESULT>(0x8876086Au);
constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086Cu);

constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }

// The name of one of the codes above ("D3DERR_INVALIDCALL"), "Unknown" otherwise.
// The device uses it in its own log lines.
const char* resultName(HRESULT hr);

}  // namespace gfx
