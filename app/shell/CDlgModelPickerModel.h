// The models the model picker offers, without a window: the five fixed
// categories of "objects/aircraft/" in the resource root, the group folders
// in each and the model folders in each group that hold a ".tvm" marker
// file. Only a model can be chosen, and it is named by its folder relative
// to "objects/aircraft/" ("fixedWing/trainers/sparrow"), so two models of
// the same name in different groups stay apart.
#pragma once

#include <string>
#include <vector>

namespace shell {

struct ModelTreeItem {
    std::string text;
    std::string modelPath;  // the model's folder below objects/aircraft/; empty for categories and groups
    std::vector<ModelTreeItem> children;
};

// The categories in their fixed order, each present even when its folder is
// missing; groups and models sorted by name. `resourceRoot` is the folder
// holding "objects".
std::vector<ModelTreeItem> buildModelTree(const std::string& resourceRoot);

// The path below the resource root of a chosen model's folder.
std::string modelFolderOf(const std::string& modelPath);

}  // namespace shell
