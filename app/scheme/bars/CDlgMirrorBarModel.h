// What the mirror bar decides, without a window: the direction the mirror
// copies paint in (0 "-X -> +X axis", 1 "+X -> -X axis") and the call that
// performs it. The direction lasts while the program runs; the open model's
// tool settings carry it for the mirror's preview (the file keeps none, so
// an opened model takes the bar's).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "app/scheme/bars/tbToolSettingsBinding.h"

namespace bars {

class MirrorBarModel : public tbToolSettingsParticipant {
public:
    static constexpr std::array<const char*, 2> kDirectionNames = {"-X -> +X axis", "+X -> -X axis"};

    // `perform` mirrors the open model's paint in a direction (may be empty:
    // the button then does nothing); `binding` hears of every change.
    explicit MirrorBarModel(tbToolSettingsBinding& binding, std::function<void(int32_t direction)> perform = {})
        : binding_(binding), perform_(std::move(perform)) {}

    void setPerform(std::function<void(int32_t direction)> perform) { perform_ = std::move(perform); }

    // The list's selection; anything outside the list is ignored.
    void directionSelected(int index);
    void performMirror() const;
    // The toolbox's reset: the first direction.
    void reset();

    int32_t direction() const { return direction_; }

    // ---- tbToolSettingsParticipant.
    void store(tbToolSettings& settings) const override { settings.mirrorDirection = direction_; }
    void show(const tbToolSettings&) override {}

private:
    tbToolSettingsBinding& binding_;
    std::function<void(int32_t)> perform_;
    int32_t direction_ = 0;
};

}  // namespace bars
