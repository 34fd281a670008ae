// simShaderEffectCompiled: an effect file made into device programs, with
// the interface of the extension library's effect object.
//
// Creation reads and parses the file (platform/d3dx/d3dxEffectFile.h) and
// links one program per distinct pair of shaders over every technique, so
// that a broken effect fails at once, as the framework's compiler would.
//
// Parameters are held by name in the effect, not in the programs: a value
// set once stays until it is set again, across passes, begins and
// techniques. Each program remembers which version of each value it last
// received, so beginning a pass uploads only what changed since that
// program last drew. Names a program does not declare cost nothing.
// Matrices are passed in Direct3D's memory layout (see d3dMul in the
// effect format).
//
// Textures: the contract's sampler names read the device stages on which the
// render-state cache puts the same textures (shader_texture_0 stage 0,
// shader_texture_1..5 stages 3..7, shader_texture_cubemap stage 1,
// shader_texture_shadowmap stage 2); setting one binds the texture there,
// and setting the null handle binds none, so that the stage holds what the
// cache's slot holds.
//
// Render states set by a pass are read at begin and put back at end, as the
// framework's state saving does; sampler states are never saved.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx/d3dxEffectFile.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/handles.h"
#include "platform/gfx/results.h"

namespace gfx {
class Device;
}

class simShaderEffectCompiled {
public:
    // The technique handle: index + 1, 0 for none.
    using Technique = uint32_t;

    // Reads `path`, parses it (includes from its folder) and builds its
    // programs on `device`. Null on failure, with the result code in
    // `result` (D3DERR_NOTFOUND: no file; D3DXERR_INVALIDDATA: not an
    // effect; the device's code: a shader that does not compile or link)
    // and the parser's or compiler's text in `message`.
    static std::unique_ptr<simShaderEffectCompiled> createFromFile(gfx::Device* device, const std::string& path,
                                                                   gfx::HRESULT* result, std::string* message);
    // The same from text; includes are looked up in `folder`.
    static std::unique_ptr<simShaderEffectCompiled> createFromText(gfx::Device* device, const std::string& text,
                                                                   const std::string& folder, gfx::HRESULT* result,
                                                                   std::string* message);
    // Releases the programs (while `device` is still the renderer's).
    ~simShaderEffectCompiled();
    simShaderEffectCompiled(const simShaderEffectCompiled&) = delete;
    simShaderEffectCompiled& operator=(const simShaderEffectCompiled&) = delete;

    // ---- Techniques.
    Technique getTechniqueByName(const std::string& name) const;
    void setTechnique(Technique technique) { m_technique = technique; }
    Technique getTechnique() const { return m_technique; }
    const d3dx::EffectFile& file() const { return m_file; }

    // ---- Drawing: begin; beginPass(i), draw, endPass for i below the pass
    // count; end. Without a technique begin gives D3DERR_INVALIDCALL and 0
    // passes, and the pass calls do nothing.
    gfx::HRESULT begin(uint32_t* passCount, uint32_t flags);
    gfx::HRESULT beginPass(uint32_t pass);
    gfx::HRESULT endPass();
    gfx::HRESULT end();

    // ---- Parameters (kept by name; see the header comment).
    void setMatrix(const std::string& name, const d3dx::Matrix* m);
    void setFloatArray(const std::string& name, const float* values, uint32_t count);
    void setFloat(const std::string& name, float value);
    // Only the contract's sampler names have a stage; others are ignored.
    void setTexture(const std::string& name, gfx::TextureHandle texture);

    // ---- Device loss: programs outlive a reset, so these only keep the
    // framework's protocol (and are counted for tests).
    void onLostDevice() { ++m_lostCount; }
    void onResetDevice() { ++m_resetCount; }
    uint32_t lostCount() const { return m_lostCount; }
    uint32_t resetCount() const { return m_resetCount; }

    // The program of a pass of a technique (null handle when there is none).
    gfx::ProgramHandle passProgram(Technique technique, uint32_t pass) const;

    // The device stage of a contract sampler name, or -1.
    static int samplerStage(const std::string& name);

private:
    enum class Kind : uint8_t { Float, Float4, Matrix, Texture };
    struct Parameter {
        Kind kind = Kind::Float;
        uint32_t count = 0;           // floats: values; Float4: vectors; Matrix: 1
        std::vector<float> values;    // 16 for a matrix, 4 x count for Float4
        gfx::TextureHandle texture;
        int stage = -1;               // textures
        bool cube = false;            // shader_texture_cubemap
        uint32_t version = 0;         // bumped on every change
    };
    struct Program {
        gfx::ProgramHandle handle;
        std::vector<uint32_t> uploaded;  // per parameter: the version it last received
    };

    simShaderEffectCompiled(gfx::Device* device, d3dx::EffectFile file);
    gfx::HRESULT build(std::string* message);
    Parameter& parameter(const std::string& name, Kind kind, size_t floats);
    // Sets a float parameter, unless it holds exactly these values already.
    void store(const std::string& name, Kind kind, uint32_t count, const float* values, size_t floats);
    void upload(Program& program);
    // Whether a texture parameter's value may be put on its stage.
    bool bindable(gfx::TextureHandle texture) const;
    const d3dx::EffectTechnique* current() const;

    gfx::Device* m_device;
    d3dx::EffectFile m_file;
    std::vector<Program> m_programs;
    // Per technique, per pass: an index into m_programs.
    std::vector<std::vector<size_t>> m_passPrograms;
    std::map<std::string, size_t> m_parameterIndex;
    std::vector<Parameter> m_parameters;
    std::vector<std::string> m_parameterNames;
    Technique m_technique = 0;
    Technique m_begun = 0;  // the technique between begin and end
    // Render states saved at begin: state, value.
    std::vector<std::pair<uint32_t, uint32_t>> m_savedStates;
    uint32_t m_lostCount = 0, m_resetCount = 0;
};
