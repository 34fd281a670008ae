// The bars' "Copy" of a collision object or a starting position: the copy
// goes 100 units along x from the original, joins the site, is listed in
// the bars that list its kind (a wind-area in the weather bar too), shown
// there and selected in the view.
#pragma once

class tbCollisionObject;
class tbFlyingSitePosition;
class tbProject_flyingsite;

// The copy, owned by the site.
tbCollisionObject* tbCopyCollisionObject(tbProject_flyingsite& site, const tbCollisionObject& object);
tbFlyingSitePosition* tbCopyPosition(tbProject_flyingsite& site, const tbFlyingSitePosition& position);
