// tbTextureMap: the paint texture of a model, with the surfaces the painting
// tools need.
//
//   paint surface     level 0 of the texture the model samples;
//   drawing surface   a render target of the same size that the tools draw
//                     into and copy whole onto the paint surface at the end;
//   depth surface     the drawing surface's depth-stencil;
//   snapshot surface  the picture as of the last undo step.
// After every completed operation the drawing surface holds the same picture
// as the paint surface. The picture survives a lost device: it is kept in
// memory as a BMP file image between the reset and the restore. One restore
// point (another BMP image in memory) is kept for the menu's revert.
//
// Made from the model's own texture file at import, or from a project's
// texture block when a project opens. Failures report false and leave the
// application's status failed (the texture and render targets set it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbPaintSpace.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simRendererStateObject.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

class simTexture;
class tbGeometry;
namespace d3dx {
struct Image;
}

class tbTextureMap : public simDeviceDependantObject {
public:
    explicit tbTextureMap(tbGeometry* owner);
    ~tbTextureMap() override;

    // From the model's texture file (found under "objects/aircraft"): the
    // map takes the image's size; drawing and snapshot surfaces X8R8G8B8.
    bool import(const std::string& path);
    // From a project's texture block: `width` x `height` (the stored size,
    // whatever the picture's own) with the BMP file image scaled onto it.
    bool open(uint32_t width, uint32_t height, const std::vector<uint8_t>& bmp);
    // The paint surface as a BMP file image (the texture block's picture).
    bool save(std::vector<uint8_t>& bmp) const;

    void createRestorePoint();
    // Nothing without a restore point; otherwise the restore point goes into
    // the paint surface and from there into the snapshot and drawing surfaces.
    void revertToRestorePoint();
    bool hasRestorePoint() const { return !m_restoreImage.empty(); }

    // Loads an image file of any size over the picture, scaled to the map.
    bool importTexture(const std::string& path);
    // Writes the picture, opaque, in the format that the path's extension
    // names (bmp, jpg, tga, png, dds, ppm, dib, all lower or all upper
    // case); with the layout flag also the owner's UV layout image beside it
    // as "<path without extension>_UVs.<extension>" (tbTextureMapExport.cpp).
    // Each file is written whole or not at all. False when the extension is
    // not known or a file cannot be written; a failed layout also shows the
    // error box "Error exporting UV mapping". The picture is not touched.
    bool exportTexture(const std::string& path, bool withUVLayout) const;

    // The painting tools' bracket (tbTextureMapPaint.cpp). beginDrawing
    // opens a scene when none is open, binds the drawing surface and its
    // depth surface over the whole texture and sets a complete known state:
    // no effect, lighting, fog, stencil, clip plane or culling, depth always
    // and unwritten, standard alpha blending on, wrap addressing, and only
    // red, green and blue written, so the picture stays opaque. Primitives
    // are then drawn in texel coordinates (tbPaintSpace). endDrawing copies
    // the `touched` pixels of the drawing surface onto the paint surface,
    // binds the renderer's targets and the frame's viewport again and puts
    // back every state the bracket changed. The copy follows the touched
    // area, so a stamp costs what its brush covers, not the texture's size.
    // The scissor test is off in the bracket; endDrawing puts back the
    // frame's scissor test and rectangle.
    void beginDrawing();
    // The same bracket for drawing that stays inside `area` (texel points),
    // such as one stamp of the brush: unless the area is most of the
    // picture, its pixels are drawn in a small surface of their own, copied
    // in and out as memory, so the stamp's cost follows its own size and
    // not the picture's (a software rasteriser works over the whole target
    // on every draw). Primitives are drawn in texel coordinates minus
    // `drawingOrigin()`; nothing lands outside the area's pixels.
    void beginDrawing(const simBoundingRect& area);
    d3dx::Vector2 drawingOrigin() const;
    void endDrawing(const simBoundingRect& touched);
    // The same copying the whole picture back.
    void endDrawing();
    bool isDrawing() const { return m_bracket.open; }
    // Copies the paint surface onto the snapshot surface (the undo commit).
    void takeSnapshot();

    // A rectangle of pixels (0xAARRGGBB, top row first) of one of the
    // map's colour surfaces, read through a small copy so the cost follows
    // the rectangle; false when it cannot be read.
    bool readPixels(gfx::SurfaceHandle surface, const tbPaintSpace::PixelRect& rect,
                    std::vector<uint32_t>& out) const;
    // Writes a rectangle of pixels into the paint and the drawing surface
    // (opaque whatever their alpha); false when it cannot be written.
    bool writePixels(const tbPaintSpace::PixelRect& rect, const std::vector<uint32_t>& pixels);

    void onDeviceReset() override;
    void onDeviceRestore() override;

    simTexture* getTexture() const { return m_texture.get(); }
    uint32_t getWidth() const { return m_width; }
    uint32_t getHeight() const { return m_height; }
    gfx::SurfaceHandle getPaintSurface() const { return m_paint; }
    gfx::SurfaceHandle getDrawingSurface() const { return m_drawing; }
    gfx::SurfaceHandle getSnapshotSurface() const { return m_snapshot; }
    // Reads a colour surface of the map back as X8R8G8B8 pixels.
    bool readSurface(gfx::SurfaceHandle surface, d3dx::Image& out) const;

private:
    bool makeTexture();
    bool makeTargets(gfx::D3DFORMAT format);
    void clearDrawing();
    bool writePaint(const d3dx::Image& picture);
    bool loadPaint(const std::vector<uint8_t>& file);
    bool savePaint(std::vector<uint8_t>& file) const;
    void copyPaintToTargets();
    void releaseSurfaces();

    uint32_t m_width = 0, m_height = 0;
    tbGeometry* m_owner;
    std::unique_ptr<simTexture> m_texture;
    gfx::SurfaceHandle m_paint, m_drawing, m_depth, m_snapshot;
    std::vector<uint8_t> m_heldImage;     // the picture between a device reset and the restore
    std::vector<uint8_t> m_restoreImage;  // the restore point
    gfx::D3DFORMAT m_targetFormat = gfx::D3DFMT_A8R8G8B8;

    // What the bracket changed, to put back at its end.
    struct Bracket {
        static constexpr size_t kStates = 16;
        bool open = false;
        bool ownScene = false;
        simStateValue states[kStates] = {};
        uint32_t colourMask = 0xF;
        uint32_t scissorTest = 0;
        gfx::RECT scissorRect{};
        gfx::D3DVIEWPORT9 viewport{};
        // The pixels a windowed bracket draws in the window surface; empty
        // when the drawing surface itself is bound.
        tbPaintSpace::PixelRect window;
    };
    Bracket m_bracket;
    gfx::SurfaceHandle m_window;  // the windowed bracket's surface, grown as needed
    uint32_t m_windowWidth = 0, m_windowHeight = 0;
    bool bindWindow(const tbPaintSpace::PixelRect& rect);
    gfx::SurfaceHandle makeScratch(const tbPaintSpace::PixelRect& rect) const;
};
