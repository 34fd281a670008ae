// The effect file format: what a valid file gives, and a table of faults
// each reported with its line.
#include <gtest/gtest.h>

#include <string>

#include "platform/d3dx/d3dxEffectFile.h"

namespace {

const char* const kValid = R"(@effect 1
// two techniques sharing a vertex shader
@common
#include "d3d.fxh"
uniform float shader_general_time;
@vertex vs
void main() { d3dPosition(vec4(0.0)); }
@fragment ps   // trailing comment
void main() { d3dColour(vec4(1.0)); }
@technique tech_x_20_20
@pass vs ps
@state ALPHABLENDENABLE TRUE
@state SRCBLEND SRCALPHA
@state ALPHAREF 128
@technique tech_x_11_14
@pass vs ps
@pass vs ps
)";

TEST(EffectFile, ParsesBlocksTechniquesPassesAndStates) {
    d3dx::EffectFile file;
    std::string error;
    ASSERT_TRUE(d3dx::ParseEffect(kValid, nullptr, &file, &error)) << error;
    ASSERT_EQ(file.techniques.size(), 2u);
    EXPECT_EQ(file.techniques[0].name, "tech_x_20_20");
    EXPECT_EQ(file.techniques[1].passes.size(), 2u);
    const auto& states = file.techniques[0].passes[0].states;
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].state, 27u);  // D3DRS_ALPHABLENDENABLE
    EXPECT_EQ(states[0].value, 1u);
    EXPECT_EQ(states[1].value, 5u);   // D3DBLEND_SRCALPHA
    EXPECT_EQ(states[2].value, 128u);
    // The built-in include is expanded into the common block.
    EXPECT_NE(file.common.find("d3dMul"), std::string::npos);
    EXPECT_EQ(file.common.find("#include"), std::string::npos);
}

TEST(EffectFile, StageSourcesCarryTheirDefineTheCommonBlockAndTheBody) {
    d3dx::EffectFile file;
    ASSERT_TRUE(d3dx::ParseEffect(kValid, nullptr, &file, nullptr));
    const d3dx::EffectPass& pass = file.techniques[0].passes[0];
    const std::string vertex = d3dx::EffectStageSource(file, pass, true);
    const std::string fragment = d3dx::EffectStageSource(file, pass, false);
    EXPECT_EQ(vertex.rfind("#define D3DX_VERTEX_SHADER 1\n", 0), 0u);
    EXPECT_EQ(fragment.rfind("#define D3DX_FRAGMENT_SHADER 1\n", 0), 0u);
    EXPECT_NE(vertex.find("uniform float shader_general_time;"), std::string::npos);
    EXPECT_NE(vertex.find("d3dPosition(vec4(0.0))"), std::string::npos);
    EXPECT_NE(fragment.find("d3dColour(vec4(1.0))"), std::string::npos);
}

TEST(EffectFile, IncludesComeFromTheReaderAndNestAtMostEightDeep) {
    const auto reader = [](const std::string& name, std::string* text) {
        if (name == "inner.fxh") *text = "float inner;\n";
        else if (name == "loop.fxh") *text = "#include \"loop.fxh\"\n";
        else return false;
        return true;
    };
    const std::string head = "@effect 1\n@vertex v\n";
    const std::string tail = "@fragment f\n@technique t\n@pass v f\n";
    d3dx::EffectFile file;
    std::string error;
    ASSERT_TRUE(d3dx::ParseEffect(head + "  #  include \"inner.fxh\"\n" + tail, reader, &file, &error)) << error;
    EXPECT_EQ(file.shaders[0].body, "float inner;\n");
    EXPECT_FALSE(d3dx::ParseEffect(head + "#include \"loop.fxh\"\n" + tail, reader, &file, &error));
    EXPECT_EQ(error, "line 3: includes nested too deeply at loop.fxh");
    EXPECT_FALSE(d3dx::ParseEffect(head + "#include \"none.fxh\"\n" + tail, reader, &file, &error));
    EXPECT_EQ(error, "line 3: include not found: none.fxh");
}

TEST(EffectFile, FaultsAreReportedWithTheirLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"", "line 1: the file does not start with \"@effect 1\""},
        {"@effect 2\n", "line 1: the file does not start with \"@effect 1\""},
        {"@effect 1\n", "line 1: the effect has no technique"},
        {"@effect 1\nvoid main() {}\n", "line 2: text outside a @common, @vertex or @fragment block"},
        {"@effect 1\n@shader x\n", "line 2: unknown or malformed directive @shader"},
        {"@effect 1\n@vertex\n", "line 2: unknown or malformed directive @vertex"},
        {"@effect 1\n@vertex a\n@vertex a\n", "line 3: second shader named a"},
        {"@effect 1\n@common\n@common\n", "line 3: second @common block"},
        {"@effect 1\n@pass a b\n", "line 2: @pass outside a technique"},
        {"@effect 1\n@technique t\n@state ZENABLE TRUE\n", "line 3: @state outside a pass"},
        {"@effect 1\n@technique t\n@technique u\n", "line 3: technique without a pass"},
        {"@effect 1\n@technique t\n", "line 2: technique without a pass"},
        {"@effect 1\n@vertex v\n@fragment f\n@technique t\n@pass v f\n@technique t\n",
         "line 6: second technique named t"},
        {"@effect 1\n@vertex v\n@fragment f\n@technique t\n@pass v f\n@state FOG TRUE\n", "line 6: unknown state FOG"},
        {"@effect 1\n@vertex v\n@fragment f\n@technique t\n@pass v f\n@state ZENABLE MAYBE\n",
         "line 6: unknown value MAYBE"},
        {"@effect 1\n@vertex v\n@fragment f\n@technique t\n@pass v f\n@state ALPHAREF 99999999999\n",
         "line 6: unknown value 99999999999"},
        {"@effect 1\n@vertex v\n@technique t\n@pass v f\n", "line 4: no fragment shader f"},
        {"@effect 1\n@fragment f\n@technique t\n@pass f f\n", "line 4: no vertex shader f"},
    };
    for (const Case& c : cases) {
        d3dx::EffectFile file;
        std::string error;
        EXPECT_FALSE(d3dx::ParseEffect(c.text, nullptr, &file, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(EffectFile, CarriageReturnsBeforeLineEndsAreDropped) {
    d3dx::EffectFile file;
    std::string error;
    EXPECT_TRUE(d3dx::ParseEffect("@effect 1\r\n@vertex v\r\nx\r\n@fragment f\r\n@technique t\r\n@pass v f\r\n", nullptr,
                                  &file, &error))
        << error;
    EXPECT_EQ(file.shaders[0].body, "x\n");
}

}  // namespace
