// Effect files: the text format of the engine's ".fx" resources, and the
// GLSL that each pass of an effect compiles.
//
// The engine names its effects, techniques and parameters as the extension
// library's effect framework would; this format keeps those names and carries
// GLSL 330 for the OpenGL device. A file is read whole; lines end in "\n"
// (a "\r" before it is dropped).
//
//   @effect 1                     first line: the magic and the format version
//   @common                       GLSL put before every stage (declarations, helpers)
//   @vertex <name>                a vertex shader: GLSL body with main()
//   @fragment <name>              a fragment shader: GLSL body with main()
//   @technique <name>             a technique; the @pass lines below belong to it
//   @pass <vertex> <fragment>     one pass drawing with the two named shaders
//   @state <STATE> <value>        a render state the pass above sets
//
// - A line starting with "@" is a directive; "//" starts a comment on it.
//   Every other line belongs to the GLSL block opened last (@common, @vertex,
//   @fragment); outside a block only blank and "//" lines are allowed.
// - Inside GLSL, a line `#include "name"` is replaced by the named text:
//   "d3d.fxh" is built in (below); other names go to the caller's include
//   reader (the effect's own folder). Nesting is limited to 8 levels.
// - Techniques are named by the engine's rule, base name + "_" + vertex and
//   pixel shader versions ("tech_glow_20_20"); the engine chooses among them.
// - Render states, by their Direct3D names without "D3DRS_": ZENABLE,
//   ZWRITEENABLE, ZFUNC, ALPHATESTENABLE, ALPHAREF, ALPHAFUNC,
//   ALPHABLENDENABLE, SRCBLEND, DESTBLEND, CULLMODE. Values: a number, TRUE,
//   FALSE, or a Direct3D value name without its prefix (ONE, SRCALPHA,
//   INVSRCALPHA, NONE, CCW, LESSEQUAL, GREATER, ...).
//
// The built-in "d3d.fxh" gives the Direct3D conventions of the device:
//   d3dMul(v, M)          Direct3D's mul(v, M): matrices reach GLSL in the
//                         row-vector layout Direct3D keeps them in;
//   d3dPosition(clip)     (vertex) writes a Direct3D clip-space position:
//                         depth 0..1, rows top first, half-pixel centres, clip plane 0;
//   d3dScreenPosition(p)  (vertex) writes a pre-transformed pixel position (x, y, z, rhw);
//   d3dColour(colour)     (fragment) writes the colour through the alpha test.
// Vertex inputs are the device's: gfx_position, gfx_normal, gfx_colour,
// gfx_uv0, gfx_uv1, gfx_uv2. Every stage also sees D3DX_VERTEX_SHADER or
// D3DX_FRAGMENT_SHADER defined.
//
// Parsing is pure (no files, no GL): the fuzz target drives it directly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace d3dx {

struct EffectState {
    std::uint32_t state = 0;  // D3DRENDERSTATETYPE
    std::uint32_t value = 0;
};

struct EffectPass {
    std::string vertexShader, fragmentShader;  // names of @vertex and @fragment blocks
    std::vector<EffectState> states;           // in file order
};

struct EffectTechnique {
    std::string name;
    std::vector<EffectPass> passes;  // at least one
};

struct EffectShader {
    std::string name;
    bool vertex = true;
    std::string body;  // includes expanded
};

struct EffectFile {
    std::string common;  // includes expanded
    std::vector<EffectShader> shaders;
    std::vector<EffectTechnique> techniques;  // at least one

    const EffectShader* findShader(const std::string& name, bool vertex) const;
};

// Reads an included file by name into text; false when there is none.
using EffectIncludeReader = std::function<bool(const std::string& name, std::string* text)>;

// Parses an effect file. False with "line <n>: <what>" in error on the first
// fault: bad magic, unknown directive, GLSL outside a block, duplicate names,
// a pass naming a missing shader, an unknown state or value, a technique
// without passes, no technique, a missing or too deeply nested include.
bool ParseEffect(const std::string& text, const EffectIncludeReader& includes, EffectFile* out,
                 std::string* error);

// The GLSL of one stage of a pass (without #version: the device adds its
// prelude): the stage's define, the common block, then the shader's body.
std::string EffectStageSource(const EffectFile& file, const EffectPass& pass, bool vertex);

// The text of the built-in include "d3d.fxh".
const char* EffectConventionsInclude();

}  // namespace d3dx
