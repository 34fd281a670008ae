// Typed, generation-counted handles for the device's resources.
//
// Engine objects keep handles, never pointers into the device: a handle whose
// resource was destroyed (or whose slot was reused) fails its look-up instead
// of reading freed memory. A handle is 32 bits: the slot index in the low 20
// bits, the slot's generation in the high 12. Zero is the null handle.
#pragma once

#include <cstdint>
#include <vector>

namespace gfx {

template <class Tag>
struct Handle {
    std::uint32_t id = 0;

    explicit operator bool() const { return id != 0; }
    friend bool operator==(Handle a, Handle b) { return a.id == b.id; }
    friend bool operator!=(Handle a, Handle b) { return a.id != b.id; }

    static constexpr std::uint32_t kIndexBits = 20;
    static constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
    std::uint32_t index() const { return (id & kIndexMask) - 1; }
    std::uint32_t generation() const { return id >> kIndexBits; }
    static Handle make(std::uint32_t index, std::uint32_t generation) {
        return Handle{((generation & 0xFFFu) << kIndexBits) | (index + 1)};
    }
};

struct TextureTag;
struct SurfaceTag;
struct VertexBufferTag;
struct IndexBufferTag;
struct ProgramTag;

// A 2-D or cube texture (Direct3D's base texture).
using TextureHandle = Handle<TextureTag>;
// A render target, depth-stencil or offscreen surface, a level of a texture,
// or one of the device's own back buffer and depth-stencil surfaces.
using SurfaceHandle = Handle<SurfaceTag>;
using VertexBufferHandle = Handle<VertexBufferTag>;
// Index buffers share the vertex buffers' slots (the backend keeps both as
// plain buffers); the handle type keeps the two apart in calls.
using IndexBufferHandle = Handle<IndexBufferTag>;
// A linked GLSL program made through the effect hook.
using ProgramHandle = Handle<ProgramTag>;

// What a handle's resource is at the moment.
enum class ResourceState {
    Stale,  // null, destroyed, or never made: every use fails with D3DERR_INVALIDCALL
    Valid,
    Lost,   // a default-pool resource of a lost device: it can still be locked
            // and read, draws with it do nothing, and it must be released
            // before the device can be Reset
};

// Slots of one resource kind. Record is the per-resource data kept by the
// device; a destroyed slot's generation moves on, so old handles go stale.
template <class Tag, class Record>
class HandlePool {
public:
    using H = Handle<Tag>;

    H add(Record record) {
        std::uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            index = static_cast<std::uint32_t>(slots_.size());
            slots_.push_back({});
        }
        Slot& s = slots_[index];
        s.live = true;
        s.record = std::move(record);
        return H::make(index, s.generation);
    }

    // The record of a live handle, or null when the handle is stale.
    Record* find(H h) {
        if (!h) return nullptr;
        const std::uint32_t index = h.index();
        if (index >= slots_.size()) return nullptr;
        Slot& s = slots_[index];
        if (!s.live || (s.generation & 0xFFFu) != h.generation()) return nullptr;
        return &s.record;
    }
    const Record* find(H h) const { return const_cast<HandlePool*>(this)->find(h); }

    bool remove(H h) {
        if (!find(h)) return false;
        Slot& s = slots_[h.index()];
        s.live = false;
        s.record = Record{};
        ++s.generation;
        free_.push_back(h.index());
        return true;
    }

    // Calls f(handle, record) for every live slot.
    template <class F>
    void forEach(F&& f) {
        for (std::uint32_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].live) f(H::make(i, slots_[i].generation), slots_[i].record);
    }

    std::size_t liveCount() const { return slots_.size() - free_.size(); }

private:
    struct Slot {
        std::uint32_t generation = 1;
        bool live = false;
        Record record{};
    };
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> free_;
};

}  // namespace gfx
