#include "platform/gfx/results.h"

namespace gfx {

namespace {

struct ResultEntry {
    HRESULT code;
    const char* name;
};

// The one list of the device's codes and their log names.
constexpr ResultEntry kResults[] = {
    {D3D_OK, "D3D_OK"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
    {D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY"},
    {D3DERR_DRIVERINTERNALERROR, "D3DERR_DRIVERINTERNALERROR"},
    {D3DERR_DEVICELOST, "D3DERR_DEVICELOST"},
    {D3DERR_DEVICENOTRESET, "D3DERR_DEVICENOTRESET"},
    {D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE"},
    {D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL"},
};

}  // namespace

const char* resultName(HRESULT hr) {
    for (const ResultEntry& e : kResults)
        if (e.code == hr) return e.name;
    return "Unknown";
}

}  // namespace gfx
