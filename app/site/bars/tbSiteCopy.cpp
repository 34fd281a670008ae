#include "app/site/bars/tbSiteCopy.h"

#include <memory>

#include "app/site/tbCollisionObject.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteBars.h"

namespace {
const d3dx::Vector3 kCopyOffset(100, 0, 0);
}

tbCollisionObject* tbCopyCollisionObject(tbProject_flyingsite& site, const tbCollisionObject& object) {
    std::unique_ptr<tbCollisionObject> made = object.clone(object.getPosition() + kCopyOffset);
    tbCollisionObject* copy = made.get();
    site.addCollisionObject(std::move(made));
    if (tbSiteBars* bars = tbCurrentSiteBars()) {
        bars->listObject(tbSiteBars::Bar::collision, copy, true);
        if (copy->isWindArea()) bars->listObject(tbSiteBars::Bar::weather, copy, true);
    }
    copy->activate();
    return copy;
}

tbFlyingSitePosition* tbCopyPosition(tbProject_flyingsite& site, const tbFlyingSitePosition& position) {
    auto made = std::make_unique<tbFlyingSitePosition>(position);
    made->setPosition(position.getPosition() + kCopyOffset);
    tbFlyingSitePosition* copy = made.get();
    site.addPosition(std::move(made));
    if (tbSiteBars* bars = tbCurrentSiteBars()) bars->listPosition(copy, true);
    copy->activate();
    return copy;
}
