// The flying-site bars as the project sees them (tbSiteBars): every bar
// visible, toggles and the water editor set by hand, and what each list
// holds and selects. Header-only, so the site benchmarks use it too.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/site/tbSiteBars.h"

namespace sitetest {

// The bars as the project sees them: what each list holds and what is
// selected, toggles by hand.
class RecordingSiteBars : public tbSiteBars {
public:
    bool isVisible(Bar) const override { return true; }
    bool isComboDropped(Bar) const override { return false; }
    bool isChecked(Toggle t) const override { return checked.count(t) != 0; }
    void setChecked(Toggle t, bool on) override {
        if (on)
            checked.insert(t);
        else
            checked.erase(t);
    }
    void listObject(Bar bar, tbCollisionObject* object, bool select) override {
        (bar == Bar::weather ? weather : collision).push_back(object);
        if (select) selectedObject = object;
        if (select && onSelect) onSelect();
    }
    void listPosition(tbFlyingSitePosition* position, bool select) override {
        positions.push_back(position);
        if (select) selectedPosition = position;
    }
    void unlistObject(tbCollisionObject* object) override {
        std::erase(collision, object);
        std::erase(weather, object);
        if (selectedObject == object) selectedObject = nullptr;
    }
    void unlistPosition(tbFlyingSitePosition* position) override {
        std::erase(positions, position);
        if (selectedPosition == position) selectedPosition = nullptr;
    }
    void clearLists() override {
        collision.clear();
        weather.clear();
        positions.clear();
        selectedObject = nullptr;
        selectedPosition = nullptr;
        ++clears;
    }
    void showWindSpeed(const std::string& text) override { windSpeed = text; }
    void showWaterEnabled(bool enabled) override { waterEnabled = enabled; }
    void showPanorama(uint32_t, bool interior_, bool reverb_, const std::string& sound) override {
        interior = interior_;
        reverb = reverb_;
        ambientSound = sound;
    }
    bool isWaterEditing() const override { return waterEditing; }
    int waterBrushRadius() const override { return brushRadius; }
    int waterBrushStrength() const override { return brushStrength; }
    bool waterBrushClears() const override { return false; }

    std::set<Toggle> checked;
    std::vector<tbCollisionObject*> collision, weather;
    std::vector<tbFlyingSitePosition*> positions;
    tbCollisionObject* selectedObject = nullptr;
    tbFlyingSitePosition* selectedPosition = nullptr;
    int clears = 0;
    // Called when an object is listed selected (the editors refresh then).
    std::function<void()> onSelect;
    std::string windSpeed, ambientSound;
    bool waterEnabled = false, interior = false, reverb = false;
    // The water editor's state, set by hand.
    bool waterEditing = false;
    int brushRadius = 10, brushStrength = 255;
};

}  // namespace sitetest
