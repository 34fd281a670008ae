// The names of an exported flying site: every file the export writes under
// the site folder, and the names the .tvf file gives the simulator.
//
// F is the site folder, `name` its last component; S is the project's export
// name. The cube faces are slots 0..5 in the project's order -X, +X, -Y, +Y,
// -Z, +Z; their files carry the simulator's face numbers (slot 0 -> 3,
// 1 -> 1, 2 -> 6, 3 -> 5, 4 -> 4, 5 -> 2), while the .tvf names them S1.dds to
// S6.dds in slot order.
//
//   F/high/name#highN.dds   six-image panorama whose slot 0 is 4096 x 4096
//   F/medium/nameN.dds      six-image panorama
//   F/nameicon.dds          six-image panorama: 128 x 128 of slot 0
//   F/name.ext              spherical panorama: a copy of its picture
//   F/namecubemap_copy.dds  the previous cube map, when there was one
//   F/namecubemap.dds       the reflection cube map
//   F/<sound file name>     a copy of the ambient sound
//   F/name.tvf              the site file
#pragma once

#include <string>

constexpr int kSiteExportSlots = 6;
constexpr const char* kSiteNoImage = "[No image]";

// The simulator's face number of a slot (0..5).
int tbSiteFaceNumber(int slot);

class tbSiteExportNames {
public:
    // `folder` is F (a trailing separator is ignored); `exportName` is S.
    tbSiteExportNames(const std::string& folder, const std::string& exportName);

    const std::string& folder() const { return m_folder; }
    const std::string& name() const { return m_name; }

    std::string mediumFolder() const;
    std::string highFolder() const;
    std::string high(int slot) const;
    std::string medium(int slot) const;
    std::string icon() const;
    // The copy of a spherical picture: F/name.ext with the source's own
    // extension as it stands (F/name when it has none).
    std::string sphereCopy(const std::string& source) const;
    std::string cubemap() const;
    std::string cubemapBackup() const;
    std::string sound(const std::string& source) const;
    std::string siteFile() const;

    // What the .tvf names: "S<k>.dds" for the k-th slot (k = slot + 1),
    // "Scubemap.dds", and the copied spherical picture by its name in F.
    std::string tvfFaceName(int slot) const;
    std::string tvfCubemapName() const;
    std::string tvfSphereName(const std::string& source) const;

private:
    std::string m_folder;
    std::string m_name;
    std::string m_exportName;
};
