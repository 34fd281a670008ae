// tbGeometry: the model being painted.
//
// A simulator model imported from its .geo file (tbGeometryImport.cpp) or
// read back from a project: its bounding box, materials, a plain triangle
// list of vertices (vertices 3i..3i+2 make triangle i) with one tbTriangle
// per triangle holding its neighbourhood, a tree of named sub-objects whose
// mesh parts reference materials, the UV selection and the paint texture.
// The project owns the model; the model owns everything here.
//
// Import and open fill the arrays once; painting changes only the paint
// texture, the tools' state and the objects' switches.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbBrushProjection.h"
#include "app/scheme/tbGeometryObject.h"
#include "app/scheme/tbMaterial.h"
#include "app/scheme/tbTriangle.h"
#include "app/scheme/tbToolSettings.h"
#include "app/scheme/tbUVSelection.h"
#include "engine/core/simBoundingBox.h"
#include "engine/core/simObject.h"
#include "engine/core/simVertex.h"
#include "engine/core/utilsTimer.h"

class manipulator;
class simColour;
class simTexture;
class tbGeometryUndo;
class tbGeometryTool_shape;
class tbToolState;
struct simInputEvent;
class tbGeometryRender;
class tbGeometryTool_text;
class tbProject_model;
class tbTextureMap;
class tbNeighbourFinder;
class tbGeometryTool_projectImage;
struct geoFileData;
struct tbFileGeometry;
namespace d3dx {
struct Bitmap;
}

// An engine object for input events only: the application hands it every
// event of the view (onEvent).
class tbGeometry : public simObject {
public:
    explicit tbGeometry(tbProject_model* owner);
    ~tbGeometry() override;
    tbGeometry(const tbGeometry&) = delete;
    tbGeometry& operator=(const tbGeometry&) = delete;

    // ---- Import from the simulator's .geo file (tbGeometryImport.cpp).
    // Reads and checks the whole file, then builds materials, vertices,
    // objects and triangles and makes the paint texture from the paint
    // material's image. False after an error box titled "Error importing
    // geometry" when the file cannot be read, is damaged, has no paint
    // material, or its paint texture cannot be made; the model is then empty.
    bool import(std::string path);
    // The same from records already read (`path` names the model file: its
    // name finds the paint material).
    bool importData(const geoFileData& geo, const std::string& path);

    // The paint material's test: a texture whose file name without extension
    // contains the model file's name without extension.
    static bool isPaintTextureName(const std::string& texturePath, const std::string& modelPath);
    // A model texture (not the paint texture) by its path as the model file
    // names it: a loaded one joins the current collection, which keeps it as
    // long as the project; a missing one is loaded, first from "textures",
    // then from the path as given. Null when it is nowhere.
    static simTexture* findModelTexture(const std::string& path);

    // ---- The geometry block of a project file (tbGeometryFile.cpp).
    // Fills the block's records from the model; false when the model has no
    // paint texture or its picture cannot be read back.
    bool save(tbFileGeometry& out) const;
    // Builds the model from a block that the reader has checked, for a file
    // of `version`; false after the error box "Error opening project" when
    // the paint texture cannot be made, and the model is then empty.
    bool open(const tbFileGeometry& in, int32_t version);

    // ---- Triangles (tbGeometryTriangles.cpp).
    // One triangle per whole three vertices, with the degenerate test, the
    // neighbour lists, the re-triangulation of thin neighbours and the edge
    // flags; progress runs from 50 to 90.
    void buildTriangles();
    // The same with another neighbour search, made by `makeFinder` over the
    // new triangle list.
    void buildTriangles(const std::function<std::unique_ptr<tbNeighbourFinder>(
                            const std::vector<std::unique_ptr<tbTriangle>>&)>& makeFinder);

    // ---- Look-ups: the element at that position, or null when the index is
    // negative or past the end.
    tbMaterial* getMaterial(int64_t index) const;
    tbTriangle* getTriangle(int64_t index) const;

    // The paint texture, made from the named image file on first use (the
    // path is ignored once the map exists); null after a failure.
    simTexture* createTextureMap(const std::string& imagePath);
    tbTextureMap* getTextureMap() const { return m_textureMap.get(); }
    // Takes a paint texture made elsewhere (a project's texture block).
    void setTextureMap(std::unique_ptr<tbTextureMap> map);

    // ---- The image-editor exchange (tbTextureExchange.cpp): false without
    // a paint texture, else the paint texture's export and import.
    bool exportTexture(const std::string& path, bool withUVLayout);
    bool importTexture(const std::string& path);
    // Draws the UV layout into a picture of the texture's size (tbUVLayout.cpp).
    void drawUVLayout(d3dx::Bitmap& picture) const;

    // The refresh walk: projects the triangles of every paintable mesh part
    // of every enabled, visible object of kind 0 with the current camera.
    void updateTriangleScreenPositions();
    // The same for one object and its children only: one that is enabled or
    // shown again kept the places of the last projection it took part in.
    void updateTriangleScreenPositions(const tbGeometryObject& object);

    // ---- Drawing (tbGeometryRender.cpp, tbGeometryPreview.cpp).
    // The frame's drawing of the model in the current view with the current
    // tool's previews, from the application's tool state, settings and input.
    void render();
    // The drawing's state: the mesh parts' vertex buffers (made on the first
    // draw after import or open) and what the frame being drawn reads.
    tbGeometryRender& getRender();
    // The texture-view brush cursor: the brush image tinted with the main
    // colour under the mouse (back-buffer pixels), sized in texels of the
    // paint texture as the stamp is.
    void renderBrushPreviewTexture(simTexture* brush, float mouseX, float mouseY, float size);
    // The 3-D brush cursor: the footprint of the next 3-D stamp, from what
    // the brush's last preparation left.
    void renderBrushPreview3D(simTexture* brush, const d3dx::Vector3& picked, float size);

    // ---- Picking (tbGeometryPick.cpp).
    // The triangle under the mouse in the 3-D view, nearest the camera: fills
    // the pick result and `point`; false, with no picked triangle, when no
    // paintable triangle of an enabled, visible object lies under the mouse.
    bool pick(d3dx::Vector3& point);
    // Every paintable, front-facing triangle whose stored screen corners hold
    // the mouse, with its object at the same place; true when there is one.
    bool collectPickCandidates(std::vector<tbTriangle*>& triangles, std::vector<tbGeometryObject*>& objects) const;
    // Forgets the picked triangle, point and the brush's patch (the picked
    // object stays: the flood fill acts on the one last under the mouse).
    void clearPick();
    // A number no triangle carries as its visit stamp yet, for one walk.
    uint32_t nextVisitStamp();

    tbTriangle* pickedTriangle = nullptr;
    d3dx::Vector3 pickedPoint;   // model space
    d3dx::Vector3 pickedNormal;  // interpolated from the corner normals
    tbGeometryObject* pickedObject = nullptr;

    // ---- The image projection tool (tbGeometryTool_projectImage.cpp).
    tbGeometryTool_projectImage& projectImageTool() { return *m_projectImageTool; }
    // Loads the image at `path` into slot 0..5 (+X, -X, +Y, -Y, +Z, -Z) and
    // puts the slot's placement back to its start; an empty path clears the
    // slot; other slots are ignored.
    void loadProjectionImage(int32_t slot, const std::string& path);
    // "Perform Projection": every shown slot with an image into the paint
    // texture, with the bar's settings from the tool settings. The caller
    // pushes the undo state.
    void projectImages();

    // ---- The brush (tbGeometryTool_brush.cpp), with the tool state's
    // angle and main colour.
    // Texture view: a square of 20 x size texels, turned by the angle,
    // centred under the mouse (back-buffer pixels).
    void paintBrushTexture(simTexture* brush, float mouseX, float mouseY, float size);
    // 3-D view: the projector and the patch around the picked point.
    void prepareBrush3D(const d3dx::Vector3& point, float size);
    // 3-D view: the brush image along the normal onto the prepared patch.
    void paintBrush3D(simTexture* brush, const d3dx::Vector3& point, float size);
    tbBrushProjection brush3D;

    // ---- Flood fill (tbGeometryTool_flood.cpp): every triangle of the region
    // in the main colour or, with `gradient`, blended to the second colour
    // along the model axis `axis` (0 x, 1 y, 2 z).
    void floodFill(const std::vector<tbTriangle*>& region, const simColour& main, const simColour& second,
                   bool gradient, uint32_t axis);

    // ---- The shape tool (tbGeometryTool_shape.cpp) and its fills
    // (tbShapeFill.cpp): the outline filled in the main colour or, with
    // `gradient`, blended to the second colour across the outline's
    // rectangle along x (axis 0 or 2) or y (axis 1); nothing with fewer than
    // three points. The texture view paints the outline where it lies over
    // the shown texture; the 3-D view paints the model's triangles under it
    // as the 3-D view shows them, those facing away too when the shape bar
    // is double-sided.
    tbGeometryTool_shape& shapeTool() { return *m_shapeTool; }
    void clearShape();
    void applyShapeTextureView(const simColour& main, const simColour& second, bool gradient, uint32_t axis);
    void applyShape3D(const simColour& main, const simColour& second, bool gradient, uint32_t axis);

    // ---- The text tool (tbGeometryTool_text.cpp), made on first use (it
    // needs the graphics system).
    tbGeometryTool_text& textTool();
    bool hasTextTool() const { return m_textTool != nullptr; }
    // The text bar's "Project text": along the bar's axis in the 3-D view,
    // through the texture-view rectangle in the texture view. The caller
    // pushes the undo state.
    void projectText();
    void applyTextInTextureView();

    // ---- The UV selection's clicks (tbGeometrySelect.cpp). A left-button
    // release in the view, unless the view's selection manipulator has the
    // mouse or let go of it with this event, selects what the view shows
    // nearest the cursor (or inside the drag rectangle): Shift adds, Ctrl
    // removes, neither replaces. A click that changes how many items are
    // selected is one undo step. Nothing happens in mode 0.
    void selectIn3DView(const simInputEvent& event);
    void selectInTextureView(const simInputEvent& event);
    // Recomputes the selection's centres and puts the manipulators on them.
    void updateUVSelectionCentre();

    // ---- Input (tbGeometryEvents.cpp): one event of the view, handed to the
    // current tool, the colour pick and the undo.
    void onEvent(simInputEvent* event) override;
    std::string getClassName() override { return "tbGeometry"; }
    // Takes the colour of the presented frame at (x, y): opaque white outside
    // the view; false, setting nothing, when the frame cannot be read.
    bool pickColour(int32_t x, int32_t y, simColour& out) const;

    // The paint undo history.
    tbGeometryUndo& getUndo() { return *m_undo; }
    // The tool state the tools read (the application's unless set).
    tbToolState& tools() const;
    // The same, or null when there is none (a model saved or opened without the application).
    tbToolState* toolsIfAny() const;
    void setToolState(tbToolState* tools) { m_tools = tools; }

    // Reports progress in percent (0..100) to the progress box, when one is set.
    void setProgressSink(std::function<void(float)> sink) { m_progress = std::move(sink); }

    tbProject_model* getOwner() const { return m_owner; }
    const std::string& getModelPath() const { return m_modelPath; }

    simBoundingBox box;
    std::vector<simVertex> vertices;
    std::vector<std::unique_ptr<tbTriangle>> triangles;
    std::vector<std::unique_ptr<tbGeometryObject>> roots;
    std::vector<std::unique_ptr<tbMaterial>> materials;
    tbUVSelection selection;
    // The tools' and bars' settings as the last open left them and the next
    // save writes them (the UV selection and its mode excepted: those are
    // the selection's own).
    tbToolSettings toolSettings;
    utils::Timer stopwatch;  // restarted at the end of construction, import and open

private:
    void progress(float percent) const {
        if (m_progress) m_progress(percent);
    }
    bool importMaterials(const geoFileData& geo);
    void flipWithDegenerate(tbNeighbourFinder& index, tbTriangle& p, tbTriangle& q);
    void setEdgeFlags(tbTriangle& t);
    void clear();
    void selectInView(const simInputEvent& event, int32_t view);

    tbProject_model* m_owner;
    std::string m_modelPath;
    std::unique_ptr<tbTextureMap> m_textureMap;
    std::unique_ptr<tbGeometryTool_projectImage> m_projectImageTool;
    std::unique_ptr<tbGeometryRender> m_render;  // goes with the arrays it was built from
    std::function<void(float)> m_progress;
    std::unique_ptr<tbGeometryUndo> m_undo;
    std::unique_ptr<tbGeometryTool_text> m_textTool;
    std::unique_ptr<tbGeometryTool_shape> m_shapeTool;  // the undo history keeps a pointer to it
    tbToolState* m_tools = nullptr;
    // The selection's manipulators in the 3-D view and the texture view,
    // always switched off (no tool moves the selection), and whether each
    // had the mouse at the previous event.
    std::array<std::unique_ptr<manipulator>, 2> m_selectionGizmos;
    std::array<bool, 2> m_selectionGizmoWasBusy{};
    uint32_t m_visitCounter = 0;  // the last visit stamp handed out
};
