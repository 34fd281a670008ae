#include "app/shell/CDlgExportModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/ui/messageBox.h"

namespace shell {
namespace {

const char* const kMissing = "The file could not be found (may already have been deleted)";

bool isInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
    std::error_code error;
    const std::filesystem::path inner = std::filesystem::weakly_canonical(path, error);
    if (error) return false;
    const std::filesystem::path outer = std::filesystem::weakly_canonical(folder, error);
    if (error) return false;
    const auto [outerEnd, innerAt] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return outerEnd == outer.end() && innerAt != inner.end();
}

// "." and ".." name a folder and its parent, never an export of its own.
bool isDotName(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

bool isForbiddenExportName(const std::string& name) {
    return isDotName(name) || name.find_first_of("\\/?:*\"<>|") != std::string::npos;
}

ExportNamesModel ExportNamesModel::scheme(const std::string& settingsFolder, const std::string& modelName) {
    static const Texts texts = {
        "The scheme name cannot contain any of the following characters: \\/?:*\"<>|",
        "The scheme name cannot be \".\" or \"..\".",
        "Error exporting scheme",
        "Are you sure you want to delete the scheme",
        "Error deleting scheme",
    };
    return ExportNamesModel(settingsFolder + "Schemes", modelName + "#", texts, false);
}

ExportNamesModel ExportNamesModel::flyingSite(const std::string& settingsFolder) {
    static const Texts texts = {
        "The flying site filename cannot contain any of the following characters: \\/?:*\"<>|",
        "The flying site filename cannot be \".\" or \"..\".",
        "Error exporting flying site",
        "Are you sure you want to delete the flying site",
        "Error deleting flying site",
    };
    return ExportNamesModel(settingsFolder + "Flying sites", "", texts, true);
}

ExportNamesModel::ExportNamesModel(std::string folder, std::string modelPrefix, const Texts& texts, bool folders)
    : folder_(std::move(folder)), modelPrefix_(std::move(modelPrefix)), texts_(&texts), folders_(folders) {
    refresh();
}

void ExportNamesModel::refresh() {
    entries_.clear();
    std::error_code error;
    std::filesystem::directory_iterator it(folder_, error), end;
    for (; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code kindError;
        if (folders_) {
            // An exported flying site is a folder under the name it was
            // exported as, dots and all: "Hill.old" listed as "Hill" would
            // have Delete remove a folder the user never named.
            if (it->is_directory(kindError)) entries_.push_back({name, it->path().string()});
            continue;
        }
        // A scheme bitmap of this model: "<model>#<scheme>.bmp".
        const bool bitmap = name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
        if (!bitmap || name.compare(0, modelPrefix_.size(), modelPrefix_) != 0 || !it->is_regular_file(kindError))
            continue;
        entries_.push_back({name.substr(modelPrefix_.size(), name.size() - 4 - modelPrefix_.size()),
                            it->path().string()});
    }
    std::sort(entries_.begin(), entries_.end(),
              [](const ExportEntry& a, const ExportEntry& b) { return a.text < b.text; });
}

int ExportNamesModel::firstStartingWith(const std::string& name) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].text.compare(0, name.size(), name) == 0) return static_cast<int>(i);
    }
    return -1;
}

bool ExportNamesModel::acceptName(const std::string& name) const {
    if (!isForbiddenExportName(name)) return true;
    ui::showError(isDotName(name) ? texts_->dotRefusal : texts_->refusal, texts_->refusalTitle);
    return false;
}

bool ExportNamesModel::deleteNamed(const std::string& name) {
    if (!acceptName(name)) return false;
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const ExportEntry& e) { return e.text == name; });
    std::error_code error;
    if (entry == entries_.end() || !std::filesystem::exists(entry->path, error) ||
        !isInside(entry->path, folder_)) {
        ui::showError(kMissing, texts_->missingTitle);
        return false;
    }
    if (!ui::confirmed(std::string(texts_->confirm) + " \"" + name + "\"?", "Confirm File Delete")) return false;
    if (folders_) std::filesystem::remove_all(entry->path, error);
    else std::filesystem::remove(entry->path, error);
    refresh();
    return true;
}

}  // namespace shell
