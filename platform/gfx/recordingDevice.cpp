#include "platform/gfx/recordingDevice.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/gfx/deviceBackend.h"
#include "platform/gfx/formats.h"

namespace gfx {

// ---- Recorder ----

std::string Recorder::Call::text() const {
    std::string s = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i) s += ",";
        s += std::to_string(args[i]);
    }
    return s + ")";
}

void Recorder::failNext(Failure kind, HRESULT code, int times) { failures_[kind] = Injection{code, times}; }

void Recorder::failAlways(Failure kind, HRESULT code) {
    failures_[kind] = code == D3D_OK ? Injection{} : Injection{code, -1};
}

HRESULT Recorder::takeFailure(Failure kind) {
    auto it = failures_.find(kind);
    if (it == failures_.end() || it->second.remaining == 0) return D3D_OK;
    if (it->second.remaining > 0) --it->second.remaining;
    return it->second.code;
}

std::size_t Recorder::count(const std::string& name) const {
    auto it = counts_.find(name);
    return it == counts_.end() ? 0 : it->second;
}

std::size_t Recorder::count(const std::string& name, std::uint64_t arg0) const {
    return static_cast<std::size_t>(std::count_if(calls_.begin(), calls_.end(), [&](const Call& c) {
        return c.name == name && !c.args.empty() && c.args[0] == arg0;
    }));
}

std::string Recorder::text() const {
    std::string s;
    for (const Call& c : calls_) s += c.text() + "\n";
    return s;
}

void Recorder::clear() {
    calls_.clear();
    counts_.clear();
    total_ = 0;
}

void Recorder::record(const char* name, std::initializer_list<std::uint64_t> args) {
    ++total_;
    ++counts_[name];
    if (keepLog) calls_.push_back(Call{name, std::vector<std::uint64_t>(args)});
}

AdapterInfo Recorder::defaultAdapter() {
    AdapterInfo a;
    a.deviceName = "recording0";
    a.driver = "recording";
    a.description = "Tolvane recording device";
    a.caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    a.caps.TextureCaps = D3DPTEXTURECAPS_MIPMAP;
    a.caps.StencilCaps = D3DSTENCILCAPS_TWOSIDED;
    a.caps.MaxTextureWidth = a.caps.MaxTextureHeight = 8192;
    a.caps.MaxActiveLights = 1;
    a.caps.VertexShaderVersion = D3DVS_VERSION(3, 0);
    a.caps.PixelShaderVersion = D3DPS_VERSION(3, 0);
    a.caps.NumberOfAdaptersInGroup = 1;
    a.desktop = D3DDISPLAYMODE{1920, 1080, 60, D3DFMT_X8R8G8B8};
    a.modes = {{800, 600, 60, D3DFMT_X8R8G8B8}, {1024, 768, 60, D3DFMT_X8R8G8B8}, {1920, 1080, 60, D3DFMT_X8R8G8B8}};
    a.multisampleQualityWindowed = a.multisampleQualityFullscreen = 4;
    return a;
}

// ---- the backend ----

namespace {

// Pixels of one surface or texture level, top row first.
struct Image {
    std::uint32_t width = 0, height = 0, pitch = 0;
    const FormatInfo* format = nullptr;
    std::vector<std::uint8_t> bytes;

    void allocate(const FormatInfo* f, std::uint32_t w, std::uint32_t h) {
        format = f;
        width = w;
        height = h;
        pitch = formatPitch(*f, w);
        bytes.assign(std::size_t(pitch) * formatRows(*f, h), 0);
    }
    std::uint32_t* pixel(std::uint32_t x, std::uint32_t y) {
        return reinterpret_cast<std::uint32_t*>(bytes.data() + std::size_t(y) * pitch + x * 4);
    }
};

class RecordingBackend final : public DeviceBackend {
public:
    RecordingBackend(std::shared_ptr<Recorder> rec, const D3DPRESENT_PARAMETERS& params) : rec_(std::move(rec)) {
        makeBackBuffer(params);
    }

    void trace(const char* call, std::initializer_list<std::uint64_t> args) override { rec_->record(call, args); }

    HRESULT createTexture(std::uint32_t index, const TextureDesc& d) override {
        const HRESULT hr = rec_->takeFailure((d.usage & D3DUSAGE_RENDERTARGET) ? Recorder::Failure::CreateRenderTarget
                                                                              : Recorder::Failure::CreateTexture);
        if (FAILED(hr)) return hr;
        std::vector<Image>& levels = textures_[index];
        levels.clear();
        const FormatInfo* f = formatInfo(d.format);
        for (std::uint32_t face = 0; face < (d.cube ? 6u : 1u); ++face)
            for (std::uint32_t l = 0; l < d.levels; ++l) {
                levels.emplace_back();
                levels.back().allocate(f, mipSize(d.width, l), mipSize(d.height, l));
            }
        levelCounts_[index] = d.levels;
        return D3D_OK;
    }

    HRESULT createSurface(std::uint32_t index, SurfaceKind kind, const D3DSURFACE_DESC& d) override {
        if (kind != SurfaceKind::Offscreen) {
            const HRESULT hr = rec_->takeFailure(Recorder::Failure::CreateRenderTarget);
            if (FAILED(hr)) return hr;
        }
        surfaces_[index].allocate(formatInfo(d.Format), d.Width, d.Height);
        return D3D_OK;
    }

    HRESULT createVertexBuffer(std::uint32_t index, std::uint32_t bytes, std::uint32_t) override {
        const HRESULT hr = rec_->takeFailure(Recorder::Failure::CreateVertexBuffer);
        if (FAILED(hr)) return hr;
        buffers_[index].assign(bytes, 0);
        return D3D_OK;
    }

    HRESULT createProgram(std::uint32_t, const std::string&, const std::string&, std::string* errors) override {
        const HRESULT hr = rec_->takeFailure(Recorder::Failure::CreateProgram);
        if (FAILED(hr) && errors) *errors = "injected compile failure\n";
        return hr;
    }

    HRESULT lockSurface(const SurfaceRef& s, const D3DSURFACE_DESC&, const RECT& r, std::uint32_t,
                        D3DLOCKED_RECT* out) override {
        const HRESULT hr = rec_->takeFailure(Recorder::Failure::Lock);
        if (FAILED(hr)) return hr;
        Image& img = image(s);
        const std::uint32_t block = img.format->blockSize;
        out->Pitch = static_cast<std::int32_t>(img.pitch);
        out->pBits = img.bytes.data() + std::size_t(r.top / block) * img.pitch +
                     std::size_t(r.left / block) * img.format->blockBytes;
        return D3D_OK;
    }

    HRESULT unlockSurface(const SurfaceRef& s, const D3DSURFACE_DESC&) override {
        Image& img = image(s);
        if (img.format->format == D3DFMT_X8R8G8B8) forceOpaque(img);
        return D3D_OK;
    }

    HRESULT lockVertexBuffer(std::uint32_t index, std::uint32_t offset, std::uint32_t, std::uint32_t,
                             void** out) override {
        const HRESULT hr = rec_->takeFailure(Recorder::Failure::Lock);
        if (FAILED(hr)) return hr;
        *out = buffers_[index].data() + offset;
        return D3D_OK;
    }

    HRESULT unlockVertexBuffer(std::uint32_t) override { return D3D_OK; }

    HRESULT stretchRect(const SurfaceRef& src, const D3DSURFACE_DESC&, const RECT& sr, const SurfaceRef& dst,
                        const D3DSURFACE_DESC&, const RECT& dr, D3DTEXTUREFILTERTYPE) override {
        Image& from = image(src);
        Image& to = image(dst);
        const std::int64_t sw = sr.right - sr.left, sh = sr.bottom - sr.top;
        const std::int64_t dw = dr.right - dr.left, dh = dr.bottom - dr.top;
        for (std::int64_t y = 0; y < dh; ++y)
            for (std::int64_t x = 0; x < dw; ++x)
                *to.pixel(dr.left + x, dr.top + y) = *from.pixel(sr.left + x * sw / dw, sr.top + y * sh / dh);
        if (to.format->format == D3DFMT_X8R8G8B8) forceOpaque(to);
        return D3D_OK;
    }

    HRESULT setProgramUniform(std::uint32_t, const std::string&, UniformType, const void*, std::uint32_t) override {
        return D3D_OK;
    }

    void destroyTexture(std::uint32_t index) override {
        textures_.erase(index);
        levelCounts_.erase(index);
    }
    void destroySurface(std::uint32_t index) override { surfaces_.erase(index); }
    void destroyVertexBuffer(std::uint32_t index) override { buffers_.erase(index); }
    void destroyProgram(std::uint32_t) override {}

    HRESULT clear(const DeviceState& state, const RenderTargets& targets, std::uint32_t flags, D3DCOLOR colour,
                  float, std::uint32_t) override {
        if (!(flags & D3DCLEAR_TARGET)) return D3D_OK;
        Image* target = &image(targets.colour);
        if (target->format->blockBytes != 4) return D3D_OK;
        const D3DVIEWPORT9& vp = state.viewport;
        for (std::uint32_t y = vp.Y; y < vp.Y + vp.Height && y < target->height; ++y)
            for (std::uint32_t x = vp.X; x < vp.X + vp.Width && x < target->width; ++x) *target->pixel(x, y) = colour;
        if (target->format->format == D3DFMT_X8R8G8B8) forceOpaque(*target);
        return D3D_OK;
    }

    HRESULT draw(const DeviceState&, const RenderTargets&, D3DPRIMITIVETYPE, std::uint32_t,
                 std::uint32_t) override {
        return D3D_OK;
    }

    HRESULT drawIndexed(const DeviceState&, const RenderTargets&, D3DPRIMITIVETYPE, std::int32_t, std::uint32_t,
                        std::uint32_t, std::uint32_t) override {
        return D3D_OK;
    }

    HRESULT reset(const D3DPRESENT_PARAMETERS& params) override {
        const HRESULT hr = rec_->takeFailure(Recorder::Failure::Reset);
        if (FAILED(hr)) return hr;
        makeBackBuffer(params);
        return D3D_OK;
    }

    HRESULT present(const RECT*, const RECT*) override { return D3D_OK; }

    HRESULT getRasterStatus(D3DRASTER_STATUS* out) override {
        if (rec_->rasterQueue.empty()) {
            *out = rec_->rasterStatus;
        } else {
            *out = rec_->rasterQueue.front();
            rec_->rasterQueue.pop_front();
        }
        return D3D_OK;
    }

private:
    void makeBackBuffer(const D3DPRESENT_PARAMETERS& params) {
        backBuffer_.allocate(formatInfo(D3DFMT_X8R8G8B8), params.BackBufferWidth, params.BackBufferHeight);
        forceOpaque(backBuffer_);
    }

    static void forceOpaque(Image& img) {
        for (std::size_t i = 3; i < img.bytes.size(); i += 4) img.bytes[i] = 0xFF;
    }

    Image& image(const SurfaceRef& s) {
        switch (s.kind) {
            case SurfaceKind::BackBuffer: return backBuffer_;
            case SurfaceKind::TextureLevel: return textures_[s.index][s.face * levelCounts_[s.index] + s.level];
            default: return surfaces_[s.index];
        }
    }

    std::shared_ptr<Recorder> rec_;
    Image backBuffer_;
    std::map<std::uint32_t, std::vector<Image>> textures_;
    std::map<std::uint32_t, std::uint32_t> levelCounts_;
    std::map<std::uint32_t, Image> surfaces_;
    std::map<std::uint32_t, std::vector<std::uint8_t>> buffers_;
};

}  // namespace

std::unique_ptr<DeviceBackend> makeRecordingBackend(std::shared_ptr<Recorder> rec,
                                                    const D3DPRESENT_PARAMETERS& params) {
    return std::make_unique<RecordingBackend>(std::move(rec), params);
}

std::unique_ptr<Direct3D> makeRecordingDirect3D(std::shared_ptr<Recorder> rec) {
    AdapterInfo info = rec->adapter;
    return std::make_unique<Direct3D>(std::move(info), [rec](const D3DPRESENT_PARAMETERS& params, HRESULT* hr) {
        *hr = D3D_OK;
        return makeRecordingBackend(rec, params);
    });
}

}  // namespace gfx
