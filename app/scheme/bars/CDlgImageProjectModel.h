// What the image projection bar decides, without a window: six slots, one per axis direction
// (+X, -X, +Y, -Y, +Z, -Z), each with its image, angle threshold, one- or
// double-sided switch, Wrap or Clamp addressing and Show switch; the slot
// the bar shows, the folder the image browser opens in, and the commands
// that load a slot's image and project every shown slot.
//
// The slots' values are the bar's and program-wide; the projection tool
// reads them from the open model's tool settings, which this presenter keeps
// written (tbToolSettingsBinding). The slots' images live in the model.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "app/scheme/bars/tbBarTarget.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "app/scheme/tbToolSettings.h"

struct tbFileRequest;

namespace bars {

class ImageProjectModel : public tbToolSettingsParticipant {
public:
    static constexpr int kSlots = 6;
    static constexpr uint32_t kMaxThreshold = 180;  // degrees between two directions
    static constexpr const char* kNoImage = "[No Image]";

    struct Operations {
        // Loads `path` into the model's slot; an empty path clears the slot.
        std::function<void(tbGeometry&, uint32_t slot, const std::string& path)> loadImage;
        // Projects every shown slot onto the model.
        std::function<void(tbGeometry&)> projectImages;
        // The file browser: the chosen path, empty when none was chosen.
        std::function<std::string(const tbFileRequest&)> chooseFile;
    };

    // The image browser first opens in `startFolder` (the program's resources).
    ImageProjectModel(tbToolSettingsBinding& binding, tbBarTarget target, Operations operations,
                      std::string startFolder);

    uint32_t currentSlot() const { return m_current; }
    const tbProjectionSlotSettings& slot(uint32_t index) const { return m_slots.at(index); }
    const tbProjectionSlotSettings& current() const { return m_slots[m_current]; }
    const std::string& lastFolder() const { return m_lastFolder; }

    // Called after every change the bar did not make itself (a reset, an
    // opened project): the view shows the current slot again.
    void setChangedListener(std::function<void()> listener) { m_changed = std::move(listener); }

    // Every slot back to its defaults (threshold 50, one sided, Wrap, no
    // image, shown) and cleared in the open model.
    void resetSlots();
    // The toolbox's reset: the slots reset and the first slot shown.
    void reset();

    // ---- The controls; each acts on the current slot.
    void slotSelected(int index);
    void wrapSelected(int index);
    // The threshold edit's text: its leading decimal integer (0 without
    // digits), held to 0..180.
    void thresholdEdited(const std::string& text);
    void sidedToggled();
    void showToggled(bool shown);
    // "...": a chosen image becomes the current slot's and is loaded.
    void browse();
    void performProjection();

    // ---- tbToolSettingsParticipant.
    void store(tbToolSettings& settings) const override;
    // The file's values; the opened model has loaded the slots' images itself.
    void show(const tbToolSettings& settings) override;
    // A new model has no images: the slots reset.
    void madeNew() override { resetSlots(); }

private:
    tbProjectionSlotSettings& editedSlot() { return m_slots[m_current]; }
    void clearImages();
    void showAgain() {
        if (m_changed) m_changed();
    }

    tbToolSettingsBinding& m_binding;
    tbBarTarget m_target;
    Operations m_ops;
    std::array<tbProjectionSlotSettings, kSlots> m_slots{};
    uint32_t m_current = 0;
    std::string m_lastFolder;
    std::function<void()> m_changed;
};

}  // namespace bars

// The threshold edit's reading: optional leading blanks and a sign, then
// the leading digits (none: 0), held to 0..180.
uint32_t tbReadThreshold(const std::string& text);
