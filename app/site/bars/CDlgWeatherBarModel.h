// What the weather bar decides, without a window: the site's global wind
// speed, the "area" toggle (the project places a wind-area on the next
// click in the view), the list of wind-areas and the selected one, whose
// name, wind speed, turbulence and thermals the bar edits.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "app/site/bars/tbItemList.h"
#include "app/site/bars/tbSiteAccess.h"

class tbCollisionObject;
class tbCollisionObject_area;

namespace sitebars {

class WeatherBarModel {
public:
    enum : int {
        idGlobalWind = 1182,
        idArea = 1156,
        idDelete = 1175,
        idCopy = 1176,
        idList = 1177,
        idName = 1178,
        idWindSpeed = 1180,
        idTurbulence = 1179,
        idThermals = 1181,
    };
    static constexpr const char* kNoneSelected = "[None selected]";
    // The edits a Space reaches; elsewhere in the bar the view has it alone.
    static constexpr std::array<int, 5> kSpaceEdits = {idGlobalWind, idName, idWindSpeed, idTurbulence, idThermals};

    explicit WeatherBarModel(SiteAccess site, std::function<void(const std::string&)> tell = {})
        : site_(std::move(site)), tell_(std::move(tell)) {}

    // The global wind box's text changed: metres per second, "2.5" in every locale.
    void globalWindEdited(const std::string& text);
    void areaClicked(bool checked) { area_ = checked; }
    void listSelected(int index);
    void nameEdited(const std::string& text);
    void windSpeedEdited(const std::string& text);
    void turbulenceEdited(const std::string& text);
    void thermalsEdited(const std::string& text);
    void deleteClicked();
    void copyClicked();

    // A wind-area (anything else selects none).
    void selectArea(tbCollisionObject* object);
    void addArea(tbCollisionObject* object, bool select);
    void removeArea(const tbCollisionObject* object);
    // Its entry shows its name again, at its place, selected.
    void renamed(const tbCollisionObject* object);
    void clear();
    void showGlobalWind(const std::string& text);
    void setAreaChecked(bool checked);

    bool areaChecked() const { return area_; }
    tbCollisionObject_area* selected() const { return selected_; }
    const tbItemList<tbCollisionObject>& list() const { return list_; }
    const std::string& globalWindText() const { return globalWind_; }
    const std::string& nameText() const { return name_; }
    const std::string& windSpeedText() const { return speed_; }
    const std::string& turbulenceText() const { return turbulence_; }
    const std::string& thermalsText() const { return thermals_; }

    Changed changed;
    // Tells the collision bar of a renamed area.
    std::function<void(const tbCollisionObject*)> renamedElsewhere;

private:
    void showSelected();

    SiteAccess site_;
    std::function<void(const std::string&)> tell_;
    bool area_ = false;
    tbItemList<tbCollisionObject> list_;
    tbCollisionObject_area* selected_ = nullptr;
    std::string globalWind_ = "0.0";
    std::string name_ = kNoneSelected, speed_, turbulence_, thermals_;
};

}  // namespace sitebars
