#include "app/site/tbSiteBars.h"

namespace {
tbSiteBars* g_siteBars = nullptr;
}

tbSiteBars* tbCurrentSiteBars() { return g_siteBars; }

tbSiteBars* tbBindSiteBars(tbSiteBars* bars) {
    tbSiteBars* previous = g_siteBars;
    g_siteBars = bars;
    return previous;
}
