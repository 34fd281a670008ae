#include "app/site/tbSiteExportNames.h"

#include <array>

#include <filesystem>

#include "engine/core/utilsStrings.h"

int tbSiteFaceNumber(int slot) {
    static constexpr std::array<int, kSiteExportSlots> kNumbers{3, 1, 6, 5, 4, 2};
    return kNumbers.at(slot);
}

tbSiteExportNames::tbSiteExportNames(const std::string& folder, const std::string& exportName)
    : m_folder(folder), m_exportName(exportName) {
    while (m_folder.size() > 1 && (m_folder.back() == '/' || m_folder.back() == '\\')) m_folder.pop_back();
    m_name = utils::getFileName(m_folder);
}

std::string tbSiteExportNames::mediumFolder() const { return utils::joinPath(m_folder, "medium"); }
std::string tbSiteExportNames::highFolder() const { return utils::joinPath(m_folder, "high"); }

std::string tbSiteExportNames::high(int slot) const {
    return utils::joinPath(highFolder(), m_name + "#high" + std::to_string(tbSiteFaceNumber(slot)) + ".dds");
}

std::string tbSiteExportNames::medium(int slot) const {
    return utils::joinPath(mediumFolder(), m_name + std::to_string(tbSiteFaceNumber(slot)) + ".dds");
}

std::string tbSiteExportNames::icon() const { return utils::joinPath(m_folder, m_name + "icon.dds"); }

std::string tbSiteExportNames::sphereCopy(const std::string& source) const {
    return utils::joinPath(m_folder, tvfSphereName(source));
}

std::string tbSiteExportNames::cubemap() const { return utils::joinPath(m_folder, m_name + "cubemap.dds"); }
std::string tbSiteExportNames::cubemapBackup() const {
    return utils::joinPath(m_folder, m_name + "cubemap_copy.dds");
}

std::string tbSiteExportNames::sound(const std::string& source) const {
    return utils::joinPath(m_folder, utils::getFileName(source));
}

std::string tbSiteExportNames::siteFile() const { return utils::joinPath(m_folder, m_name + ".tvf"); }

std::string tbSiteExportNames::tvfFaceName(int slot) const {
    return m_exportName + std::to_string(slot + 1) + ".dds";
}

std::string tbSiteExportNames::tvfCubemapName() const { return m_exportName + "cubemap.dds"; }

std::string tbSiteExportNames::tvfSphereName(const std::string& source) const {
    // The picture's own extension as it stands (case kept, ".jpeg" as well as
    // ".jpg"); a file without one is copied under the bare name.
    return m_name + std::filesystem::path(utils::getFileName(source)).extension().string();
}
