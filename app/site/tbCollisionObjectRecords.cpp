#include "app/site/tbCollisionObjectRecords.h"

#include <string>

#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbCollisionObject_skyline.h"

namespace {

std::unique_ptr<tbCollisionObject> readKind(uint32_t tag, tbReadArchive& in) {
    switch (tag) {
    case tbCollisionObject::type_primitive: return std::make_unique<tbCollisionObject_primitive>(in);
    case tbCollisionObject::type_heightMap: return std::make_unique<tbCollisionObject_heightMap>(in);
    case tbCollisionObject::type_area: return std::make_unique<tbCollisionObject_area>(in);
    case tbCollisionObject::type_marker: return std::make_unique<tbCollisionObject_marker>(in);
    case tbCollisionObject::type_skyline: return std::make_unique<tbCollisionObject_skyline>(in);
    default: return nullptr;
    }
}

}  // namespace

std::unique_ptr<tbCollisionObject> tbReadCollisionObject(tbReadArchive& in) {
    uint32_t tag = 0;
    in.u32(tag);
    if (!in.ok()) return nullptr;
    return tbReadCollisionObjectRecord(tag, in);
}

bool tbCheckCollisionObjectRecord(utils::ByteCursor& in, uint32_t tag, std::string& error) {
    tbReadArchive archive(in);
    if (tbReadCollisionObjectRecord(tag, archive)) return true;
    error = archive.error().empty() ? "collision object record ends early" : archive.error();
    return false;
}

std::unique_ptr<tbCollisionObject> tbReadCollisionObjectRecord(uint32_t tag, tbReadArchive& in) {
    if (tag >= tbCollisionObject::kTypeCount) {
        in.fail("unknown collision object type " + std::to_string(tag));
        return nullptr;
    }
    std::unique_ptr<tbCollisionObject> object = readKind(tag, in);
    if (in.ok() && object->getType() != tag)
        in.fail("collision object of type " + std::to_string(tag) + " whose record says type " +
                std::to_string(object->getType()));
    if (!in.ok()) return nullptr;
    return object;
}

void tbWriteCollisionObjectRecord(tbWriteArchive& out, const tbCollisionObject& object) { object.save(out); }

void tbWriteCollisionObject(tbWriteArchive& out, const tbCollisionObject& object) {
    out.u32(object.getType());
    tbWriteCollisionObjectRecord(out, object);
}
