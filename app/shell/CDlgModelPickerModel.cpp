#include "app/shell/CDlgModelPickerModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace shell {
namespace {

constexpr const char* kAircraftFolder = "objects/aircraft/";
constexpr const char* kCategories[] = {"helicopters", "fixedWing", "gliders", "watercraft", "others"};

// The visible sub-folders of a folder, sorted; none when it cannot be read.
std::vector<std::string> subFolders(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code kindError;
        if (!name.empty() && name[0] != '.' && it->is_directory(kindError)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool holdsMarker(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        if (it->path().extension() == ".tvm" && it->is_regular_file(kindError)) return true;
    }
    return false;
}

}  // namespace

std::vector<ModelTreeItem> buildModelTree(const std::string& resourceRoot) {
    const std::filesystem::path aircraft = std::filesystem::path(resourceRoot) / kAircraftFolder;
    std::vector<ModelTreeItem> tree;
    for (const char* category : kCategories) {
        ModelTreeItem categoryItem{category, {}, {}};
        for (const std::string& group : subFolders(aircraft / category)) {
            ModelTreeItem groupItem{group, {}, {}};
            for (const std::string& model : subFolders(aircraft / category / group)) {
                if (!holdsMarker(aircraft / category / group / model)) continue;
                groupItem.children.push_back({model, std::string(category) + "/" + group + "/" + model, {}});
            }
            categoryItem.children.push_back(std::move(groupItem));
        }
        tree.push_back(std::move(categoryItem));
    }
    return tree;
}

std::string modelFolderOf(const std::string& modelPath) { return kAircraftFolder + modelPath; }

}  // namespace shell
