#include "engine/graphics/simShaderEffectCompiled.h"

#include <cstring>
#include <fstream>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

constexpr HRESULT kNotFound = static_cast<HRESULT>(0x88760866u);     // D3DERR_NOTFOUND
constexpr HRESULT kInvalidData = static_cast<HRESULT>(0x88760B59u);  // D3DXERR_INVALIDDATA

// An effect file is text of a few kilobytes; anything far larger is not one.
constexpr std::streamoff kMaxFileBytes = 4 << 20;

bool readText(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileBytes) return false;
    in.seekg(0);
    text->assign(static_cast<size_t>(size), '\0');
    in.read(text->data(), size);
    return static_cast<bool>(in);
}

struct SamplerStage {
    const char* name;
    int stage;
    bool cube;
};
// Where the render-state cache binds the textures the contract names.
constexpr SamplerStage kSamplerStages[] = {
    {"shader_texture_0", 0, false},         {"shader_texture_1", 3, false}, {"shader_texture_2", 4, false},
    {"shader_texture_3", 5, false},         {"shader_texture_4", 6, false}, {"shader_texture_5", 7, false},
    {"shader_texture_cubemap", 1, true},    {"shader_texture_shadowmap", 2, false},
};

}  // namespace

int simShaderEffectCompiled::samplerStage(const std::string& name) {
    for (const SamplerStage& s : kSamplerStages)
        if (name == s.name) return s.stage;
    return -1;
}

std::unique_ptr<simShaderEffectCompiled> simShaderEffectCompiled::createFromFile(Device* device,
                                                                                 const std::string& path,
                                                                                 HRESULT* result,
                                                                                 std::string* message) {
    std::string text;
    if (!readText(path, &text)) {
        *result = kNotFound;
        *message = "cannot read " + path;
        return nullptr;
    }
    const size_t slash = path.find_last_of('/');
    return createFromText(device, text, slash == std::string::npos ? std::string() : path.substr(0, slash + 1),
                          result, message);
}

std::unique_ptr<simShaderEffectCompiled> simShaderEffectCompiled::createFromText(Device* device,
                                                                                 const std::string& text,
                                                                                 const std::string& folder,
                                                                                 HRESULT* result,
                                                                                 std::string* message) {
    d3dx::EffectFile file;
    const auto includes = [&folder](const std::string& name, std::string* out) {
        // Only plain names: an include never leaves the effect's folder.
        if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return false;
        return readText(folder + name, out);
    };
    if (!d3dx::ParseEffect(text, includes, &file, message)) {
        *result = kInvalidData;
        return nullptr;
    }
    if (!device) {
        *result = D3DERR_INVALIDCALL;
        *message = "no device";
        return nullptr;
    }
    std::unique_ptr<simShaderEffectCompiled> effect(new simShaderEffectCompiled(device, std::move(file)));
    *result = effect->build(message);
    if (FAILED(*result)) return nullptr;
    return effect;
}

simShaderEffectCompiled::simShaderEffectCompiled(Device* device, d3dx::EffectFile file)
    : m_device(device), m_file(std::move(file)) {}

simShaderEffectCompiled::~simShaderEffectCompiled() {
    // An effect let go after the graphics system has nothing left to release.
    const simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!renderer || renderer->getDevice() != m_device) return;
    if (m_begun) end();
    for (Program& p : m_programs)
        if (m_device->State(p.handle) != ResourceState::Stale) m_device->Release(p.handle);
}

HRESULT simShaderEffectCompiled::build(std::string* message) {
    std::map<std::pair<std::string, std::string>, size_t> built;
    for (const d3dx::EffectTechnique& t : m_file.techniques) {
        std::vector<size_t>& passes = m_passPrograms.emplace_back();
        for (const d3dx::EffectPass& pass : t.passes) {
            const auto key = std::make_pair(pass.vertexShader, pass.fragmentShader);
            auto it = built.find(key);
            if (it == built.end()) {
                Program p;
                std::string errors;
                const HRESULT hr = m_device->CreateProgram(d3dx::EffectStageSource(m_file, pass, true),
                                                           d3dx::EffectStageSource(m_file, pass, false), &p.handle,
                                                           &errors);
                if (FAILED(hr)) {
                    *message = "technique " + t.name + ", shaders " + pass.vertexShader + " / " +
                               pass.fragmentShader + ":\n" + errors;
                    return hr;
                }
                m_programs.push_back(std::move(p));
                it = built.emplace(key, m_programs.size() - 1).first;
            }
            passes.push_back(it->second);
        }
    }
    return D3D_OK;
}

simShaderEffectCompiled::Technique simShaderEffectCompiled::getTechniqueByName(const std::string& name) const {
    for (size_t i = 0; i < m_file.techniques.size(); ++i)
        if (m_file.techniques[i].name == name) return static_cast<Technique>(i + 1);
    return 0;
}

const d3dx::EffectTechnique* simShaderEffectCompiled::current() const {
    return m_begun ? &m_file.techniques[m_begun - 1] : nullptr;
}

ProgramHandle simShaderEffectCompiled::passProgram(Technique technique, uint32_t pass) const {
    if (technique == 0 || technique > m_passPrograms.size()) return {};
    const std::vector<size_t>& passes = m_passPrograms[technique - 1];
    return pass < passes.size() ? m_programs[passes[pass]].handle : ProgramHandle{};
}

// ---- drawing ----

HRESULT simShaderEffectCompiled::begin(uint32_t* passCount, uint32_t) {
    if (passCount) *passCount = 0;
    if (m_begun) end();
    if (m_technique == 0 || m_technique > m_file.techniques.size()) return D3DERR_INVALIDCALL;
    m_begun = m_technique;
    const d3dx::EffectTechnique& t = *current();
    m_savedStates.clear();
    for (const d3dx::EffectPass& pass : t.passes)
        for (const d3dx::EffectState& s : pass.states) {
            bool saved = false;
            for (const auto& [state, value] : m_savedStates) saved = saved || state == s.state;
            uint32_t value = 0;
            if (!saved && SUCCEEDED(m_device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(s.state), &value)))
                m_savedStates.emplace_back(s.state, value);
        }
    if (passCount) *passCount = static_cast<uint32_t>(t.passes.size());
    return D3D_OK;
}

HRESULT simShaderEffectCompiled::beginPass(uint32_t pass) {
    const d3dx::EffectTechnique* t = current();
    if (!t || pass >= t->passes.size()) return D3DERR_INVALIDCALL;
    for (const d3dx::EffectState& s : t->passes[pass].states)
        m_device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(s.state), s.value);
    Program& program = m_programs[m_passPrograms[m_begun - 1][pass]];
    m_device->SetProgram(program.handle);
    upload(program);
    return D3D_OK;
}

HRESULT simShaderEffectCompiled::endPass() { return current() ? D3D_OK : D3DERR_INVALIDCALL; }

HRESULT simShaderEffectCompiled::end() {
    if (!m_begun) return D3DERR_INVALIDCALL;
    for (const auto& [state, value] : m_savedStates)
        m_device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value);
    m_savedStates.clear();
    m_device->SetProgram(ProgramHandle{});
    m_begun = 0;
    return D3D_OK;
}

// ---- parameters ----

simShaderEffectCompiled::Parameter& simShaderEffectCompiled::parameter(const std::string& name, Kind kind,
                                                                       size_t floats) {
    auto it = m_parameterIndex.find(name);
    if (it == m_parameterIndex.end()) {
        it = m_parameterIndex.emplace(name, m_parameters.size()).first;
        m_parameters.emplace_back();
        m_parameterNames.push_back(name);
    }
    Parameter& p = m_parameters[it->second];
    p.kind = kind;
    p.values.resize(floats);
    return p;
}

void simShaderEffectCompiled::store(const std::string& name, Kind kind, uint32_t count, const float* values,
                                    size_t floats) {
    auto it = m_parameterIndex.find(name);
    if (it != m_parameterIndex.end()) {
        const Parameter& old = m_parameters[it->second];
        // The same value again changes nothing, so no program uploads it again.
        if (old.kind == kind && old.count == count && old.values.size() == floats &&
            std::memcmp(old.values.data(), values, sizeof(float) * floats) == 0)
            return;
    }
    Parameter& p = parameter(name, kind, floats);
    p.count = count;
    std::memcpy(p.values.data(), values, sizeof(float) * floats);
    ++p.version;
}

void simShaderEffectCompiled::setMatrix(const std::string& name, const d3dx::Matrix* m) {
    if (m) store(name, Kind::Matrix, 1, &m->_11, 16);
}

void simShaderEffectCompiled::setFloatArray(const std::string& name, const float* values, uint32_t count) {
    if (!values || count == 0) return;
    // A float array of four is a float4, as the framework sets a float4 parameter.
    const bool vector = count % 4 == 0;
    store(name, vector ? Kind::Float4 : Kind::Float, vector ? count / 4 : count, values, count);
}

void simShaderEffectCompiled::setFloat(const std::string& name, float value) { setFloatArray(name, &value, 1); }

void simShaderEffectCompiled::setTexture(const std::string& name, TextureHandle texture) {
    for (const SamplerStage& s : kSamplerStages) {
        if (name != s.name) continue;
        auto known = m_parameterIndex.find(name);
        if (known != m_parameterIndex.end() && m_parameters[known->second].texture == texture) return;
        Parameter& p = parameter(name, Kind::Texture, 0);
        p.texture = texture;
        p.stage = s.stage;
        p.cube = s.cube;
        ++p.version;
        if (m_begun && bindable(texture)) m_device->SetTexture(static_cast<uint32_t>(p.stage), texture);
        return;
    }
}

bool simShaderEffectCompiled::bindable(TextureHandle texture) const {
    // No texture binds as none (the stage reads white), as the state cache
    // binds an empty slot. A texture released since it was set (a render
    // target remade after a reset) is not bound: the stage keeps what the
    // state cache put there.
    return !texture || m_device->State(texture) == ResourceState::Valid;
}

void simShaderEffectCompiled::upload(Program& program) {
    program.uploaded.resize(m_parameters.size(), 0);
    for (size_t i = 0; i < m_parameters.size(); ++i) {
        const Parameter& p = m_parameters[i];
        if (p.kind == Kind::Texture && bindable(p.texture))
            m_device->SetTexture(static_cast<uint32_t>(p.stage), p.texture);
        if (program.uploaded[i] == p.version) continue;
        program.uploaded[i] = p.version;
        const std::string& name = m_parameterNames[i];
        switch (p.kind) {
        case Kind::Float:
            m_device->SetProgramUniform(program.handle, name, UniformType::Float, p.values.data(), p.count);
            break;
        case Kind::Float4:
            m_device->SetProgramUniform(program.handle, name, UniformType::Float4, p.values.data(), p.count);
            break;
        case Kind::Matrix:
            m_device->SetProgramUniform(program.handle, name, UniformType::Matrix4, p.values.data(), 1);
            break;
        case Kind::Texture: {
            const uint32_t stage = static_cast<uint32_t>(p.stage);
            m_device->SetProgramUniform(program.handle, name,
                                        p.cube ? UniformType::SamplerCube : UniformType::Sampler2D, &stage, 1);
            break;
        }
        }
    }
}
