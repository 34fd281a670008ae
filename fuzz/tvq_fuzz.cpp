// Feeds arbitrary bytes to the flying-site project reader (.tvq), with the
// collision objects' own record checks. Whatever reads must build every
// object and position; the site written back from them must read again and
// write the same bytes a second time. A small embedded water mask is decoded
// as opening the site would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/site/tbCollisionObject.h"
#include "app/site/tbCollisionObjectRecords.h"
#include "app/site/tbFlyingSiteFile.h"
#include "app/site/tbFlyingSitePosition.h"
#include "platform/d3dx/d3dxImage.h"

namespace {

// The site as the project would write it after opening it: every record
// rebuilt from its object or position and written again.
bool rebuild(tbFlyingSiteFileData& site) {
    for (tbSiteObjectEntry& entry : site.objects) {
        tbReadArchive in(entry.record.data(), entry.record.size());
        const std::unique_ptr<tbCollisionObject> object = tbReadCollisionObjectRecord(entry.tag, in);
        if (!object) return false;
        tbWriteArchive out;
        tbWriteCollisionObjectRecord(out, *object);
        entry.record = out.take();
    }
    for (tbSitePositionRecord& record : site.positions) {
        tbReadArchive in(record.data(), record.size());
        const std::unique_ptr<tbFlyingSitePosition> position = tbFlyingSitePosition::read(in);
        if (!position) return false;
        tbWriteArchive out;
        position->save(out);
        const std::vector<uint8_t> bytes = out.take();
        if (bytes.size() != record.size()) return false;
        std::copy(bytes.begin(), bytes.end(), record.begin());
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tbFlyingSiteFileData site;
    std::string error;
    if (!readFlyingSiteFile(data, size, tbCheckCollisionObjectRecord, site, error)) return 0;
    if (!rebuild(site)) std::abort();
    const std::vector<uint8_t> written = writeFlyingSiteFile(site);

    tbFlyingSiteFileData again;
    if (!readFlyingSiteFile(written.data(), written.size(), tbCheckCollisionObjectRecord, again, error))
        std::abort();
    if (!rebuild(again) || writeFlyingSiteFile(again) != written) std::abort();

    d3dx::ImageInfo info;
    if (d3dx::GetImageInfoFromFileInMemory(site.waterMask.data(), site.waterMask.size(), &info).ok() &&
        uint64_t(info.width) * info.height <= 256 * 256) {
        d3dx::ImageLoadDesc desc;
        desc.mipLevels = 1;
        desc.format = d3dx::Format::X8R8G8B8;
        d3dx::Image mask;
        d3dx::LoadImageFromFileInMemory(site.waterMask.data(), site.waterMask.size(), desc, &mask);
    }
    return 0;
}
