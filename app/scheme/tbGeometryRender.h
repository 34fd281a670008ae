// tbGeometryRender: the model's drawing, once per frame.
//
// The model shows in one of two views: the 3-D view, where it is drawn lit
// (the "lighting.fx" effect) or flat through the perspective camera (scene
// camera 1), and the texture view, where the paint texture lies on the unit
// square (u along +x, v along -y) in front of the texture camera (camera 0).
// Over it go the current tool's previews, the colour-picker ring and, when
// the settings ask, a small second view in the top-left corner. Drawing
// changes nothing in the model or its texture.
//
// Geometry does not change after import or open, so each mesh part is drawn
// from a static vertex buffer of its own, built once on the first draw after
// import or open and kept until the model is cleared. The buffers sit in the
// managed pool: the device keeps them across a reset, so a lost device costs
// no rebuild either.
//
// What a frame reads (tool state, settings, input) is gathered first into a
// `tbGeometryFrame`, so the drawing can be driven without the application.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simTexture;
class simVertexBuffer;
class tbGeometry;
class tbMeshPart;

// The inputs of one frame's drawing.
struct tbGeometryFrame {
    // Tools: 0 brush, 1 shape, 2 flood fill, 4 colour picker, 5 project
    // image, 6 text, 7 mirror.
    static constexpr int32_t kBrush = 0, kFloodFill = 2, kColourPicker = 4, kProjectImage = 5, kMirror = 7;

    int32_t tool = kBrush;
    int32_t viewMode = 0;  // 0 3-D view, 1 texture view, anything else neither
    float brushSize = 5.0f;
    float brushAngle = 0.0f;  // degrees
    simColour mainColour, secondColour;
    simTexture* brushTexture = nullptr;
    int32_t lightingMode = 0;  // 1 realistic, otherwise flat
    bool secondView = false;
    bool paintableOnly = false;  // the object bar's "Show paintable objects only"
    d3dx::Vector2 mouse;         // back-buffer pixels
    bool navigating = false;     // a drag of the middle or the right button under way
    bool altHeld = false;
    bool mouseOverView = false;

    // The application's tool state, settings and input now; defaults for
    // whatever part of the program is missing.
    static tbGeometryFrame fromApplication();
};

class tbGeometryRender {
public:
    explicit tbGeometryRender(tbGeometry& model);
    ~tbGeometryRender();
    tbGeometryRender(const tbGeometryRender&) = delete;
    tbGeometryRender& operator=(const tbGeometryRender&) = delete;

    // The whole frame's drawing of the model. Needs the graphics system, its
    // renderer and its scene; nothing happens without them.
    void render(const tbGeometryFrame& frame);
    // The frame being drawn (the last one given to render).
    const tbGeometryFrame& frame() const { return m_frame; }

    // Draws every root object with its children, with `texture` (null: each
    // part's own).
    void drawRoots(simTexture* texture);
    // One mesh part from its buffer: nothing when it is not paintable while
    // only paintable objects are shown, or when it has no triangles or no
    // buffer; otherwise its material's parameters, then the part drawn with
    // `texture` (null: the part's own) inside pass 0 of the current effect,
    // or through the fixed pipeline without one.
    void drawPart(const tbMeshPart& part, simTexture* texture);

    // The buffers made so far (one per mesh part with triangles).
    size_t bufferCount() const { return m_buffers.size(); }

private:
    void buildBuffers();
    void render3DView();
    void renderTextureView();
    // The tools' previews (tbGeometryPreview.cpp): the brush's footprint,
    // ring and normal at the picked point; the picked object's box for the
    // flood fill, shaded along the gradient's axis; the paintable box for
    // the mirror, its arrows pointing at the side written.
    void drawBrushPreview3D();
    void drawFloodPreview();
    void drawMirrorPreview();
    // The shape tool's outline over either view (tbShapePreview.cpp), while
    // it is the current tool.
    void drawShapePreview(bool view3D);
    void drawSecondViewOf3DView();
    void drawSecondViewOfTextureView();

    tbGeometry& m_model;
    tbGeometryFrame m_frame;
    bool m_built = false;
    std::unordered_map<const tbMeshPart*, std::unique_ptr<simVertexBuffer>> m_buffers;
};
