// The scene on the recording device: its pass order per camera, the node
// tree with its states and overrides, the sorted pass, item drawing and the
// ownership of nodes and items.
#include <gtest/gtest.h>

#include <memory>

#include "engine/graphics/simSceneItem.h"
#include "engine/graphics/simSceneNode.h"
#include "engine/graphics/simShaderEffectBinding.h"
#include "platform/gfx/d3dTypes.h"
#include "tests/engine/graphics/sceneTestRig.h"

using d3dx::Vector3;
using scenetest::BroadcastListener;
using scenetest::cubeAt;
using scenetest::events;
using scenetest::joined;
using scenetest::kQuarterTurn;
using scenetest::NotingRenderable;
using scenetest::SceneTest;
using testsupport::SceneTestCamera;

namespace {

TEST_F(SceneTest, PassOrderPerActiveCamera) {
    BroadcastListener listener;
    SceneTestCamera a("A"), b("B"), c("C");
    for (SceneTestCamera* camera : {&a, &b, &c}) camera->log = &events();
    b.setActive(false);
    scene().render(true, true);
    EXPECT_EQ(joined(events()),
              "preRender:A\npreRender:B\npreRender:C\npreSceneRender:A\n"
              "preLitPass:A\npostScene\npostLitPass:A\npreEffectsPass:A\neffects\npostEffectsPass:A\n"
              "preLitPass:C\npostScene\npostLitPass:C\npreEffectsPass:C\neffects\npostEffectsPass:C\n"
              "postSceneRender:C\n");
    // The inactive camera was counted and made current in its turn.
    EXPECT_EQ(rig.graphics().getCurrentCameraIndex(), 3);
    EXPECT_EQ(rig.graphics().getCurrentCamera(), &c);
}

TEST_F(SceneTest, HooksMayMoveTheCameraIndex) {
    SceneTestCamera a("A"), b("B"), c("C");
    scenetest::HookGraphics::skipAfterFirst = 1;  // A's first hook skips B
    scene().render(false, false);
    std::string drawn;
    for (const std::string& event : events())
        if (event.rfind("postLitPass:", 0) == 0) drawn += event + " ";
    EXPECT_EQ(drawn, "postLitPass:A postLitPass:C ");
}

TEST_F(SceneTest, TheEffectContractReadsTheCurrentCameraAndTheShadowMapSize) {
    const simShaderEffectScene& links = simGetShaderEffectScene();
    ASSERT_NE(links.camera, nullptr);
    simShaderCameraValues values;
    EXPECT_FALSE(links.camera(&values));  // no camera yet
    auto* camera = new SceneTestCamera("A");  // the scene deletes it
    camera->look({1, 2, 3}, {1, 2, 0}, kQuarterTurn, 1.0f, 100.0f);
    ASSERT_TRUE(links.camera(&values));
    EXPECT_NEAR(values.eyePosition.z, 3.0f, 1e-5f);
    EXPECT_NEAR(values.eyeVector.z, 1.0f, 1e-5f);
    EXPECT_NEAR(values.upVector.y, 1.0f, 1e-5f);
    EXPECT_EQ(links.firstLight(), nullptr);
    EXPECT_EQ(links.shadowMapSize(), 0.0f);
    scene().getShadower().shadowMapWidth = 64.0f;
    EXPECT_EQ(links.shadowMapSize(), 64.0f);
    rig.destroyGraphics();  // the scene takes its entries out again
    EXPECT_EQ(simGetShaderEffectScene().camera, nullptr);
    EXPECT_EQ(simGetShaderEffectScene().firstLight, nullptr);
}

TEST_F(SceneTest, WithoutCamerasTheRenderDoesNothing) {
    state().setState(simRenderState_zWrite, 0);
    rig.recorder->clear();
    scene().render(true, true);
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(rig.recorder->calls().size(), 0u) << rig.recorder->text();
    EXPECT_EQ(state().getState(simRenderState_zWrite), 0u);
}

TEST_F(SceneTest, AfterTheCamerasStatesOneToNineteenGoBackToDefaults) {
    SceneTestCamera camera("A");
    state().setState(simRenderState_zWrite, 0);
    state().setState(simRenderState_zFunction, gfx::D3DCMP_ALWAYS);
    state().setState(simRenderState_blendMode, 2);
    state().setState(simRenderState_fog, 1);
    state().setState(simRenderState_stencilMode, 3);
    state().setState(simRenderState_alphaBlend, 1);
    scene().render(true, false);
    EXPECT_EQ(state().getState(simRenderState_zWrite), 1u);
    EXPECT_EQ(state().getState(simRenderState_zFunction), static_cast<simStateValue>(gfx::D3DCMP_LESSEQUAL));
    EXPECT_EQ(state().getState(simRenderState_blendMode), 0u);
    EXPECT_EQ(state().getState(simRenderState_fog), 0u);
    EXPECT_EQ(state().getState(simRenderState_stencilMode), 0u);
    EXPECT_EQ(state().getState(simRenderState_alphaBlend), 1u);  // 23: left as the sorted pass set it
    gfx::D3DVIEWPORT9 v;
    ASSERT_EQ(rig.device().GetViewport(&v), gfx::D3D_OK);
    EXPECT_EQ(v.Width, 800u);
    EXPECT_EQ(v.Height, 600u);
}

// A camera at (0, 0, 10) looking at the origin, and nodes with items there.
class SceneTreeTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        camera = std::make_unique<SceneTestCamera>("A");
        camera->look({0, 0, 10}, {0, 0, 0}, kQuarterTurn, 1.0f, 100.0f);
    }
    simSceneItem* place(NotingRenderable& renderable, simSceneNode* node, const Vector3& at = {0, 0, 0}) {
        auto* item = new simSceneItem(renderable.name, &renderable, node);
        item->box = cubeAt(at);
        return item;
    }
    std::unique_ptr<SceneTestCamera> camera;
};

TEST_F(SceneTreeTest, NodesDrawItemsThenChildrenWithTheirStates) {
    NotingRenderable r1("i1"), r2("i2"), r3("i3"), r4("i4");
    simSceneNode* root = scene().getRootNode();
    auto* n1 = new simSceneNode(simRenderState_backfaceCullMode, 2, root);
    auto* n2 = new simSceneNode(simRenderState_backfaceCullMode, 1, root);
    auto* n3 = new simSceneNode(0, 0, n1);
    place(r1, n1);
    place(r2, n1);
    place(r3, n2);
    place(r4, n3);
    scene().renderNodes(0);
    EXPECT_EQ(joined(events()), "draw:i1\ndraw:i2\ndraw:i4\ndraw:i3\n");
    EXPECT_EQ(r1.cullAtDraw.back(), 2u);
    EXPECT_EQ(r4.cullAtDraw.back(), 2u);  // a node without a state keeps its parent's
    EXPECT_EQ(r3.cullAtDraw.back(), 1u);

    // An override replaces every node's value for its id while it is listed.
    scene().getStateOverrides().emplace_back(simRenderState_backfaceCullMode, 0);
    scene().renderNodes(0);
    EXPECT_EQ(r1.cullAtDraw.back(), 0u);
    EXPECT_EQ(r3.cullAtDraw.back(), 0u);
    scene().getStateOverrides().clear();

    scene().replaceNodeState(simRenderState_backfaceCullMode, 2, 1);
    EXPECT_EQ(n1->getStateValue(), 1u);
    EXPECT_EQ(n2->getStateValue(), 1u);
}

TEST_F(SceneTreeTest, ItemsOutOfViewOrInvisibleAreNotDrawn) {
    NotingRenderable seen("seen"), behind("behind"), hidden("hidden");
    simSceneNode* root = scene().getRootNode();
    place(seen, root);
    place(behind, root, {0, 0, 50});
    place(hidden, root)->visibility = 0;
    scene().renderNodes(0);
    EXPECT_EQ(joined(events()), "draw:seen\n");
}

TEST_F(SceneTreeTest, ItemStatesAreSetAroundTheDrawAndPutBack) {
    NotingRenderable r("r");
    simSceneItem* item = place(r, scene().getRootNode());
    item->statePairs.emplace_back(simRenderState_blendMode, 1);
    item->world = d3dx::Matrix::identity();
    item->world._41 = 5.0f;
    state().setState(simRenderState_blendMode, 0);
    d3dx::Matrix lift = d3dx::Matrix::identity();
    lift._42 = 2.0f;
    item->render(&lift, nullptr);
    EXPECT_EQ(r.blendAtDraw.back(), 1u);
    EXPECT_EQ(state().getState(simRenderState_blendMode), 0u);
    EXPECT_FLOAT_EQ(r.worldAtDraw._41, 5.0f);  // the item's matrix, then the given one
    EXPECT_FLOAT_EQ(r.worldAtDraw._42, 2.0f);
}

TEST_F(SceneTreeTest, SortedItemsDrawFarthestFirstWithTheirSavedStates) {
    NotingRenderable nearR("near"), farR("far"), midR("mid"), twinR("twin"), nodeR("node", false);
    simSceneNode* root = scene().getRootNode();
    std::list<simSceneItem*>& pass = scene().getSortedPassItems();
    for (auto [renderable, z] : {std::pair{&nearR, 5.0f}, {&farR, -20.0f}, {&midR, -5.0f}, {&twinR, -5.0f},
                                 {&nodeR, 0.0f}}) {
        simSceneItem* item = place(*renderable, root, {0, 0, z});
        item->savedStates[simRenderState_blendMode] = static_cast<simStateValue>(z < 0 ? 1 : 0);
        pass.push_back(item);
    }
    scene().sortItems(camera.get());
    std::string order;
    for (const simSceneItem* item : scene().getSortedItems()) order += item->name + " ";
    EXPECT_EQ(order, "near mid twin far ");  // the node is not drawable; equal distances keep list order

    events().clear();
    scene().renderSorted(0);
    EXPECT_EQ(joined(events()), "draw:far\ndraw:twin\ndraw:mid\ndraw:near\n");
    EXPECT_EQ(farR.blendAtDraw.back(), 1u);
    EXPECT_EQ(nearR.blendAtDraw.back(), 0u);
    EXPECT_EQ(state().getState(simRenderState_zWrite), 0u);
    EXPECT_EQ(state().getState(simRenderState_alphaBlend), 1u);
}

TEST_F(SceneTreeTest, CameraDistanceIsToTheNearestCorner) {
    NotingRenderable r("r"), node("node", false);
    simSceneItem item("i", &r, nullptr);
    item.box = cubeAt({0, 0, 0}, 1.0f);  // nearest corners at z = 1, 9 from the camera
    item.updateCameraDistance(camera.get());
    EXPECT_FLOAT_EQ(item.cameraDistance, 1 + 1 + 81.0f);
    simSceneItem undrawable("u", &node, nullptr);
    undrawable.updateCameraDistance(camera.get());
    EXPECT_EQ(undrawable.cameraDistance, simSceneItem::kFarDistanceSq);
}

TEST_F(SceneTreeTest, DeletingTheLastChildDeletesItsEmptyNonRootParent) {
    simSceneNode* root = scene().getRootNode();
    auto* branch = new simSceneNode(0, 0, root);
    auto* leaf = new simSceneNode(0, 0, branch);
    delete leaf;  // branch is empty and not a root: it goes too
    EXPECT_TRUE(root->getChildren().empty());
}

TEST_F(SceneTreeTest, DeletingABranchFreesItsSubtreeOnce) {
    // Each child, left empty of its own children while the branch deletes
    // them, would find its parent empty: the branch must not be deleted twice.
    NotingRenderable r("r");
    simSceneNode* root = scene().getRootNode();
    auto* branch = new simSceneNode(0, 0, root);
    auto* a = new simSceneNode(0, 0, branch);
    auto* b = new simSceneNode(0, 0, a);
    new simSceneNode(0, 0, b);
    new simSceneNode(0, 0, branch);
    place(r, a);
    delete branch;  // the sanitisers report a second delete
    EXPECT_TRUE(root->getChildren().empty());
}

TEST_F(SceneTreeTest, AnItemLeavesEveryListWhenItsNodeGoes) {
    NotingRenderable r("r");
    simSceneNode* root = scene().getRootNode();
    auto* holder = new simSceneNode(0, 0, root);
    auto* group = new simSceneNode(0, 0, root);
    auto* item = new simSceneItem("i", &r, holder, group);
    item->castsShadow = true;
    scene().getItems().push_back(item);
    scene().getSortedPassItems().push_back(item);
    scene().getShadower().getCasters().push_back(item);
    scene().getGlowHandler().getPlainItems().push_back(item);
    scene().sortItems(camera.get());
    ASSERT_EQ(scene().getSortedItems().size(), 1u);

    delete holder;  // frees the item; the emptied group node goes with it
    EXPECT_TRUE(scene().getItems().empty());
    EXPECT_TRUE(scene().getSortedPassItems().empty());
    EXPECT_TRUE(scene().getSortedItems().empty());
    EXPECT_TRUE(scene().getShadower().getCasters().empty());
    EXPECT_TRUE(scene().getGlowHandler().getPlainItems().empty());
    EXPECT_TRUE(root->getChildren().empty());
}

TEST_F(SceneTreeTest, DeletingAGroupNodeKeepsItFromBeingDeletedAgainByItsItems) {
    NotingRenderable r("r");
    simSceneNode* root = scene().getRootNode();
    auto* holder = new simSceneNode(0, 0, root);
    auto* group = new simSceneNode(0, 0, root);
    new simSceneItem("i", &r, holder, group);
    delete group;  // frees the item, which leaves the holder
    ASSERT_EQ(root->getChildren().size(), 1u);
    EXPECT_EQ(root->getChildren().front(), holder);
    EXPECT_TRUE(holder->getItems().empty());
}

}  // namespace
