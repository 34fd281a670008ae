// The model tree from a fixture resource folder.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/shell/CDlgModelPickerModel.h"
#include "tests/support/tempFolder.h"

TEST(ModelTree, CategoriesGroupsAndOnlyMarkedModelsOneLevelDown) {
    testsupport::TempFolder root;
    const std::string aircraft = root.file("objects/aircraft/");
    for (const char* folder : {"fixedWing/trainers/sparrow", "fixedWing/trainers/unmarked", "fixedWing/scale/sparrow",
                               "fixedWing/scale/deep/too/far", "helicopters/empty", "strangeCategory/g/m"})
        std::filesystem::create_directories(aircraft + folder);
    root.write("objects/aircraft/fixedWing/trainers/sparrow/sparrow.tvm", "");
    root.write("objects/aircraft/fixedWing/scale/sparrow/other.tvm", "");
    root.write("objects/aircraft/fixedWing/scale/deep/too/far/far.tvm", "");
    root.write("objects/aircraft/strangeCategory/g/m/m.tvm", "");

    const std::vector<shell::ModelTreeItem> tree = shell::buildModelTree(root.path());
    ASSERT_EQ(tree.size(), 5u);
    const char* order[] = {"helicopters", "fixedWing", "gliders", "watercraft", "others"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tree[i].text, order[i]);
        EXPECT_TRUE(tree[i].modelPath.empty()) << "a category is never a model";
    }
    ASSERT_EQ(tree[0].children.size(), 1u);
    EXPECT_TRUE(tree[0].children[0].children.empty()) << "a group without models is shown empty";
    EXPECT_TRUE(tree[2].children.empty()) << "a missing category folder is an empty category";

    const shell::ModelTreeItem& fixedWing = tree[1];
    ASSERT_EQ(fixedWing.children.size(), 2u);
    EXPECT_EQ(fixedWing.children[0].text, "scale");
    EXPECT_EQ(fixedWing.children[1].text, "trainers");
    // scale: only sparrow (deep/too/far is too deep, and deep has no marker).
    ASSERT_EQ(fixedWing.children[0].children.size(), 1u);
    ASSERT_EQ(fixedWing.children[1].children.size(), 1u);
    const shell::ModelTreeItem& scaleSparrow = fixedWing.children[0].children[0];
    const shell::ModelTreeItem& trainerSparrow = fixedWing.children[1].children[0];
    EXPECT_EQ(scaleSparrow.text, "sparrow");
    EXPECT_EQ(trainerSparrow.text, "sparrow");
    EXPECT_EQ(scaleSparrow.modelPath, "fixedWing/scale/sparrow");
    EXPECT_EQ(trainerSparrow.modelPath, "fixedWing/trainers/sparrow") << "same-named models stay apart";
    EXPECT_EQ(shell::modelFolderOf(trainerSparrow.modelPath), "objects/aircraft/fixedWing/trainers/sparrow");
}

TEST(ModelTree, NoModelsInstalledGivesTheFiveEmptyCategories) {
    testsupport::TempFolder root;
    const std::vector<shell::ModelTreeItem> tree = shell::buildModelTree(root.path());
    ASSERT_EQ(tree.size(), 5u);
    for (const shell::ModelTreeItem& category : tree) EXPECT_TRUE(category.children.empty());
}

TEST(ModelTree, TheBundledSampleAircraftIsOffered) {
    const std::vector<shell::ModelTreeItem> tree = shell::buildModelTree(TOLVANE_SOURCE_DIR "/resources");
    bool found = false;
    for (const auto& group : tree[1].children)
        for (const auto& model : group.children) found |= model.modelPath == "fixedWing/trainers/sparrow";
    EXPECT_TRUE(found);
}
