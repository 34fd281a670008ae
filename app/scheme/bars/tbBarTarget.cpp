#include "app/scheme/bars/tbBarTarget.h"

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProject_model.h"

tbBarTarget tbCurrentModelTarget() {
    return {
        [] { return tbCurrentModel(); },
        [](tbGeometry& model) { model.getUndo().push(); },
    };
}
