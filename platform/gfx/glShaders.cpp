#include "platform/gfx/glShaders.h"

#include <array>
#include <vector>

#include "platform/gfx/glCalls.h"

namespace gfx {

namespace {

constexpr const char* kVertexPrelude = R"(#version 330 core
layout(location = 0) in vec4 gfx_position;  // x, y, z (and rhw for pre-transformed vertices)
layout(location = 1) in vec3 gfx_normal;
layout(location = 2) in vec4 gfx_colour;    // D3DCOLOR as normalised RGBA
layout(location = 3) in vec2 gfx_uv0;
layout(location = 4) in vec2 gfx_uv1;
layout(location = 5) in vec2 gfx_uv2;
uniform vec4 gfx_viewport;
uniform vec4 gfx_clipPlane;
// Direct3D clip position to GL: rows are stored top first (y flip), depth
// 0..1 becomes -1..1, and pixel centres move by half a pixel.
vec4 gfxClipPosition(vec4 p) {
    gl_ClipDistance[0] = dot(p, gfx_clipPlane);
    p.z = 2.0 * p.z - p.w;
    p.y = -p.y;
    p.xy += p.w / gfx_viewport.zw;
    return p;
}
// A pre-transformed vertex (pixels, depth 0..1, rhw) to GL.
vec4 gfxScreenPosition(vec4 v) {
    gl_ClipDistance[0] = 1.0;
    float w = v.w > 0.0 ? 1.0 / v.w : 1.0;
    vec2 ndc = (v.xy + 0.5 - gfx_viewport.xy) / gfx_viewport.zw * 2.0 - 1.0;
    return vec4(ndc * w, (2.0 * v.z - 1.0) * w, w);
}
)";

constexpr const char* kFragmentPrelude = R"(#version 330 core
out vec4 gfx_fragColour;
uniform int gfx_alphaFunc;   // D3DCMPFUNC; 0: no test
uniform float gfx_alphaRef;  // 0..255
// Applies the alpha test on the colour's alpha in 0..255 steps and writes it.
void gfxWriteColour(vec4 c) {
    if (gfx_alphaFunc != 0) {
        float a = floor(clamp(c.a, 0.0, 1.0) * 255.0 + 0.5);
        bool pass = true;
        if (gfx_alphaFunc == 1) pass = false;
        else if (gfx_alphaFunc == 2) pass = a < gfx_alphaRef;
        else if (gfx_alphaFunc == 3) pass = a == gfx_alphaRef;
        else if (gfx_alphaFunc == 4) pass = a <= gfx_alphaRef;
        else if (gfx_alphaFunc == 5) pass = a > gfx_alphaRef;
        else if (gfx_alphaFunc == 6) pass = a != gfx_alphaRef;
        else if (gfx_alphaFunc == 7) pass = a >= gfx_alphaRef;
        if (!pass) discard;
    }
    gfx_fragColour = c;
}
)";

constexpr std::array<const char*, kUniformCount> kUniformNames = {
    "gfx_viewport",   "gfx_clipPlane",   "gfx_alphaFunc",    "gfx_alphaRef",     "ff_world",
    "ff_view",        "ff_projection",   "ff_matDiffuse",    "ff_matAmbient",    "ff_matSpecular",
    "ff_matEmissive", "ff_matPower",     "ff_lightDiffuse",  "ff_lightSpecular", "ff_lightAmbient",
    "ff_lightPosition", "ff_lightDirection", "ff_ambient",   "ff_fogRange",      "ff_fogColour",
    "ff_textureFactor", "ff_tex0",       "ff_tex1",          "ff_cube0",         "ff_cube1",
};
static_assert(kUniformNames.size() == kUniformCount);

// Texture-stage operations as GLSL, indexed by D3DTEXTUREOP; A and B stand
// for the two arguments. Empty entries are operations the device lacks.
constexpr std::array<const char*, kTextureOpCount> kTextureOps = {
    "", "", "A", "B", "A * B", "", "", "", "", "", "", "", "", "", "mix(B, A, ff_textureFactor.a)",
};
static_assert(kTextureOps.size() == D3DTOP_BLENDFACTORALPHA + 1);

// Texture-stage arguments as GLSL, indexed by D3DTA_*.
constexpr std::array<const char*, kTextureArgCount> kTextureArgs = {"diffuse", "current", "texel", "ff_textureFactor"};
static_assert(kTextureArgs.size() == D3DTA_TFACTOR + 1);

// Key layout.
enum : unsigned {
    kScreen = 0, kLighting, kLight0, kPointLight, kColourVertex, kAmbientFromColour, kSpecular, kLocalViewer,
    kFog, kFlat, kClip, kStage0 = 11,
};
constexpr unsigned kStageBits = 19;  // colour op 4, args 2+2, alpha op 4, args 2+2, uv set 2, cube 1
constexpr unsigned kStageCountFf = 2;

std::uint64_t bit(std::uint64_t key, unsigned at) { return (key >> at) & 1; }

struct StageKey {
    unsigned colourOp, colourArg1, colourArg2, alphaOp, alphaArg1, alphaArg2, uvSet;
    bool cube;
};

StageKey stageOf(std::uint64_t key, unsigned stage) {
    const std::uint64_t s = key >> (kStage0 + stage * kStageBits);
    return StageKey{unsigned(s & 15),        unsigned((s >> 4) & 3),  unsigned((s >> 6) & 3),
                    unsigned((s >> 8) & 15), unsigned((s >> 12) & 3), unsigned((s >> 14) & 3),
                    unsigned((s >> 16) & 3), ((s >> 18) & 1) != 0};
}

std::string replaceArgs(const char* op, const std::string& a, const std::string& b) {
    std::string out;
    for (const char* p = op; *p; ++p) {
        if (*p == 'A')
            out += a;
        else if (*p == 'B')
            out += b;
        else
            out += *p;
    }
    return out;
}

GLuint compile(GLenum type, const std::string& source, std::string* errors) {
    const GLuint shader = GFX_GL(glCreateShader(type));
    const char* text = source.c_str();
    GFX_GL(glShaderSource(shader, 1, &text, nullptr));
    GFX_GL(glCompileShader(shader));
    GLint ok = 0;
    GFX_GL(glGetShaderiv(shader, GL_COMPILE_STATUS, &ok));
    if (!ok) {
        GLint length = 0;
        GFX_GL(glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length));
        std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
        GFX_GL(glGetShaderInfoLog(shader, length, nullptr, log.data()));
        if (errors) *errors += log.data();
        GFX_GL(glDeleteShader(shader));
        return 0;
    }
    return shader;
}

}  // namespace

const char* shaderPrelude(bool vertex) { return vertex ? kVertexPrelude : kFragmentPrelude; }

bool buildProgram(const std::string& vertexBody, const std::string& fragmentBody, GlProgram* out,
                  std::string* errors) {
    const GLuint vs = compile(GL_VERTEX_SHADER, std::string(kVertexPrelude) + vertexBody, errors);
    const GLuint fs = compile(GL_FRAGMENT_SHADER, std::string(kFragmentPrelude) + fragmentBody, errors);
    if (!vs || !fs) {
        if (vs) GFX_GL(glDeleteShader(vs));
        if (fs) GFX_GL(glDeleteShader(fs));
        return false;
    }
    const GLuint program = GFX_GL(glCreateProgram());
    GFX_GL(glAttachShader(program, vs));
    GFX_GL(glAttachShader(program, fs));
    GFX_GL(glLinkProgram(program));
    GFX_GL(glDeleteShader(vs));
    GFX_GL(glDeleteShader(fs));
    GLint ok = 0;
    GFX_GL(glGetProgramiv(program, GL_LINK_STATUS, &ok));
    if (!ok) {
        GLint length = 0;
        GFX_GL(glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length));
        std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
        GFX_GL(glGetProgramInfoLog(program, length, nullptr, log.data()));
        if (errors) *errors += log.data();
        GFX_GL(glDeleteProgram(program));
        return false;
    }
    out->name = program;
    for (std::size_t i = 0; i < kUniformCount; ++i)
        out->locations[i] = GFX_GL(glGetUniformLocation(program, kUniformNames[i]));
    // Fixed-function samplers read stages 0 and 1: 2-D textures on units 0
    // and 1, cube textures on units 8 and 9 (cube and 2-D never share a unit).
    GFX_GL(glUseProgram(program));
    const GLint units[] = {0, 1, 8, 9};
    const Uniform samplers[] = {Uniform::Tex0, Uniform::Tex1, Uniform::Cube0, Uniform::Cube1};
    for (int i = 0; i < 4; ++i) {
        const GLint loc = out->locations[static_cast<std::size_t>(samplers[i])];
        if (loc >= 0) GFX_GL(glUniform1i(loc, units[i]));
    }
    return true;
}

std::uint64_t fixedFunctionKey(const DeviceState& s) {
    const auto& rs = s.renderStates;
    const bool screen = s.fvf == kFvfScreenVertex;
    const auto put = [](std::uint64_t v, unsigned at) { return v << at; };
    std::uint64_t key = put(screen, kScreen) | put(rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT, kFlat);
    if (!screen) {
        const bool lighting = rs[D3DRS_LIGHTING] != 0;
        key |= put(lighting, kLighting) | put(rs[D3DRS_FOGENABLE] && rs[D3DRS_FOGVERTEXMODE] == D3DFOG_LINEAR, kFog) |
               put(rs[D3DRS_CLIPPLANEENABLE] & 1, kClip);
        if (lighting)
            key |= put(s.light0Enabled, kLight0) | put(s.light0.Type == D3DLIGHT_POINT, kPointLight) |
                   put(rs[D3DRS_COLORVERTEX] != 0, kColourVertex) |
                   put(rs[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1, kAmbientFromColour) |
                   put(rs[D3DRS_SPECULARENABLE] != 0, kSpecular) | put(rs[D3DRS_LOCALVIEWER] != 0, kLocalViewer);
    }
    for (unsigned stage = 0; stage < kStageCountFf; ++stage) {
        const auto& ts = s.stageStates[stage];
        if (ts[D3DTSS_COLOROP] == D3DTOP_DISABLE) break;  // later stages are off too
        const std::uint64_t v = ts[D3DTSS_COLOROP] | (ts[D3DTSS_COLORARG1] << 4) | (ts[D3DTSS_COLORARG2] << 6) |
                                (std::uint64_t(ts[D3DTSS_ALPHAOP]) << 8) | (std::uint64_t(ts[D3DTSS_ALPHAARG1]) << 12) |
                                (std::uint64_t(ts[D3DTSS_ALPHAARG2]) << 14) |
                                (std::uint64_t(ts[D3DTSS_TEXCOORDINDEX] & 3) << 16) |
                                (std::uint64_t(s.textureIsCube[stage]) << 18);
        key |= v << (kStage0 + stage * kStageBits);
    }
    return key;
}

std::string fixedFunctionVertexBody(std::uint64_t key) {
    const char* flat = bit(key, kFlat) ? "flat " : "";
    std::string src = R"(
uniform mat4 ff_world, ff_view, ff_projection;
uniform vec4 ff_matDiffuse, ff_matAmbient, ff_matSpecular, ff_matEmissive;
uniform float ff_matPower;
uniform vec4 ff_lightDiffuse, ff_lightSpecular, ff_lightAmbient;
uniform vec3 ff_lightPosition, ff_lightDirection;
uniform vec4 ff_ambient;
uniform vec2 ff_fogRange;
)";
    src += std::string(flat) + "out vec4 v_diffuse;\n" + flat + "out vec3 v_specular;\n";
    src += "out vec2 v_uv0, v_uv1;\nout float v_fog;\n";
    src += "vec2 uvSet(int i) { return i == 0 ? gfx_uv0 : i == 1 ? gfx_uv1 : gfx_uv2; }\n";
    src += "void main() {\n";
    src += "    v_uv0 = uvSet(" + std::to_string(stageOf(key, 0).uvSet) + ");\n";
    src += "    v_uv1 = uvSet(" + std::to_string(stageOf(key, 1).uvSet) + ");\n";
    src += "    v_specular = vec3(0.0);\n    v_fog = 1.0;\n";
    if (bit(key, kScreen)) {
        src += "    gl_Position = gfxScreenPosition(gfx_position);\n    v_diffuse = gfx_colour;\n}\n";
        return src;
    }
    src += R"(    vec4 world = ff_world * vec4(gfx_position.xyz, 1.0);
    vec4 viewPos = ff_view * world;
    gl_Position = gfxClipPosition(ff_projection * viewPos);
)";
    if (bit(key, kClip)) src += "    gl_ClipDistance[0] = dot(world, gfx_clipPlane);\n";
    if (bit(key, kFog))
        src += "    v_fog = clamp((ff_fogRange.y - abs(viewPos.z)) / max(ff_fogRange.y - ff_fogRange.x, 1e-6), 0.0, 1.0);\n";
    if (!bit(key, kLighting)) {
        src += "    v_diffuse = gfx_colour;\n}\n";
        return src;
    }
    src += bit(key, kColourVertex) ? "    vec4 dm = gfx_colour;\n" : "    vec4 dm = ff_matDiffuse;\n";
    src += bit(key, kColourVertex) && bit(key, kAmbientFromColour) ? "    vec4 am = gfx_colour;\n"
                                                                      : "    vec4 am = ff_matAmbient;\n";
    src += "    vec3 colour = ff_matEmissive.rgb + am.rgb * ff_ambient.rgb;\n";
    if (bit(key, kLight0)) {
        src += "    vec3 n = normalize(mat3(ff_view * ff_world) * gfx_normal);\n";
        if (bit(key, kPointLight))
            src += "    vec3 L = normalize((ff_view * vec4(ff_lightPosition, 1.0)).xyz - viewPos.xyz);\n";
        else
            src += "    vec3 L = -normalize(mat3(ff_view) * ff_lightDirection);\n";
        src += "    float ndl = max(dot(n, L), 0.0);\n";
        src += "    colour += am.rgb * ff_lightAmbient.rgb + dm.rgb * ff_lightDiffuse.rgb * ndl;\n";
        if (bit(key, kSpecular)) {
            src += bit(key, kLocalViewer) ? "    vec3 V = normalize(-viewPos.xyz);\n" : "    vec3 V = vec3(0.0, 0.0, -1.0);\n";
            src += "    if (ndl > 0.0 && ff_matPower > 0.0)\n"
                   "        v_specular = ff_matSpecular.rgb * ff_lightSpecular.rgb *\n"
                   "                     pow(max(dot(n, normalize(L + V)), 0.0), ff_matPower);\n";
        }
    }
    src += "    v_diffuse = vec4(clamp(colour, 0.0, 1.0), dm.a);\n}\n";
    return src;
}

std::string fixedFunctionFragmentBody(std::uint64_t key) {
    const char* flat = bit(key, kFlat) ? "flat " : "";
    std::string src = "uniform sampler2D ff_tex0, ff_tex1;\nuniform samplerCube ff_cube0, ff_cube1;\n";
    src += "uniform vec4 ff_textureFactor, ff_fogColour;\n";
    src += std::string(flat) + "in vec4 v_diffuse;\n" + flat + "in vec3 v_specular;\n";
    src += "in vec2 v_uv0, v_uv1;\nin float v_fog;\n";
    src += "void main() {\n    vec4 diffuse = v_diffuse;\n    vec4 current = diffuse;\n    vec4 texel;\n";
    for (unsigned stage = 0; stage < kStageCountFf; ++stage) {
        const StageKey st = stageOf(key, stage);
        if (st.colourOp == 0 || st.colourOp == D3DTOP_DISABLE) break;
        const std::string n = std::to_string(stage);
        src += st.cube ? "    texel = texture(ff_cube" + n + ", vec3(v_uv" + n + " * 2.0 - 1.0, 1.0));\n"
                       : "    texel = texture(ff_tex" + n + ", v_uv" + n + ");\n";
        const std::string rgb =
            replaceArgs(kTextureOps[st.colourOp], std::string(kTextureArgs[st.colourArg1]) + ".rgb",
                        std::string(kTextureArgs[st.colourArg2]) + ".rgb");
        // A disabled alpha operation beside an enabled colour one passes alpha on.
        const std::string alpha =
            st.alphaOp == D3DTOP_DISABLE
                ? std::string("current.a")
                : replaceArgs(kTextureOps[st.alphaOp], std::string(kTextureArgs[st.alphaArg1]) + ".a",
                              std::string(kTextureArgs[st.alphaArg2]) + ".a");
        src += "    current = vec4(" + rgb + ", " + alpha + ");\n";
    }
    src += "    current.rgb = clamp(current.rgb + v_specular, 0.0, 1.0);\n";
    if (bit(key, kFog)) src += "    current.rgb = mix(ff_fogColour.rgb, current.rgb, v_fog);\n";
    src += "    gfxWriteColour(current);\n}\n";
    return src;
}

}  // namespace gfx
