// The Direct3D 9 constants and record shapes that the engine and the editor use.
//
// The engine was written against Direct3D 9; keeping its names (D3DRS_ZENABLE,
// D3DFMT_A8R8G8B8, D3DVIEWPORT9 ...) lets engine code read as it was designed.
// Only what the program calls is defined here, with Direct3D's numeric values,
// because the engine stores some of them (formats, compare functions, address
// modes) as plain numbers in its state cache and its files.
#pragma once

#include <cstdint>

namespace gfx {

using D3DCOLOR = std::uint32_t;  // 0xAARRGGBB; in memory the bytes are B, G, R, A

constexpr std::uint32_t D3D_SDK_VERSION = 32;

// Formats. Colour formats are stored B, G, R, A in memory (little-endian ARGB).
enum D3DFORMAT : std::uint32_t {
    D3DFMT_UNKNOWN = 0,
    D3DFMT_A8R8G8B8 = 21,
    D3DFMT_X8R8G8B8 = 22,  // alpha byte is ignored on write and reads as 255
    D3DFMT_D24S8 = 75,
    D3DFMT_D16 = 80,
    D3DFMT_INDEX16 = 101,
    D3DFMT_INDEX32 = 102,
    D3DFMT_R32F = 114,
    D3DFMT_DXT1 = 0x31545844,  // 'DXT1': 8-byte 4x4 blocks
    D3DFMT_DXT5 = 0x35545844,  // 'DXT5': 16-byte 4x4 blocks
};

enum D3DPOOL : std::uint32_t { D3DPOOL_DEFAULT = 0, D3DPOOL_MANAGED = 1, D3DPOOL_SYSTEMMEM = 2 };

enum : std::uint32_t {
    D3DUSAGE_RENDERTARGET = 0x1,
    D3DUSAGE_DEPTHSTENCIL = 0x2,
    D3DUSAGE_WRITEONLY = 0x8,
    D3DUSAGE_SOFTWAREPROCESSING = 0x10,
    D3DUSAGE_DYNAMIC = 0x200,
};

enum : std::uint32_t { D3DLOCK_READONLY = 0x10, D3DLOCK_NOOVERWRITE = 0x1000, D3DLOCK_DISCARD = 0x2000 };

enum D3DMULTISAMPLE_TYPE : std::uint32_t { D3DMULTISAMPLE_NONE = 0, D3DMULTISAMPLE_NONMASKABLE = 1 };

enum D3DPRIMITIVETYPE : std::uint32_t {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
};

enum D3DTRANSFORMSTATETYPE : std::uint32_t { D3DTS_VIEW = 2, D3DTS_PROJECTION = 3, D3DTS_WORLD = 256 };

enum : std::uint32_t { D3DCLEAR_TARGET = 0x1, D3DCLEAR_ZBUFFER = 0x2, D3DCLEAR_STENCIL = 0x4 };

// Flexible vertex formats. The device draws exactly two layouts:
//   0x352 XYZ|NORMAL|DIFFUSE|TEX3, 52 bytes: position, normal, D3DCOLOR, three UV pairs;
//   0x144 XYZRHW|DIFFUSE|TEX1, 28 bytes: screen x, y, depth z, rhw, D3DCOLOR, one UV pair.
enum : std::uint32_t {
    D3DFVF_XYZ = 0x002,
    D3DFVF_XYZRHW = 0x004,
    D3DFVF_NORMAL = 0x010,
    D3DFVF_DIFFUSE = 0x040,
    D3DFVF_TEX1 = 0x100,
    D3DFVF_TEX3 = 0x300,
};
constexpr std::uint32_t kFvfVertex = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX3;  // 0x352
constexpr std::uint32_t kFvfScreenVertex = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;        // 0x144

// Render states (values are Direct3D's; the device keeps a table of all 210 slots).
enum D3DRENDERSTATETYPE : std::uint32_t {
    D3DRS_ZENABLE = 7,
    D3DRS_SHADEMODE = 9,
    D3DRS_ZWRITEENABLE = 14,
    D3DRS_ALPHATESTENABLE = 15,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ZFUNC = 23,
    D3DRS_ALPHAREF = 24,
    D3DRS_ALPHAFUNC = 25,
    D3DRS_DITHERENABLE = 26,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_FOGENABLE = 28,
    D3DRS_SPECULARENABLE = 29,
    D3DRS_FOGCOLOR = 34,
    D3DRS_FOGTABLEMODE = 35,
    D3DRS_FOGSTART = 36,  // float bits
    D3DRS_FOGEND = 37,    // float bits
    D3DRS_FOGDENSITY = 38,
    D3DRS_STENCILENABLE = 52,
    D3DRS_STENCILFAIL = 53,
    D3DRS_STENCILZFAIL = 54,
    D3DRS_STENCILPASS = 55,
    D3DRS_STENCILFUNC = 56,
    D3DRS_STENCILREF = 57,
    D3DRS_STENCILMASK = 58,
    D3DRS_STENCILWRITEMASK = 59,
    D3DRS_TEXTUREFACTOR = 60,
    D3DRS_CLIPPING = 136,
    D3DRS_LIGHTING = 137,
    D3DRS_AMBIENT = 139,
    D3DRS_FOGVERTEXMODE = 140,
    D3DRS_COLORVERTEX = 141,
    D3DRS_LOCALVIEWER = 142,
    D3DRS_AMBIENTMATERIALSOURCE = 147,
    D3DRS_CLIPPLANEENABLE = 152,
    D3DRS_POINTSIZE_MIN = 155,
    D3DRS_POINTSPRITEENABLE = 156,
    D3DRS_POINTSCALEENABLE = 157,
    D3DRS_POINTSCALE_A = 158,
    D3DRS_POINTSCALE_B = 159,
    D3DRS_POINTSCALE_C = 160,
    D3DRS_MULTISAMPLEANTIALIAS = 161,
    D3DRS_SCISSORTESTENABLE = 174,
    D3DRS_COLORWRITEENABLE = 168,
    D3DRS_TWOSIDEDSTENCILMODE = 185,
    D3DRS_CCW_STENCILFAIL = 186,
    D3DRS_CCW_STENCILZFAIL = 187,
    D3DRS_CCW_STENCILPASS = 188,
    D3DRS_CCW_STENCILFUNC = 189,
};
constexpr std::uint32_t kRenderStateCount = 210;

enum D3DTEXTURESTAGESTATETYPE : std::uint32_t {
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_TEXCOORDINDEX = 11,
};
constexpr std::uint32_t kTextureStageStateCount = 33;

enum D3DSAMPLERSTATETYPE : std::uint32_t {
    D3DSAMP_ADDRESSU = 1,
    D3DSAMP_ADDRESSV = 2,
    D3DSAMP_MAGFILTER = 5,
    D3DSAMP_MINFILTER = 6,
    D3DSAMP_MIPFILTER = 7,
    D3DSAMP_MIPMAPLODBIAS = 8,  // float bits
};
constexpr std::uint32_t kSamplerStateCount = 14;

// Texture stages and samplers the device offers (the engine uses 0..7).
constexpr std::uint32_t kStageCount = 8;

enum D3DTEXTUREOP : std::uint32_t {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_BLENDFACTORALPHA = 14,
};
constexpr std::uint32_t kTextureOpCount = 15;  // table length: values 0..14

enum : std::uint32_t { D3DTA_DIFFUSE = 0, D3DTA_CURRENT = 1, D3DTA_TEXTURE = 2, D3DTA_TFACTOR = 3 };
constexpr std::uint32_t kTextureArgCount = 4;

enum D3DTEXTUREADDRESS : std::uint32_t { D3DTADDRESS_WRAP = 1, D3DTADDRESS_CLAMP = 3 };
constexpr std::uint32_t kTextureAddressCount = 4;  // table length: values 0..3

enum D3DTEXTUREFILTERTYPE : std::uint32_t { D3DTEXF_NONE = 0, D3DTEXF_POINT = 1, D3DTEXF_LINEAR = 2 };
constexpr std::uint32_t kTextureFilterCount = 3;

enum D3DBLEND : std::uint32_t {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
};
constexpr std::uint32_t kBlendCount = 7;  // table length: values 0..6

enum D3DCMPFUNC : std::uint32_t {
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
};
constexpr std::uint32_t kCmpFuncCount = 9;

enum D3DSTENCILOP : std::uint32_t {
    D3DSTENCILOP_KEEP = 1,
    D3DSTENCILOP_ZERO = 2,
    D3DSTENCILOP_REPLACE = 3,
    D3DSTENCILOP_INCR = 7,  // wraps 255 -> 0
    D3DSTENCILOP_DECR = 8,  // wraps 0 -> 255
};
constexpr std::uint32_t kStencilOpCount = 9;

enum D3DCULL : std::uint32_t { D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3 };
enum D3DSHADEMODE : std::uint32_t { D3DSHADE_FLAT = 1, D3DSHADE_GOURAUD = 2 };
enum D3DFOGMODE : std::uint32_t { D3DFOG_NONE = 0, D3DFOG_LINEAR = 3 };
enum D3DMATERIALCOLORSOURCE : std::uint32_t { D3DMCS_MATERIAL = 0, D3DMCS_COLOR1 = 1 };
enum D3DLIGHTTYPE : std::uint32_t { D3DLIGHT_POINT = 1, D3DLIGHT_DIRECTIONAL = 3 };

enum D3DCUBEMAP_FACES : std::uint32_t {
    D3DCUBEMAP_FACE_POSITIVE_X = 0,
    D3DCUBEMAP_FACE_NEGATIVE_X = 1,
    D3DCUBEMAP_FACE_POSITIVE_Y = 2,
    D3DCUBEMAP_FACE_NEGATIVE_Y = 3,
    D3DCUBEMAP_FACE_POSITIVE_Z = 4,
    D3DCUBEMAP_FACE_NEGATIVE_Z = 5,
};

enum D3DBACKBUFFER_TYPE : std::uint32_t { D3DBACKBUFFER_TYPE_MONO = 0 };
enum D3DDEVTYPE : std::uint32_t { D3DDEVTYPE_HAL = 1 };
enum D3DSWAPEFFECT : std::uint32_t { D3DSWAPEFFECT_DISCARD = 1 };

enum : std::uint32_t {
    D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20,
    D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40,
    D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL = 0x2,
    D3DPRESENT_INTERVAL_ONE = 0x1,
    D3DPRESENT_INTERVAL_IMMEDIATE = 0x80000000,
};

// Capability bits and shader versions read by the renderer.
enum : std::uint32_t {
    D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x10000,
    D3DPTEXTURECAPS_MIPMAP = 0x4000,
    D3DCAPS2_CANAUTOGENMIPMAP = 0x40000000,
    D3DSTENCILCAPS_TWOSIDED = 0x100,
};
constexpr std::uint32_t D3DVS_VERSION(std::uint32_t major, std::uint32_t minor) {
    return 0xFFFE0000u | (major << 8) | minor;
}
constexpr std::uint32_t D3DPS_VERSION(std::uint32_t major, std::uint32_t minor) {
    return 0xFFFF0000u | (major << 8) | minor;
}

// ---- records ----

struct RECT {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct D3DCOLORVALUE {
    float r = 0, g = 0, b = 0, a = 0;
};

struct D3DVECTOR {
    float x = 0, y = 0, z = 0;
};

struct D3DVIEWPORT9 {
    std::uint32_t X = 0, Y = 0, Width = 0, Height = 0;
    float MinZ = 0.0f, MaxZ = 1.0f;
};

struct D3DMATERIAL9 {
    D3DCOLORVALUE Diffuse, Ambient, Specular, Emissive;
    float Power = 0;
};

struct D3DLIGHT9 {
    D3DLIGHTTYPE Type = D3DLIGHT_DIRECTIONAL;
    D3DCOLORVALUE Diffuse, Specular, Ambient;
    D3DVECTOR Position, Direction;
    float Range = 0, Falloff = 0, Attenuation0 = 0, Attenuation1 = 0, Attenuation2 = 0, Theta = 0, Phi = 0;
};

// A locked rectangle: Pitch bytes from one row to the next (one row of 4x4
// blocks for DXT formats); pBits points at the rectangle's top-left pixel.
struct D3DLOCKED_RECT {
    std::int32_t Pitch = 0;
    void* pBits = nullptr;
};

struct D3DSURFACE_DESC {
    D3DFORMAT Format = D3DFMT_UNKNOWN;
    std::uint32_t Usage = 0;
    D3DPOOL Pool = D3DPOOL_DEFAULT;
    D3DMULTISAMPLE_TYPE MultiSampleType = D3DMULTISAMPLE_NONE;
    std::uint32_t MultiSampleQuality = 0;
    std::uint32_t Width = 0, Height = 0;
};

struct D3DPRESENT_PARAMETERS {
    std::uint32_t BackBufferWidth = 0, BackBufferHeight = 0;
    D3DFORMAT BackBufferFormat = D3DFMT_X8R8G8B8;
    std::uint32_t BackBufferCount = 1;
    D3DMULTISAMPLE_TYPE MultiSampleType = D3DMULTISAMPLE_NONE;
    std::uint32_t MultiSampleQuality = 0;
    D3DSWAPEFFECT SwapEffect = D3DSWAPEFFECT_DISCARD;
    void* hDeviceWindow = nullptr;
    bool Windowed = true;
    bool EnableAutoDepthStencil = true;
    D3DFORMAT AutoDepthStencilFormat = D3DFMT_D24S8;
    std::uint32_t Flags = 0;
    std::uint32_t FullScreen_RefreshRateInHz = 0;
    std::uint32_t PresentationInterval = 0;
};

struct D3DDISPLAYMODE {
    std::uint32_t Width = 0, Height = 0, RefreshRate = 0;
    D3DFORMAT Format = D3DFMT_X8R8G8B8;
};

struct D3DRASTER_STATUS {
    bool InVBlank = false;
    std::uint32_t ScanLine = 0;
};

struct D3DADAPTER_IDENTIFIER9 {
    char Driver[512] = {};
    char Description[512] = {};
    char DeviceName[32] = {};
};

// The capability fields the renderer reads.
struct D3DCAPS9 {
    std::uint32_t Caps2 = 0;
    std::uint32_t DevCaps = 0;
    std::uint32_t TextureCaps = 0;
    std::uint32_t StencilCaps = 0;
    std::uint32_t MaxTextureWidth = 0, MaxTextureHeight = 0;
    std::uint32_t MaxActiveLights = 0;
    std::uint32_t VertexShaderVersion = 0;
    std::uint32_t PixelShaderVersion = 0;
    std::uint32_t NumberOfAdaptersInGroup = 0;
};

}  // namespace gfx
