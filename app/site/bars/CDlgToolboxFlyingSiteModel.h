// What the flying-site toolbox decides, without a window: a button per site
// tool, each choosing its tool, and closing it hides the site's bars.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "app/shell/tbToolTable.h"

namespace sitebars {

struct SiteToolButton {
    int id;
    const char* caption;
    int32_t tool;
    tbToolButton button;
};

class SiteToolboxModel {
public:
    static constexpr std::array<SiteToolButton, 5> kButtons = {{
        {1134, "Pano", 8, tbToolButton::panorama},
        {1135, "Lighting", 9, tbToolButton::lighting},
        {1136, "Collision", 10, tbToolButton::collision},
        {1137, "Positions", 11, tbToolButton::positions},
        {1140, "Weather", 12, tbToolButton::weather},
    }};
    static const SiteToolButton* buttonOfId(int id);
    static const SiteToolButton* buttonOf(tbToolButton button);

    // `setTool` chooses a tool; `hideBars` hides the site's bars.
    SiteToolboxModel(std::function<void(int32_t)> setTool, std::function<void()> hideBars)
        : setTool_(std::move(setTool)), hideBars_(std::move(hideBars)) {}

    void toolClicked(int id) const;
    void closed() const;

private:
    std::function<void(int32_t)> setTool_;
    std::function<void()> hideBars_;
};

}  // namespace sitebars
