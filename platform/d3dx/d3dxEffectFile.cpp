#include "platform/d3dx/d3dxEffectFile.h"

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <utility>

namespace d3dx {

namespace {

constexpr int kMaxIncludeDepth = 8;

constexpr const char* kConventions = R"(// d3d.fxh: the Direct3D conventions of the device.
// Matrices arrive in Direct3D's row-vector memory layout, which GLSL reads
// transposed: M * v here is Direct3D's mul(v, M).
#define d3dMul(v, m) ((m) * (v))
#ifdef D3DX_VERTEX_SHADER
void d3dPosition(vec4 clip) { gl_Position = gfxClipPosition(clip); }
void d3dScreenPosition(vec4 xyzrhw) { gl_Position = gfxScreenPosition(xyzrhw); }
#endif
#ifdef D3DX_FRAGMENT_SHADER
void d3dColour(vec4 colour) { gfxWriteColour(colour); }
#endif
)";

// Render states a pass may set, by Direct3D name and value.
struct Named {
    const char* name;
    std::uint32_t value;
};
constexpr Named kStates[] = {
    {"ZENABLE", 7},    {"ZWRITEENABLE", 14}, {"ALPHATESTENABLE", 15}, {"SRCBLEND", 19},
    {"DESTBLEND", 20}, {"CULLMODE", 22},     {"ZFUNC", 23},           {"ALPHAREF", 24},
    {"ALPHAFUNC", 25}, {"ALPHABLENDENABLE", 27},
};
// Value names: booleans, D3DBLEND, D3DCULL and D3DCMPFUNC without prefixes.
constexpr Named kValues[] = {
    {"FALSE", 0},       {"TRUE", 1},          {"ZERO", 1},        {"ONE", 2},         {"SRCCOLOR", 3},
    {"INVSRCCOLOR", 4}, {"SRCALPHA", 5},      {"INVSRCALPHA", 6}, {"NONE", 1},        {"CW", 2},
    {"CCW", 3},         {"NEVER", 1},         {"LESS", 2},        {"EQUAL", 3},       {"LESSEQUAL", 4},
    {"GREATER", 5},     {"NOTEQUAL", 6},      {"GREATEREQUAL", 7}, {"ALWAYS", 8},
};

bool lookUp(const Named* table, std::size_t count, const std::string& name, std::uint32_t* out) {
    for (std::size_t i = 0; i < count; ++i)
        if (name == table[i].name) {
            *out = table[i].value;
            return true;
        }
    return false;
}

bool parseValue(const std::string& word, std::uint32_t* out) {
    if (lookUp(kValues, std::size(kValues), word, out)) return true;
    if (word.empty() || word.size() > 10) return false;
    for (char c : word)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    const unsigned long long v = std::strtoull(word.c_str(), nullptr, 10);
    if (v > 0xFFFFFFFFull) return false;
    *out = static_cast<std::uint32_t>(v);
    return true;
}

// The words of a directive line, its "//" comment dropped.
std::vector<std::string> words(const std::string& line) {
    const std::string text = line.substr(0, line.find("//"));
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool isBlank(const std::string& line) {
    for (char c : line)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

bool isComment(const std::string& line) {
    const std::size_t at = line.find_first_not_of(" \t");
    return at != std::string::npos && line.compare(at, 2, "//") == 0;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    // A final line end ends the last line; it does not start another.
    if (lines.size() > 1 && lines.back().empty() && !text.empty() && text.back() == '\n') lines.pop_back();
    return lines;
}

// The name of an `#include "name"` line, or empty when the line is not one.
std::string includeName(const std::string& line) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return {};
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return {};
    const std::size_t open = line.find('"', at + 7);
    if (open == std::string::npos) return {};
    const std::size_t close = line.find('"', open + 1);
    if (close == std::string::npos || close == open + 1) return {};
    return line.substr(open + 1, close - open - 1);
}

class Parser {
public:
    Parser(const EffectIncludeReader& includes, EffectFile* out, std::string* error)
        : includes_(includes), out_(*out), error_(*error) {}

    bool parse(const std::string& text) {
        const std::vector<std::string> lines = splitLines(text);
        if (lines.empty() || words(lines[0]) != std::vector<std::string>{"@effect", "1"})
            return fail(1, "the file does not start with \"@effect 1\"");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            line_ = static_cast<int>(i) + 1;
            const std::string& line = lines[i];
            if (!line.empty() && line[0] == '@') {
                if (!directive(words(line))) return false;
            } else if (block_ != kNoBlock) {
                if (!appendGlsl(blockText(), line, 0)) return false;
            } else if (!isBlank(line) && !isComment(line)) {
                return fail(line_, "text outside a @common, @vertex or @fragment block");
            }
        }
        if (out_.techniques.empty()) return fail(line_, "the effect has no technique");
        if (!out_.techniques.back().passes.size()) return fail(line_, "technique without a pass");
        return true;
    }

private:
    static constexpr int kNoBlock = -2, kCommonBlock = -1;  // else the index of a shader

    std::string& blockText() { return block_ == kCommonBlock ? out_.common : out_.shaders[block_].body; }
    EffectTechnique* technique() { return inTechnique_ ? &out_.techniques.back() : nullptr; }

    bool fail(int line, const std::string& what) {
        error_ = "line " + std::to_string(line) + ": " + what;
        return false;
    }

    bool directive(const std::vector<std::string>& w) {
        const std::string& d = w.empty() ? std::string() : w[0];
        if (d == "@common" && w.size() == 1) {
            if (sawCommon_) return fail(line_, "second @common block");
            sawCommon_ = true;
            return openBlock(kCommonBlock);
        }
        if ((d == "@vertex" || d == "@fragment") && w.size() == 2) {
            const bool vertex = d == "@vertex";
            if (out_.findShader(w[1], vertex)) return fail(line_, "second shader named " + w[1]);
            out_.shaders.push_back(EffectShader{w[1], vertex, {}});
            return openBlock(static_cast<int>(out_.shaders.size()) - 1);
        }
        block_ = kNoBlock;
        if (d == "@technique" && w.size() == 2) {
            if (technique() && technique()->passes.empty()) return fail(line_, "technique without a pass");
            for (const EffectTechnique& t : out_.techniques)
                if (t.name == w[1]) return fail(line_, "second technique named " + w[1]);
            out_.techniques.push_back(EffectTechnique{w[1], {}});
            inTechnique_ = true;
            return true;
        }
        if (d == "@pass" && w.size() == 3) {
            if (!technique()) return fail(line_, "@pass outside a technique");
            // Shaders are looked up at the end of their block list: a pass
            // may name a shader that a later block defines.
            technique()->passes.push_back(EffectPass{w[1], w[2], {}});
            passLines_.push_back(line_);
            return true;
        }
        if (d == "@state" && w.size() == 3) {
            if (!technique() || technique()->passes.empty()) return fail(line_, "@state outside a pass");
            EffectState s;
            if (!lookUp(kStates, std::size(kStates), w[1], &s.state)) return fail(line_, "unknown state " + w[1]);
            if (!parseValue(w[2], &s.value)) return fail(line_, "unknown value " + w[2]);
            technique()->passes.back().states.push_back(s);
            return true;
        }
        return fail(line_, "unknown or malformed directive " + (d.empty() ? std::string("@") : d));
    }

    bool openBlock(int block) {
        if (technique() && technique()->passes.empty()) return fail(line_, "technique without a pass");
        inTechnique_ = false;
        block_ = block;
        return true;
    }

    bool appendGlsl(std::string& block, const std::string& line, int depth) {
        const std::string name = includeName(line);
        if (name.empty()) {
            block += line;
            block += '\n';
            return true;
        }
        if (depth >= kMaxIncludeDepth) return fail(line_, "includes nested too deeply at " + name);
        std::string text;
        if (name == "d3d.fxh") {
            text = kConventions;
        } else if (!includes_ || !includes_(name, &text)) {
            return fail(line_, "include not found: " + name);
        }
        for (const std::string& inner : splitLines(text))
            if (!appendGlsl(block, inner, depth + 1)) return false;
        return true;
    }

public:
    bool checkPasses() {
        std::size_t n = 0;
        for (const EffectTechnique& t : out_.techniques)
            for (const EffectPass& p : t.passes) {
                const int line = passLines_[n++];
                if (!out_.findShader(p.vertexShader, true)) return fail(line, "no vertex shader " + p.vertexShader);
                if (!out_.findShader(p.fragmentShader, false))
                    return fail(line, "no fragment shader " + p.fragmentShader);
            }
        return true;
    }

private:
    const EffectIncludeReader& includes_;
    EffectFile& out_;
    std::string& error_;
    int block_ = kNoBlock;
    bool inTechnique_ = false;
    bool sawCommon_ = false;
    int line_ = 1;
    std::vector<int> passLines_;
};

}  // namespace

const EffectShader* EffectFile::findShader(const std::string& name, bool vertex) const {
    for (const EffectShader& s : shaders)
        if (s.vertex == vertex && s.name == name) return &s;
    return nullptr;
}

bool ParseEffect(const std::string& text, const EffectIncludeReader& includes, EffectFile* out,
                 std::string* error) {
    EffectFile file;
    std::string message;
    Parser parser(includes, &file, &message);
    if (!parser.parse(text) || !parser.checkPasses()) {
        if (error) *error = message;
        return false;
    }
    *out = std::move(file);
    return true;
}

std::string EffectStageSource(const EffectFile& file, const EffectPass& pass, bool vertex) {
    const EffectShader* shader = file.findShader(vertex ? pass.vertexShader : pass.fragmentShader, vertex);
    std::string source = vertex ? "#define D3DX_VERTEX_SHADER 1\n" : "#define D3DX_FRAGMENT_SHADER 1\n";
    source += file.common;
    if (shader) source += shader->body;
    return source;
}

const char* EffectConventionsInclude() { return kConventions; }

}  // namespace d3dx
