// The second view: the small inset in the top-left corner of the 3-D view
// in which a project shows what the main view does not (the paint texture
// or the 3-D model of a model scheme, the other camera of a flying site).
// The projects draw it and the tool-bar layout keeps the site's toolbox off
// it, so both take its size from here.
#pragma once

// The inset is a 3.5th of the view in each direction (a model scheme's 3-D
// view makes it a square on the width's share).
constexpr float kSecondViewDivisor = 3.5f;
