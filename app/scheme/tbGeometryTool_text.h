// tbGeometryTool_text: the text tool, which paints a line of text onto the
// model.
//
// The text is drawn once, white on transparent, into a 1024 x 1024 texture
// (the text texture): measured with the font at 100 points, drawn at the top
// left of a work surface of that size, then stretched onto the text texture
// but for a one-pixel border, so a one-letter text and a long one both fill
// it and the placement alone sets the painted size (a line too wide for the
// work surface is drawn smaller, so none of it is lost). That texture is then
// projected like an image (tbImageProjection): in the 3-D view along one of
// the six axis directions through a plane the user places with that
// direction's manipulator, or in the texture view straight onto the paint
// texture through a rectangle placed with the texture-view manipulator. The
// colour comes at projection time: the main colour, or a gradient from the
// main to the second colour.
//
// The text bar's settings are read from the model's tool settings (axis,
// colour mode, gradient direction, sided switch) and the colours from the
// tool state, at the moment of projecting or previewing.
//
// The work surface has no depth surface: text needs none, and borrowing one
// of another size would clip the drawing to it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbImageProjection.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/handles.h"

class manipulator;
class simFont;
class simTexture;
class tbGeometry;
struct tbToolSettings;

class tbGeometryTool_text : public simDeviceDependantObject {
public:
    static constexpr uint32_t kSurfaceSize = 1024;
    static constexpr float kFontPoints = 100.0f;  // 133 pixels high
    static constexpr uint32_t kThumbnailWidth = 128, kThumbnailHeight = 32;
    static constexpr uint32_t kThreshold = 90;  // degrees: every face turned towards the plane

    // A manipulator's placement: it writes its drags into these.
    struct Placement {
        d3dx::Vector3 position, scale, rotation;
        std::unique_ptr<manipulator> gizmo;
    };

    // Needs the graphics system. Renders "TEXT" in "Arial".
    explicit tbGeometryTool_text(tbGeometry* owner);
    ~tbGeometryTool_text() override;
    tbGeometryTool_text(const tbGeometryTool_text&) = delete;
    tbGeometryTool_text& operator=(const tbGeometryTool_text&) = delete;

    // ---- What the text bar and the text editor set.
    // Stores the text and renders it into the text texture.
    void setText(std::string text);
    // Makes the font and renders the current text with it. A face that
    // cannot be had leaves the tool without a font: the text texture then
    // stays transparent until a font is made.
    void setFont(std::string faceName, bool bold, bool italic);
    // Every plane at the origin with scale 10, the texture-view rectangle at
    // the texture's centre with scale 1 (manipulators moved with them), then
    // "TEXT" in "Arial", neither bold nor italic.
    void reset();
    // Called with the 128 x 32 picture of the text (ARGB, rows top first,
    // white on black) whenever the text is rendered: the text bar's button.
    void setThumbnailSink(std::function<void(const std::vector<uint32_t>&)> sink);

    // ---- Applying into the paint texture; the caller pushes the undo state.
    // 3-D view: along the text bar's axis through that axis's plane.
    void project();
    // Texture view: through the texture-view rectangle.
    void applyInTextureView();

    // ---- Drawing, while the text tool is current.
    // Only the manipulator in use takes input and shows: the current axis's
    // plane in the 3-D view (viewMode 0), the rectangle in the texture view
    // (viewMode 1); none when the tool is not current.
    void showManipulators(bool current, int32_t viewMode);
    // The text on the model where the projection would paint it, and the
    // plane carrying the text.
    void renderPreview3D();
    // The text's rectangle over the texture view, coloured as it will paint.
    void renderPreviewTexture();

    // ---- The project file's fields (the tool's own part of the settings).
    void store(tbToolSettings& settings) const;
    void show(const tbToolSettings& settings);

    // ---- Device loss: the surfaces go with the device and the text is
    // rendered again once everything is back.
    void onDeviceReset() override;
    void onDeviceRecreate() override;
    std::string getTypeName() override { return "tbGeometryTool_text"; }

    // ---- Reading.
    const std::string& getText() const { return m_text; }
    const std::string& getFontName() const { return m_fontName; }
    bool isBold() const { return m_bold; }
    bool isItalic() const { return m_italic; }
    bool hasFont() const;
    // The drawn text's width and height over 1024 (1, 1 before any text).
    const d3dx::Vector2& getTextExtent() const { return m_extent; }
    // The text texture, drawn again first when a lost device took its
    // picture.
    simTexture* getTextTexture();
    Placement& plane(uint32_t axis) { return m_planes[axis % 6]; }
    Placement& placement() { return m_placement; }
    // The projection the 3-D application and preview use for `axis`.
    tbProjection projectionFor(uint32_t axis) const;
    // The point of a projection's image plane (through its position) that
    // takes the image coordinates `uv`: where the preview puts the text
    // texture's corners so that they lie where the projection paints them.
    static d3dx::Vector3 planePoint(const tbProjection& projection, const d3dx::Vector2& uv);
    // The texture-view rectangle's corners on the unit square of the texture
    // view (x along u, y along 1 - v), in the order that takes the text
    // texture's corners (0, 0), (1, 0), (1, 1), (0, 1).
    std::array<d3dx::Vector2, 4> textureViewCorners() const;

private:
    bool makeSurfaces();
    void releaseSurfaces();
    void renderText();
    simFont* fittingFont(const std::string& line);
    void drawOntoWork(simFont* font, const std::string& line, uint32_t background);
    void sendThumbnail(int32_t width, int32_t height);
    void placeGizmo(Placement& p);
    // The colours of the text texture's corners (0, 0), (1, 0), (1, 1),
    // (0, 1): the main colour, or the gradient along the bar's direction.
    void quadColours(uint32_t out[4]) const;

    tbGeometry* m_owner;
    std::unique_ptr<simTexture> m_texture;  // the text texture
    gfx::SurfaceHandle m_work, m_textSurface, m_thumbnail;
    std::string m_text = "TEXT";
    std::string m_fontName = "Arial";
    bool m_italic = false, m_bold = false;
    d3dx::Vector2 m_extent{1.0f, 1.0f};
    bool m_redraw = false;  // the surfaces are back after a lost device, the text not yet
    std::unique_ptr<simFont> m_font;
    std::unique_ptr<simFont> m_fitted;  // the face made smaller for a line wider than the work surface
    std::array<Placement, 6> m_planes;
    Placement m_placement;
    std::function<void(const std::vector<uint32_t>&)> m_thumbnailSink;
};
