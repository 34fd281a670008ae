#include "app/site/bars/tbSiteAccess.h"

#include "app/site/tbProject_flyingsite.h"

namespace sitebars {

SiteAccess currentSite() {
    return [] { return tbProject_flyingsite::current(); };
}

}  // namespace sitebars
