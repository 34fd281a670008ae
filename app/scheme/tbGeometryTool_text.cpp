#include "app/scheme/tbGeometryTool_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbTextureMap.h"
#include "app/scheme/tbToolSettings.h"
#include "app/shell/tbDevice.h"
#include "app/shell/tbOwnResource.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simResources.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTexture.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

constexpr uint32_t kClearWhite = 0x00FFFFFFu;  // white, alpha 0: blending keeps glyph edges white
constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
const d3dx::Vector3 kPlaneScale{10.0f, 10.0f, 10.0f};
const d3dx::Vector3 kCentreOfTexture{0.5f, 0.5f, 0.0f};
const d3dx::Vector2 kQuadUvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

// Per plane, which axes its manipulator moves and scales along (the two
// axes of the plane) and which it turns about (the projection's axis).
void restrictTo(manipulator& gizmo, int normalAxis) {
    for (int a = 0; a < 3; ++a) {
        const float inPlane = a == normalAxis ? 0.0f : 1.0f;
        gizmo.translateAxes[a] = inPlane;
        gizmo.scaleAxes[a] = inPlane;
        gizmo.rotateAxes[a] = 1.0f - inPlane;
    }
}

// The states the text's drawing depends on, set for it and put back after:
// nothing of a material, an effect or the frame may change what the glyphs
// write into the work surface.
struct TextDrawingStates {
    struct Entry {
        uint32_t id;
        simStateValue value, saved = 0;
    };
    Entry entries[8] = {
        {simRenderState_shaderEffect, 0}, {simRenderState_zWrite, 0},      {simRenderState_zFunction, 8},
        {simRenderState_lighting, 0},     {simRenderState_backfaceCullMode, 0}, {simRenderState_stencilMode, 0},
        {simRenderState_fog, 0},          {simRenderState_clipPlaneEnable, 0},
    };
    simRendererState* cache;
    Device* device;
    uint32_t colourMask = 0xF, scissorTest = 0;

    TextDrawingStates(simRendererState* c, Device* d) : cache(c), device(d) {
        for (Entry& e : entries) {
            e.saved = cache->getState(e.id);
            cache->setState(e.id, e.value, true);
        }
        device->GetRenderState(D3DRS_COLORWRITEENABLE, &colourMask);
        device->GetRenderState(D3DRS_SCISSORTESTENABLE, &scissorTest);
        device->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);  // alpha too: the text's coverage
        device->SetRenderState(D3DRS_SCISSORTESTENABLE, 0);
    }
    ~TextDrawingStates() {
        device->SetRenderState(D3DRS_COLORWRITEENABLE, colourMask);
        device->SetRenderState(D3DRS_SCISSORTESTENABLE, scissorTest);
        for (const Entry& e : entries) cache->setState(e.id, e.saved);
    }
    TextDrawingStates(const TextDrawingStates&) = delete;
    TextDrawingStates& operator=(const TextDrawingStates&) = delete;
};

}  // namespace

tbGeometryTool_text::tbGeometryTool_text(tbGeometry* owner) : m_owner(owner) {
    for (uint32_t axis = 0; axis < m_planes.size(); ++axis) {
        Placement& p = m_planes[axis];
        p.scale = kPlaneScale;
        p.gizmo = std::make_unique<manipulator>(true, &p.position, true, &p.rotation, true, &p.scale);
        restrictTo(*p.gizmo, int(axis / 2));
        placeGizmo(p);
    }
    m_placement.position = kCentreOfTexture;
    m_placement.scale = {1.0f, 1.0f, 1.0f};
    m_placement.gizmo = std::make_unique<manipulator>(true, &m_placement.position, true, &m_placement.rotation, true,
                                                      &m_placement.scale);
    restrictTo(*m_placement.gizmo, 2);
    placeGizmo(m_placement);
    showManipulators(false, 0);
    makeSurfaces();
    setFont("Arial", false, false);
}

tbGeometryTool_text::~tbGeometryTool_text() { releaseSurfaces(); }

void tbGeometryTool_text::placeGizmo(Placement& p) {
    p.gizmo->positionTarget = &p.position;
    p.gizmo->rotationTarget = &p.rotation;
    p.gizmo->scaleTarget = &p.scale;
    p.gizmo->setPosition(p.position);
    p.gizmo->setRotation(p.rotation);
    p.gizmo->setScale(p.scale);
}

bool tbGeometryTool_text::hasFont() const { return m_font && m_font->hasFont(); }

// ---- Surfaces ----

bool tbGeometryTool_text::makeSurfaces() {
    simRenderer* r = tbRenderer();
    if (!r) return false;
    if (!m_texture)
        m_texture = tbMakeOwnResource<simTexture>("tbGeometryTool_text_textSurface", int32_t(kSurfaceSize),
                                                int32_t(kSurfaceSize), D3DFMT_A8R8G8B8, true, true, false);
    Device* d = r->getDevice();
    if (!m_texture->getTexture() || FAILED(d->GetSurfaceLevel(m_texture->getTexture(), 0, &m_textSurface)))
        return false;
    return r->createRenderTarget(kSurfaceSize, kSurfaceSize, D3DFMT_A8R8G8B8, false, false, &m_work) &&
           r->createRenderTarget(kThumbnailWidth, kThumbnailHeight, D3DFMT_X8R8G8B8, false, true, &m_thumbnail);
}

void tbGeometryTool_text::releaseSurfaces() {
    for (SurfaceHandle* s : {&m_work, &m_textSurface, &m_thumbnail}) tbReleaseSurface(*s);
}

void tbGeometryTool_text::onDeviceReset() { releaseSurfaces(); }

void tbGeometryTool_text::onDeviceRecreate() {
    // The text is drawn again from what the tool keeps, so nothing needs
    // saving; but not before the renderer has bound its buffers again at
    // the end of this phase: the next use draws it.
    m_redraw = makeSurfaces();
}

simTexture* tbGeometryTool_text::getTextTexture() {
    if (m_redraw) {
        m_redraw = false;
        renderText();
    }
    return m_texture.get();
}

// ---- The text ----

void tbGeometryTool_text::setText(std::string text) {
    m_text = std::move(text);
    renderText();
}

void tbGeometryTool_text::setFont(std::string faceName, bool bold, bool italic) {
    m_fontName = std::move(faceName);
    m_bold = bold;
    m_italic = italic;
    m_font.reset();
    auto font =
        tbMakeOwnResource<simFont>("tbGeometryTool_text_font", m_fontName, kFontPoints, m_bold, m_italic);
    if (font->hasFont()) m_font = std::move(font);
    renderText();
}

void tbGeometryTool_text::setThumbnailSink(std::function<void(const std::vector<uint32_t>&)> sink) {
    m_thumbnailSink = std::move(sink);
}

void tbGeometryTool_text::reset() {
    for (Placement& p : m_planes) {
        p.position = {};
        p.scale = kPlaneScale;
        p.rotation = {};
        placeGizmo(p);
    }
    m_placement.position = kCentreOfTexture;
    m_placement.scale = {1.0f, 1.0f, 1.0f};
    m_placement.rotation = {};
    placeGizmo(m_placement);
    m_text = "TEXT";
    setFont("Arial", false, false);
}

simFont* tbGeometryTool_text::fittingFont(const std::string& line) {
    RECT measured{};
    m_font->measureText(line, -1, &measured);
    float points = kFontPoints;
    // A line wider than the work surface would lose its end: the same face,
    // smaller, until the whole line fits.
    while (measured.right > int32_t(kSurfaceSize) && points > 1.0f) {
        points = std::max(1.0f, std::floor(points * float(kSurfaceSize) / float(measured.right)));
        if (!m_fitted || m_fitted->getSize() != points || m_fitted->getFaceName() != m_fontName ||
            m_fitted->isBold() != m_bold || m_fitted->isItalic() != m_italic)
            m_fitted = tbMakeOwnResource<simFont>("tbGeometryTool_text_fittedFont", m_fontName, points, m_bold,
                                                m_italic);
        if (!m_fitted->hasFont()) return m_font.get();
        m_fitted->measureText(line, -1, &measured);
        if (measured.right <= int32_t(kSurfaceSize)) return m_fitted.get();
        points -= 1.0f;
    }
    return m_font.get();
}

void tbGeometryTool_text::drawOntoWork(simFont* font, const std::string& line, uint32_t background) {
    Device* d = tbRenderer()->getDevice();
    d->SetRenderTarget(0, m_work);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, background, 1.0f, 0);
    if (font) font->drawText(line, 0.0f, 0.0f, simColour::fromARGB(kWhite));
}

void tbGeometryTool_text::renderText() {
    simRenderer* r = tbRenderer();
    if (!r || !m_work || !m_textSurface) return;
    Device* d = r->getDevice();
    const bool ownScene = !r->isInScene();
    if (ownScene) r->beginScene(false, false, false);
    D3DVIEWPORT9 viewport{};
    RECT scissor{};
    d->GetViewport(&viewport);
    d->GetScissorRect(&scissor);
    d->SetDepthStencilSurface({});
    {
        TextDrawingStates states(r->getState(), d);
        d->SetRenderTarget(0, m_textSurface);
        d->Clear(0, nullptr, D3DCLEAR_TARGET, kClearWhite, 1.0f, 0);
        // A trailing space keeps the last letter's overhang (italics) inside
        // the measured rectangle.
        const std::string line = m_text + " ";
        simFont* font = !m_text.empty() && hasFont() ? fittingFont(line) : nullptr;
        drawOntoWork(font, line, kClearWhite);
        int32_t width = 0, height = 0;
        if (font) {
            RECT measured{};
            font->measureText(line, -1, &measured);
            m_extent = {float(measured.right) / float(kSurfaceSize), float(measured.bottom) / float(kSurfaceSize)};
            width = std::min(int32_t(m_extent.x * float(kSurfaceSize)), int32_t(kSurfaceSize));
            height = std::min(int32_t(m_extent.y * float(kSurfaceSize)), int32_t(kSurfaceSize));
            const RECT source{0, 0, width, height};
            const RECT dest{1, 1, int32_t(kSurfaceSize) - 1, int32_t(kSurfaceSize) - 1};
            if (width > 0 && height > 0) d->StretchRect(m_work, &source, m_textSurface, &dest, D3DTEXF_LINEAR);
            // The same text on black for the thumbnail.
            drawOntoWork(font, line, kOpaqueBlack);
        }
        d->SetRenderTarget(0, r->getBackBuffer());
        sendThumbnail(width, height);
    }
    d->SetDepthStencilSurface(r->getDefaultDepthStencil());
    d->SetViewport(&viewport);
    d->SetScissorRect(&scissor);
    if (ownScene) r->endScene(false, nullptr);
}

void tbGeometryTool_text::sendThumbnail(int32_t width, int32_t height) {
    if (!m_thumbnailSink || !m_thumbnail) return;
    Device* d = tbRenderer()->getDevice();
    std::vector<uint32_t> pixels(size_t(kThumbnailWidth) * kThumbnailHeight, kOpaqueBlack);
    if (width > 0 && height > 0) {
        const RECT source{0, 0, width, height};
        D3DLOCKED_RECT locked{};
        if (FAILED(d->StretchRect(m_work, &source, m_thumbnail, nullptr, D3DTEXF_LINEAR)) ||
            FAILED(d->LockRect(m_thumbnail, &locked, nullptr, D3DLOCK_READONLY)))
            return;
        for (uint32_t row = 0; row < kThumbnailHeight; ++row)
            std::memcpy(&pixels[size_t(row) * kThumbnailWidth],
                        static_cast<const uint8_t*>(locked.pBits) + size_t(row) * size_t(locked.Pitch),
                        kThumbnailWidth * 4);
        d->UnlockRect(m_thumbnail);
        for (uint32_t& p : pixels) p |= kOpaqueBlack;
    }
    m_thumbnailSink(pixels);
}

// ---- Placement ----

tbProjection tbGeometryTool_text::projectionFor(uint32_t axis) const {
    axis %= 6;
    const Placement& p = m_planes[axis];
    const d3dx::Vector3& s = p.scale;
    static const d3dx::Vector3 kDirections[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    // The plane's half-extents from its scale, signed so that the text reads
    // the right way round seen from the side it is projected from.
    static constexpr float kSigns[6][2] = {{-1, 1}, {-1, 1}, {1, 1}, {1, -1}, {-1, 1}, {1, 1}};
    const d3dx::Vector2 extent = axis < 2 ? d3dx::Vector2{s.z, s.y} : axis < 4 ? d3dx::Vector2{s.x, s.z}
                                                                             : d3dx::Vector2{s.x, s.y};
    const tbToolSettings& bar = m_owner->toolSettings;
    const tbToolState& tools = m_owner->tools();
    tbProjection out;
    out.threshold = kThreshold;
    out.direction = kDirections[axis];
    out.doubleSided = bar.textSided != 0;
    out.position = p.position;
    out.planeSize = {extent.x * kSigns[axis][0], extent.y * kSigns[axis][1]};
    out.rotation = p.rotation;
    out.image = m_texture.get();
    out.colour0 = tools.mainColour();
    out.colour1 = tools.secondColour();
    out.gradient = bar.textColourMode != 0;
    out.axis = bar.textGradientDirection;
    out.extendEdges = false;
    return out;
}

d3dx::Vector3 tbGeometryTool_text::planePoint(const tbProjection& projection, const d3dx::Vector2& uv) {
    // The image coordinates are an affine map of the plane's two axes: take
    // it from three points and invert it, so the preview follows whatever
    // signs and turn the projection uses.
    const d3dx::Vector3& d = projection.direction;
    const d3dx::Vector3 e1 = std::fabs(d.x) > 0.5f ? d3dx::Vector3{0, 0, 1} : d3dx::Vector3{1, 0, 0};
    const d3dx::Vector3 e2 = std::fabs(d.y) > 0.5f ? d3dx::Vector3{0, 0, 1} : d3dx::Vector3{0, 1, 0};
    const d3dx::Vector3& origin = projection.position;
    const d3dx::Vector2 at = tbImageProjection::imageCoordinate(origin, projection);
    const d3dx::Vector2 a = tbImageProjection::imageCoordinate(origin + e1, projection) - at;
    const d3dx::Vector2 b = tbImageProjection::imageCoordinate(origin + e2, projection) - at;
    const float det = a.x * b.y - a.y * b.x;
    if (det == 0.0f) return origin;
    const d3dx::Vector2 q = uv - at;
    return origin + e1 * ((q.x * b.y - q.y * b.x) / det) + e2 * ((a.x * q.y - a.y * q.x) / det);
}

std::array<d3dx::Vector2, 4> tbGeometryTool_text::textureViewCorners() const {
    const d3dx::Vector3& s = m_placement.scale;
    const float angle = m_placement.rotation.z, c = std::cos(angle), sn = std::sin(angle);
    const d3dx::Vector2 local[4] = {{-s.x, s.y}, {s.x, s.y}, {s.x, -s.y}, {-s.x, -s.y}};
    std::array<d3dx::Vector2, 4> out;
    for (int i = 0; i < 4; ++i)
        out[size_t(i)] = {local[i].x * c - local[i].y * sn + m_placement.position.x,
                          local[i].x * sn + local[i].y * c + m_placement.position.y};
    return out;
}

void tbGeometryTool_text::quadColours(uint32_t out[4]) const {
    // The colouring is the projection's, whatever its axis.
    const tbProjection colouring = projectionFor(0);
    for (int i = 0; i < 4; ++i) out[i] = tbImageProjection::cornerColour(kQuadUvs[i], colouring);
}

void tbGeometryTool_text::showManipulators(bool current, int32_t viewMode) {
    const uint32_t axis = m_owner->toolSettings.textListSelection % 6;
    for (uint32_t i = 0; i < m_planes.size(); ++i) {
        const uint8_t on = current && viewMode == 0 && i == axis ? 1 : 0;
        m_planes[i].gizmo->visible = on;
        m_planes[i].gizmo->enabled = on;
    }
    const uint8_t on = current && viewMode == 1 ? 1 : 0;
    m_placement.gizmo->visible = on;
    m_placement.gizmo->enabled = on;
}

// ---- Applying ----

namespace {

// Addressing clamped while the text texture is sampled: its transparent
// border then runs on beyond the plane instead of the text repeating.
class ClampedAddressing {
public:
    explicit ClampedAddressing(simRendererState* cache) : m_cache(cache) {
        m_cache->setState(simRenderState_addressU, D3DTADDRESS_CLAMP);
        m_cache->setState(simRenderState_addressV, D3DTADDRESS_CLAMP);
    }
    ~ClampedAddressing() {
        m_cache->setState(simRenderState_addressU, D3DTADDRESS_WRAP);
        m_cache->setState(simRenderState_addressV, D3DTADDRESS_WRAP);
    }
    ClampedAddressing(const ClampedAddressing&) = delete;
    ClampedAddressing& operator=(const ClampedAddressing&) = delete;

private:
    simRendererState* m_cache;
};

}  // namespace

void tbGeometryTool_text::project() {
    tbTextureMap* map = m_owner->getTextureMap();
    simRenderer* r = tbRenderer();
    simTexture* texture = getTextTexture();
    if (!map || !r || !texture) return;
    const tbProjection projection = projectionFor(m_owner->toolSettings.textListSelection);
    std::vector<simScreenTriangle> triangles;
    simBoundingRect touched;
    for (const auto& root : m_owner->roots)
        tbImageProjection::collectPaint(*root, projection, map->getWidth(), map->getHeight(), triangles, touched);
    if (triangles.empty()) return;
    map->beginDrawing();
    {
        ClampedAddressing clamped(r->getState());
        r->drawTriangles2D(triangles, texture);
    }
    m_owner->getUndo().addRect(touched);
    map->endDrawing(touched);
}

void tbGeometryTool_text::applyInTextureView() {
    tbTextureMap* map = m_owner->getTextureMap();
    simRenderer* r = tbRenderer();
    simTexture* texture = getTextTexture();
    if (!map || !r || !texture) return;
    const float width = float(map->getWidth()), height = float(map->getHeight());
    d3dx::Vector2 texels[4];
    simBoundingRect touched;
    const std::array<d3dx::Vector2, 4> corners = textureViewCorners();
    for (int i = 0; i < 4; ++i) {
        texels[i] = {corners[size_t(i)].x * width, (1.0f - corners[size_t(i)].y) * height};
        touched.growByPoint(texels[i]);
    }
    uint32_t colours[4];
    quadColours(colours);
    map->beginDrawing();
    {
        ClampedAddressing clamped(r->getState());
        r->drawQuadColours(texels[0], texels[1], texels[2], texels[3], colours[0], colours[1], colours[2], colours[3],
                           texture, kQuadUvs[0], kQuadUvs[1], kQuadUvs[2], kQuadUvs[3]);
    }
    m_owner->getUndo().addQuad(texels[0], texels[1], texels[2], texels[3]);
    map->endDrawing(touched);
}

// ---- Previews ----

void tbGeometryTool_text::renderPreview3D() {
    simRenderer* r = tbRenderer();
    simTexture* texture = getTextTexture();
    if (!r || !texture) return;
    simRendererState* cache = r->getState();
    const tbProjection projection = projectionFor(m_owner->toolSettings.textListSelection);
    const simStateValue blending = cache->getState(simRenderState_alphaBlend);
    cache->setState(simRenderState_alphaBlend, 1);
    cache->setState(simRenderState_backfaceCullMode, 0);
    cache->setState(simRenderState_zFunction, 4);
    {
        ClampedAddressing clamped(cache);
        std::vector<simTriangle3D> faces;
        for (const auto& root : m_owner->roots) tbImageProjection::collectPreview(*root, projection, faces);
        r->drawTriangles3D(faces, texture);
        d3dx::Vector3 corners[4];
        uint32_t colours[4];
        for (int i = 0; i < 4; ++i) {
            corners[i] = planePoint(projection, kQuadUvs[i]);
            colours[i] = tbImageProjection::cornerColour(kQuadUvs[i], projection);
        }
        r->drawQuad3DColours(corners[0], corners[1], corners[2], corners[3], colours[0], colours[1], colours[2],
                             colours[3], texture, kQuadUvs[0], kQuadUvs[1], kQuadUvs[2], kQuadUvs[3]);
    }
    cache->setState(simRenderState_alphaBlend, blending);
}

void tbGeometryTool_text::renderPreviewTexture() {
    simRenderer* r = tbRenderer();
    simTexture* texture = getTextTexture();
    if (!r || !texture) return;
    simRendererState* cache = r->getState();
    const std::array<d3dx::Vector2, 4> corners = textureViewCorners();
    uint32_t colours[4];
    quadColours(colours);
    const simStateValue blending = cache->getState(simRenderState_alphaBlend);
    cache->setState(simRenderState_alphaBlend, 1);
    {
        ClampedAddressing clamped(cache);
        r->drawQuad3DColours({corners[0].x, corners[0].y, 0}, {corners[1].x, corners[1].y, 0},
                             {corners[2].x, corners[2].y, 0}, {corners[3].x, corners[3].y, 0}, colours[0],
                             colours[1], colours[2], colours[3], texture, kQuadUvs[0], kQuadUvs[1],
                             kQuadUvs[2], kQuadUvs[3]);
    }
    cache->setState(simRenderState_alphaBlend, blending);
}

// ---- The project file ----

void tbGeometryTool_text::store(tbToolSettings& settings) const {
    settings.text = m_text;
    settings.fontName = m_fontName;
    settings.italic = m_italic ? 1 : 0;
    settings.bold = m_bold ? 1 : 0;
    for (uint32_t axis = 0; axis < m_planes.size(); ++axis) {
        settings.textProjection.positions[axis] = m_planes[axis].position;
        settings.textProjection.scales[axis] = m_planes[axis].scale;
        settings.textProjection.rotations[axis] = m_planes[axis].rotation;
        settings.textProjection.extents[axis] = projectionFor(axis).planeSize;
    }
    settings.textPosition = m_placement.position;
    settings.textScale = m_placement.scale;
    settings.textRotation = m_placement.rotation;
}

void tbGeometryTool_text::show(const tbToolSettings& settings) {
    // A placement of no size was never stored (the tool had not been made
    // when the file was saved): the tool keeps its own.
    const auto take = [this](Placement& p, const d3dx::Vector3& position, const d3dx::Vector3& scale,
                             const d3dx::Vector3& rotation) {
        if (scale == d3dx::Vector3()) return;
        p.position = position;
        p.scale = scale;
        p.rotation = rotation;
        placeGizmo(p);
    };
    for (uint32_t axis = 0; axis < m_planes.size(); ++axis)
        take(m_planes[axis], settings.textProjection.positions[axis], settings.textProjection.scales[axis],
             settings.textProjection.rotations[axis]);
    take(m_placement, settings.textPosition, settings.textScale, settings.textRotation);
    m_text = settings.text;
    setFont(settings.fontName.empty() ? std::string("Arial") : settings.fontName, settings.bold != 0,
            settings.italic != 0);
}

// ---- The model's side ----

tbGeometryTool_text& tbGeometry::textTool() {
    if (!m_textTool) m_textTool = std::make_unique<tbGeometryTool_text>(this);
    return *m_textTool;
}

void tbGeometry::projectText() { textTool().project(); }

void tbGeometry::applyTextInTextureView() { textTool().applyInTextureView(); }
