// The recording device: a device backend without a GPU, for behaviour tests.
//
// It logs every call made on the device (name and scalar arguments), counts
// calls by name, and injects failures on demand: Reset, locks, texture and
// render-target creation, program (effect) compiles. Locks hand out real
// memory that keeps its contents, Clear fills colour targets and StretchRect
// copies (point-sampled), so code that saves and restores pictures through
// surfaces can be tested; nothing is rasterised.
//
// Typical use:
//   auto rec = std::make_shared<gfx::Recorder>();
//   gfx::setDirect3DFactory([rec] { return gfx::makeRecordingDirect3D(rec); });
//   ... run engine code ...
//   EXPECT_EQ(rec->count("SetTexture"), 1u);
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/direct3d.h"
#include "platform/gfx/results.h"

namespace gfx {

class Recorder {
public:
    struct Call {
        std::string name;
        std::vector<std::uint64_t> args;
        std::string text() const;  // "SetRenderState(7,1)"
    };

    enum class Failure {
        Reset,          // Device::Reset
        Lock,           // LockRect and vertex- and index-buffer Lock
        CreateTexture,  // CreateTexture, CreateCubeTexture (not render-target textures)
        CreateRenderTarget,  // render-target textures, CreateRenderTarget, CreateDepthStencilSurface
        CreateProgram,  // CreateProgram (an effect's compile)
        CreateVertexBuffer,  // CreateVertexBuffer and CreateIndexBuffer
    };

    // The adapter that makeRecordingDirect3D reports; change it before creating.
    AdapterInfo adapter = defaultAdapter();
    // What GetRasterStatus answers: the queued records in order, then rasterStatus.
    std::deque<D3DRASTER_STATUS> rasterQueue;
    D3DRASTER_STATUS rasterStatus{true, 0};

    // The next `times` calls of that kind fail with code (then succeed again).
    void failNext(Failure kind, HRESULT code, int times = 1);
    // Every call of that kind fails with code until cleared with D3D_OK.
    void failAlways(Failure kind, HRESULT code);
    // The injected result for one call of that kind (D3D_OK: none), used up.
    HRESULT takeFailure(Failure kind);

    const std::vector<Call>& calls() const { return calls_; }
    std::size_t count(const std::string& name) const;
    // Calls of that name whose first argument is arg0.
    std::size_t count(const std::string& name, std::uint64_t arg0) const;
    std::uint64_t total() const { return total_; }
    // The log as text, one call a line.
    std::string text() const;
    void clear();
    // Only counts (no log) when false: for benchmarks.
    bool keepLog = true;

    void record(const char* name, std::initializer_list<std::uint64_t> args);

    static AdapterInfo defaultAdapter();

private:
    struct Injection {
        HRESULT code = D3D_OK;
        int remaining = 0;  // < 0: always
    };
    std::vector<Call> calls_;
    std::map<std::string, std::size_t> counts_;
    std::map<Failure, Injection> failures_;
    std::uint64_t total_ = 0;
};

// A recording backend logging into rec.
std::unique_ptr<DeviceBackend> makeRecordingBackend(std::shared_ptr<Recorder> rec, const D3DPRESENT_PARAMETERS& params);
// An adapter with rec's AdapterInfo whose devices record into rec.
std::unique_ptr<Direct3D> makeRecordingDirect3D(std::shared_ptr<Recorder> rec);

}  // namespace gfx
