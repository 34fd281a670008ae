// Cost of drawing the model being painted each frame in the 3-D view, beside
// its floor: the bundled sample aircraft and a model of 100,000 triangles,
// each drawn by the model's render (camera, states, one static vertex buffer
// per mesh part) and by raw GL drawing the same buffers with the same
// program, vertex layout and textures the device used. OpenGL through
// headless EGL (llvmpipe); every frame ends with glFinish, so that the
// rasteriser's work is counted.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryObject.h"
#include "app/scheme/tbGeometryRender.h"
#include "app/scheme/tbMaterial.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "tests/support/editor/editorOnEgl.h"

namespace {

constexpr int kGridTriangles = 100000;
constexpr int kGridParts = 32;

// The editor on OpenGL with a new scheme of one of the sample aircraft,
// drawing inside an open scene.
struct Editor : testsupport::EditorOnEgl {
    tbProject_model* project = nullptr;
    tbGeometryFrame frame;

    bool init(benchmark::State& state, const std::string& aircraft) {
        if (!context.valid()) {
            state.SkipWithError("no OpenGL context");
            return false;
        }
        const bool started = startApplication("/tmp/tolvane_render_bench", 640, 480);
        project = new tbProject_model();
        if (!started || !project->onNew(aircraft)) {
            state.SkipWithError("the editor or the aircraft did not load");
            return false;
        }
        frame.tool = 1;  // no tool preview
        frame.secondView = false;
        g_graphics->getRenderer()->beginScene(true, true, true);
        return true;
    }
    ~Editor() {
        if (g_graphics && g_graphics->getRenderer()->isInScene()) g_graphics->getRenderer()->endSceneWithoutPresent();
        delete project;
        stopApplication();
    }
};

// A model of kGridTriangles triangles tiling the aircraft's box from above,
// in kGridParts mesh parts of the paint material with the aircraft's texture.
std::unique_ptr<tbGeometry> gridModel(const tbGeometry& aircraft) {
    auto model = std::make_unique<tbGeometry>(nullptr);
    const simBoundingBox& box = aircraft.box;
    int side = 1;
    while (side * side * 2 < kGridTriangles) ++side;
    auto vertex = [&](int x, int z) {
        simVertex v;
        const float s = float(x) / float(side), t = float(z) / float(side);
        v.position = {box.min.x + (box.max.x - box.min.x) * s, box.centre.y, box.min.z + (box.max.z - box.min.z) * t};
        v.normal = {0, 1, 0};
        v.colour = 0xFFFFFFFF;
        v.uv[0] = v.uv[1] = v.uv[2] = {s, t};
        return v;
    };
    for (int t = 0; t < kGridTriangles; ++t) {
        const int cell = t / 2, x = cell % side, z = cell / side;
        if (t % 2 == 0)
            model->vertices.insert(model->vertices.end(), {vertex(x, z), vertex(x, z + 1), vertex(x + 1, z + 1)});
        else
            model->vertices.insert(model->vertices.end(), {vertex(x, z), vertex(x + 1, z + 1), vertex(x + 1, z)});
    }
    auto material = std::make_unique<tbMaterial>(model.get(), 0);
    material->paintFlag = 1;
    auto object = std::make_unique<tbGeometryObject>(model.get());
    object->name = "grid";
    const uint32_t count = uint32_t(model->vertices.size());
    for (int p = 0; p < kGridParts; ++p) {
        auto part = std::make_unique<tbMeshPart>(object.get());
        part->material = material.get();
        part->texture = aircraft.getTextureMap()->getTexture();
        part->firstVertex = count / 3 * uint32_t(p) / kGridParts * 3;
        part->endVertex = count / 3 * uint32_t(p + 1) / kGridParts * 3;
        object->meshParts.push_back(std::move(part));
    }
    model->materials.push_back(std::move(material));
    model->roots.push_back(std::move(object));
    return model;
}

// Every mesh part of the model, with children.
void collectParts(const std::vector<std::unique_ptr<tbGeometryObject>>& objects, std::vector<const tbMeshPart*>& out) {
    for (const auto& object : objects) {
        for (const auto& part : object->meshParts) out.push_back(part.get());
        collectParts(object->children, out);
    }
}

void drawThroughModel(benchmark::State& state, Editor& editor, tbGeometry& model) {
    model.getRender().render(editor.frame);
    glFinish();
    for (auto _ : state) {
        model.getRender().render(editor.frame);
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(model.vertices.size() / 3));
}

// The raw floor: per part, the part's own GL buffer, program and texture as
// the device bound them when it drew the part, the same six attributes of the
// 52-byte vertex, one glDrawArrays.
void drawRaw(benchmark::State& state, Editor& editor, tbGeometry& model) {
    struct Draw {
        GLint program = 0, buffer = 0, texture = 0;
        GLsizei vertices = 0;
    };
    std::vector<const tbMeshPart*> parts;
    collectParts(model.roots, parts);
    std::vector<Draw> draws;
    model.getRender().render(editor.frame);
    for (const tbMeshPart* part : parts) {
        model.getRender().drawPart(*part, nullptr);
        Draw d;
        glGetIntegerv(GL_CURRENT_PROGRAM, &d.program);
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &d.buffer);
        glActiveTexture(GL_TEXTURE0);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &d.texture);
        d.vertices = GLsizei((part->endVertex - part->firstVertex) / 3 * 3);
        if (d.vertices > 0) draws.push_back(d);
    }
    glFinish();
    GLint vertexArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    const auto offset = [](uintptr_t bytes) { return reinterpret_cast<const void*>(bytes); };
    for (auto _ : state) {
        glBindVertexArray(GLuint(vertexArray));
        for (const Draw& d : draws) {
            glUseProgram(GLuint(d.program));
            glBindTexture(GL_TEXTURE_2D, GLuint(d.texture));
            glBindBuffer(GL_ARRAY_BUFFER, GLuint(d.buffer));
            glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 52, offset(0));
            glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 52, offset(12));
            glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 52, offset(24));
            glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, 52, offset(28));
            glVertexAttribPointer(4, 2, GL_FLOAT, GL_FALSE, 52, offset(36));
            glVertexAttribPointer(5, 2, GL_FLOAT, GL_FALSE, 52, offset(44));
            glDrawArrays(GL_TRIANGLES, 0, d.vertices);
        }
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(model.vertices.size() / 3));
}

void BM_DrawAircraft(benchmark::State& state, const char* aircraft) {
    Editor editor;
    if (editor.init(state, aircraft)) drawThroughModel(state, editor, *editor.project->getModel());
}
void BM_DrawAircraftRawGl(benchmark::State& state, const char* aircraft) {
    Editor editor;
    if (editor.init(state, aircraft)) drawRaw(state, editor, *editor.project->getModel());
}
BENCHMARK_CAPTURE(BM_DrawAircraft, sparrow, "sparrow")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawAircraftRawGl, sparrow, "sparrow")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawAircraft, kestrel, "kestrel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawAircraftRawGl, kestrel, "kestrel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawAircraft, heron, "heron")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawAircraftRawGl, heron, "heron")->Unit(benchmark::kMillisecond);

void BM_DrawModel100k(benchmark::State& state) {
    Editor editor;
    if (!editor.init(state, "sparrow")) return;
    std::unique_ptr<tbGeometry> grid = gridModel(*editor.project->getModel());
    drawThroughModel(state, editor, *grid);
}
void BM_DrawModel100kRawGl(benchmark::State& state) {
    Editor editor;
    if (!editor.init(state, "sparrow")) return;
    std::unique_ptr<tbGeometry> grid = gridModel(*editor.project->getModel());
    drawRaw(state, editor, *grid);
}
BENCHMARK(BM_DrawModel100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawModel100kRawGl)->Unit(benchmark::kMillisecond);

}  // namespace
