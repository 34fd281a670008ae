// How the site's bars reach the open flying site: every handler acts only
// while one is open. The program asks the project for the current site;
// tests hand in their own.
#pragma once

#include <functional>

class tbProject_flyingsite;

namespace sitebars {

using SiteAccess = std::function<tbProject_flyingsite*()>;

// The open flying site of the program (tbProject_flyingsite::current).
SiteAccess currentSite();

// What a bar's window is told after its model changed: it shows the model's
// state again. Empty until a window binds it.
using Changed = std::function<void()>;
inline void notify(const Changed& changed) {
    if (changed) changed();
}

}  // namespace sitebars
