// Collision objects as the flying-site project file and the exported site
// file store them: each object is its type tag (u32) followed by its record,
// which carries the same tag again inside its base record.
//
//   tag 0 primitive   tbCollisionObject_primitive (259 bytes)
//   tag 1 height map  tbCollisionObject_heightMap (239 + 28 + 48 x N x N)
//   tag 2 area        tbCollisionObject_area (239 + 12 + 12 P + 72 T [+ 12])
//   tag 3 marker      tbCollisionObject_marker (239 bytes)
//   tag 4 skyline     tbCollisionObject_skyline (239 + 4 + 24 per post)
//
// Records carry no length of their own, so a reader that meets a tag it does
// not know cannot skip the record: it refuses it, and the file with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/shell/tbRecordArchive.h"
#include "app/site/tbCollisionObject.h"

// Reads the record of an object of type `tag`, the archive standing behind
// the tag. Null when the archive fails, as below.
std::unique_ptr<tbCollisionObject> tbReadCollisionObjectRecord(uint32_t tag, tbReadArchive& in);

// The project file's check of one record of type `tag`, the cursor standing
// behind the tag: reads it whole, moving the cursor past it; false with the
// reason in `error` when it is not sound.
bool tbCheckCollisionObjectRecord(utils::ByteCursor& in, uint32_t tag, std::string& error);

// Reads the tag and the record behind it. Null when the archive fails: an
// unknown tag, a record whose inner tag differs from the one in front, a
// record that ends early or fails its kind's checks; the reason is left in
// the archive (an empty reason: the bytes ran out).
std::unique_ptr<tbCollisionObject> tbReadCollisionObject(tbReadArchive& in);

// Writes the object's record (behind a tag the caller writes).
void tbWriteCollisionObjectRecord(tbWriteArchive& out, const tbCollisionObject& object);
// Writes the object's tag and record.
void tbWriteCollisionObject(tbWriteArchive& out, const tbCollisionObject& object);
