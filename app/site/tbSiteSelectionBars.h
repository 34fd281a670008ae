// tbSiteSelectionBars: the bars that show the selected collision object or
// starting position, as the objects' and positions' selection callbacks see
// them.
//
// Selection in a flying site is which manipulator the current manipulator
// container holds as selected; when it changes through a manipulator, the
// object or position tells the bars through this interface. The program's
// collision, weather and positions bars answer it, tests a fake; with
// nothing installed the callbacks tell no one.
#pragma once

class tbCollisionObject;
class tbFlyingSitePosition;

class tbSiteSelectionBars {
public:
    virtual ~tbSiteSelectionBars() = default;

    // The collision bar: the object it shows (null: none), and showing one
    // (null: "[None selected]").
    virtual const tbCollisionObject* collisionBarObject() const = 0;
    virtual void showInCollisionBar(tbCollisionObject* object) = 0;
    // The weather bar shows the wind values of a wind-area (null: none).
    virtual void showInWeatherBar(tbCollisionObject* object) = 0;
    // The positions bar, as the collision bar.
    virtual const tbFlyingSitePosition* positionsBarPosition() const = 0;
    virtual void showInPositionsBar(tbFlyingSitePosition* position) = 0;

    // The bars the callbacks tell, or null; the caller keeps ownership and
    // installs null before the bars go.
    static tbSiteSelectionBars* installed() { return s_installed; }
    static void install(tbSiteSelectionBars* bars) { s_installed = bars; }

private:
    static inline tbSiteSelectionBars* s_installed = nullptr;
};
