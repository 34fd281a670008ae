#include "app/scheme/bars/tbBarTarget.h"

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProject_model.h"

tbProject_model* tbCurrentScheme() { return dynamic_cast<tbProject_model*>(tbProject::current()); }

tbBarTarget tbCurrentModelTarget() {
    return {
        [] {
            tbProject_model* scheme = tbCurrentScheme();
            return scheme ? scheme->getModel() : nullptr;
        },
        [](tbGeometry& model) { model.getUndo().push(); },
    };
}
