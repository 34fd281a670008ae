// The project's stored shapes as the Shape Manager changes them: an outline
// kept under a name of its own, and a kept outline deleted.
//
// The list is the project's (tbProject_model::shapes()); the Shape Manager
// shows one line per entry, in this order, and points at the entries.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbStoredShape.h"

using tbStoredShapeList = std::vector<std::unique_ptr<tbStoredShape>>;

// Keeps a copy of `outline` under `name` at the end of the list and returns
// it; an empty name keeps nothing (null). A name already in the list gets
// " copy" appended until it is not, so every entry keeps a name of its own:
// "Wing" beside "Wing" becomes "Wing copy", beside both "Wing copy copy".
// Every name fits the project file's field (127 bytes, cut at a character
// boundary before any " copy"); null when no copy's name would fit.
tbStoredShape* tbStoreShape(tbStoredShapeList& shapes, const std::string& name,
                            const std::vector<tbShapePoint>& outline);

// Destroys `shape` and removes it from the list; false (and nothing done)
// when it is not one of the list's entries.
bool tbDeleteStoredShape(tbStoredShapeList& shapes, const tbStoredShape* shape);
