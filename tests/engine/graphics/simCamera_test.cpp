// The engine camera on the recording device: viewport clamping, matrices
// against hand-worked values, frustum planes and tests, the view volume the
// box test reads, the current camera and the view source.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simScene.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/sceneTestCamera.h"

using d3dx::Vector2;
using d3dx::Vector3;
using testsupport::RecordingGraphics;
using testsupport::SceneTestCamera;

namespace {

constexpr float kQuarterTurn = 1.5707964f;  // 90 degrees

// The graphics system with the engine's scene, 800 x 600.
class CameraTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { simGraphics::setSceneFactory(simScene::create); }
    static void TearDownTestSuite() { simGraphics::setSceneFactory(nullptr); }
    void SetUp() override { ASSERT_TRUE(rig.complete()); }

    simScene& scene() { return *simScene::current(); }

    RecordingGraphics rig;
};

void expectMatrixNear(const d3dx::Matrix& actual, const d3dx::Matrix& expected) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(actual(r, c), expected(r, c), 1e-5f) << "row " << r << " column " << c;
}

TEST_F(CameraTest, ConstructionTakesTheWholeBackBufferWhateverViewportWasPassed) {
    simViewport small;
    small.X = 5;
    small.Width = 17;
    SceneTestCamera camera("Perspective", &small);
    const d3dx::Viewport& v = camera.getViewport();
    EXPECT_EQ(v.X, 0u);
    EXPECT_EQ(v.Y, 0u);
    EXPECT_EQ(v.Width, 800u);
    EXPECT_EQ(v.Height, 600u);
    EXPECT_FLOAT_EQ(camera.getAspect(), 800.0f / 600.0f);
    EXPECT_FLOAT_EQ(camera.getFieldOfView(), 1.0f);
    EXPECT_EQ(camera.getName(), "Perspective");
    EXPECT_TRUE(camera.getSecondName().empty());
    EXPECT_TRUE(camera.isActive());
    EXPECT_EQ(camera.getClassName(), "simCamera");
}

TEST_F(CameraTest, DefaultViewportIsOnePixelAtTheOrigin) {
    const simViewport v;
    EXPECT_EQ(v.X, 0u);
    EXPECT_EQ(v.Y, 0u);
    EXPECT_EQ(v.Width, 1u);
    EXPECT_EQ(v.Height, 1u);
    EXPECT_EQ(v.MinZ, 0.0f);
    EXPECT_EQ(v.MaxZ, 1.0f);
}

TEST_F(CameraTest, SetViewportClampsToTheBackBuffer) {
    struct Case {
        Vector2 position, size;
        uint32_t x, y, width, height;
    };
    const Case cases[] = {
        {{10, 20}, {300, 200}, 10, 20, 300, 200},      // inside: unchanged
        {{10.7f, 5.2f}, {99.9f, 50.5f}, 10, 5, 99, 50},  // truncated toward zero
        {{0, 0}, {0, 0}, 0, 0, 1, 1},                  // empty: one pixel
        {{0, 0}, {2000, 1000}, 0, 0, 800, 600},        // larger: the back buffer
        {{900, 700}, {10, 10}, 799, 599, 10, 10},      // past the edge: the last pixel
        {{790, 0}, {100, 10}, 790, 0, 100, 10},        // reaching past: the renderer cuts it
    };
    SceneTestCamera camera("c");
    for (const Case& c : cases) {
        camera.setViewport(c.position, c.size);
        const d3dx::Viewport& v = camera.getViewport();
        EXPECT_EQ(v.X, c.x) << c.position.x;
        EXPECT_EQ(v.Y, c.y) << c.position.y;
        EXPECT_EQ(v.Width, c.width) << c.size.x;
        EXPECT_EQ(v.Height, c.height) << c.size.y;
        EXPECT_FLOAT_EQ(camera.getAspect(), static_cast<float>(c.width) / static_cast<float>(c.height));
    }
}

TEST_F(CameraTest, ApplyCutsAViewportThatReachesPastTheTarget) {
    SceneTestCamera camera("c");
    camera.setViewport({790, 100}, {100, 50});
    rig.recorder->clear();
    camera.apply();
    gfx::D3DVIEWPORT9 v;
    ASSERT_EQ(rig.device().GetViewport(&v), gfx::D3D_OK);
    EXPECT_EQ(v.X, 790u);
    EXPECT_EQ(v.Width, 10u);  // the camera keeps 100; the device gets what fits
    EXPECT_EQ(v.Height, 50u);
    d3dx::Matrix view, projection;
    rig.renderer().getTransform(2, &view);
    rig.renderer().getTransform(0, &projection);
    EXPECT_EQ(view, camera.getViewMatrix());
    EXPECT_EQ(projection, camera.getProjectionMatrix());
}

TEST_F(CameraTest, PerspectiveProjectionMatchesHandWorkedValues) {
    SceneTestCamera camera("c");
    camera.setViewport({0, 0}, {800, 400});  // aspect 2
    camera.look({0, 0, 0}, {0, 0, -1}, kQuarterTurn, 1.0f, 101.0f);
    // Right-handed: y scale cot(45 deg) = 1, x scale 1 / aspect,
    // z: far / (near - far) = -1.01, w from -z, offset near x far / (near - far).
    const d3dx::Matrix expected(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.01f, -1, 0, 0, -1.01f, 0);
    expectMatrixNear(camera.getProjectionMatrix(), expected);

    camera.setFarPlane(201.0f);  // 201 / -200 = -1.005 on both
    EXPECT_NEAR(camera.getProjectionMatrix()._33, -1.005f, 1e-6f);
    EXPECT_NEAR(camera.getProjectionMatrix()._43, -1.005f, 1e-6f);
    camera.setNearPlane(2.0f);  // 201 / -199, 402 / -199
    EXPECT_NEAR(camera.getProjectionMatrix()._33, 201.0f / -199.0f, 1e-5f);
    EXPECT_NEAR(camera.getProjectionMatrix()._43, 402.0f / -199.0f, 1e-5f);
}

TEST_F(CameraTest, InversesGivePositionAndDirections) {
    SceneTestCamera camera("c");
    camera.look({3, 4, 10}, {3, 4, 0}, kQuarterTurn, 1.0f, 100.0f);
    EXPECT_NEAR(camera.getPosition().x, 3.0f, 1e-5f);
    EXPECT_NEAR(camera.getPosition().y, 4.0f, 1e-5f);
    EXPECT_NEAR(camera.getPosition().z, 10.0f, 1e-5f);
    // Looking down -z: forward (the camera's +z) points back at the viewer.
    EXPECT_NEAR(camera.getForward().z, 1.0f, 1e-5f);
    EXPECT_NEAR(camera.getUp().y, 1.0f, 1e-5f);

    camera.look({0, 0, 0}, {10, 0, 0}, kQuarterTurn, 1.0f, 100.0f);  // looking down +x
    EXPECT_NEAR(camera.getForward().x, -1.0f, 1e-5f);
    d3dx::Matrix product;
    d3dx::MatrixMultiply(&product, &camera.getProjectionMatrix(), &camera.getInverseProjectionMatrix());
    expectMatrixNear(product, d3dx::Matrix::identity());
}

TEST_F(CameraTest, FrustumPlanesOfASquareRightAngleView) {
    SceneTestCamera camera("c");
    camera.setViewport({0, 0}, {600, 600});
    camera.look({0, 0, 0}, {0, 0, -1}, kQuarterTurn, 1.0f, 100.0f);
    const double h = std::sqrt(0.5);
    struct Expected {
        int plane;
        double a, b, c, d;
    };
    const Expected planes[] = {
        {simCamera::left, h, 0, -h, 0},   {simCamera::right, -h, 0, -h, 0}, {simCamera::top, 0, -h, -h, 0},
        {simCamera::bottom, 0, h, -h, 0}, {simCamera::nearPlane, 0, 0, -1, -1}, {simCamera::farPlane, 0, 0, 1, 100},
    };
    for (const Expected& e : planes) {
        const simFrustumPlane& p = camera.getPlane(e.plane);
        EXPECT_NEAR(p.a, e.a, 1e-5) << e.plane;
        EXPECT_NEAR(p.b, e.b, 1e-5) << e.plane;
        EXPECT_NEAR(p.c, e.c, 1e-5) << e.plane;
        EXPECT_NEAR(p.d, e.d, 1e-3) << e.plane;
        EXPECT_FLOAT_EQ(p.normal.x, static_cast<float>(p.a)) << e.plane;
        EXPECT_FLOAT_EQ(p.normal.z, static_cast<float>(p.c)) << e.plane;
    }
}

TEST_F(CameraTest, SphereInFrustum) {
    SceneTestCamera camera("c");
    camera.setViewport({0, 0}, {600, 600});
    camera.look({0, 0, 0}, {0, 0, -1}, kQuarterTurn, 1.0f, 100.0f);
    struct Case {
        Vector3 centre;
        float radius;
        bool inside;
    };
    const Case cases[] = {
        {{0, 0, -50}, 1, true},        // on the line of sight
        {{0, 0, 10}, 1, false},        // behind the camera
        {{200, 0, -50}, 1, false},     // far to the right
        {{0, 0, -150}, 1, false},      // beyond the far plane
        {{0, 0, -100.5f}, 1, true},    // cutting the far plane
        {{-51, 0, -50}, 2, true},      // cutting the left plane
        {{-150, 0, -150}, 1, true},    // cuts the left plane: true though beyond the far plane
        {{0, 0, 0}, 0.5f, true},       // cuts the near plane's corner region
    };
    for (const Case& c : cases)
        EXPECT_EQ(camera.sphereInFrustum(c.centre, c.radius), c.inside)
            << c.centre.x << "," << c.centre.y << "," << c.centre.z;
}

TEST_F(CameraTest, ViewVolumeSphereReachesTheFarCornersOfAWideView) {
    SceneTestCamera camera("c");
    camera.setViewport({0, 0}, {800, 400});  // aspect 2
    camera.look({0, 0, 0}, {0, 0, -1}, kQuarterTurn, 1.0f, 100.0f);
    // Far corners at (+-200, +-100, -100); the centre half-way in depth.
    EXPECT_NEAR(camera.getFrustumCentre().z, -50.5f, 1e-4f);
    const Vector3 corner(200.0f, 100.0f, -100.0f);
    const Vector3 apart = corner - camera.getFrustumCentre();
    EXPECT_GE(camera.getFrustumRadius(), d3dx::Vec3Length(&apart) - 1e-3f);

    // A small box just inside the far right corner is seen, not culled.
    simBoundingBox box;
    box.growByPoint({188, 88, -97});
    box.growByPoint({190, 90, -95});
    ASSERT_EQ(getCurrentViewVolume(), &camera.getViewVolume());
    EXPECT_NE(box.testFrustum(nullptr), simBoundingBox::kOutside);
    simBoundingBox outside;
    outside.growByPoint({230, 0, -50});
    outside.growByPoint({232, 2, -48});
    EXPECT_EQ(outside.testFrustum(nullptr), simBoundingBox::kOutside);
}

TEST_F(CameraTest, FirstCameraBecomesCurrentAndIsPublished) {
    ASSERT_NE(getViewSource(), nullptr);
    EXPECT_EQ(getViewSource()->getCurrentCamera(), nullptr);
    EXPECT_EQ(getCurrentViewVolume(), nullptr);
    auto first = std::make_unique<SceneTestCamera>("first");
    auto second = std::make_unique<SceneTestCamera>("second");
    EXPECT_EQ(scene().getActiveCamera(), first.get());
    EXPECT_EQ(rig.graphics().getCurrentCamera(), first.get());
    EXPECT_EQ(getViewSource()->getCurrentCamera(), first.get());
    EXPECT_EQ(getCurrentViewVolume(), &first->getViewVolume());

    first.reset();  // the first remaining camera takes over
    EXPECT_EQ(scene().getActiveCamera(), second.get());
    EXPECT_EQ(rig.graphics().getCurrentCamera(), second.get());
    second.reset();  // none left
    EXPECT_EQ(scene().getActiveCamera(), nullptr);
    EXPECT_EQ(rig.graphics().getCurrentCamera(), nullptr);
    EXPECT_EQ(getCurrentViewVolume(), nullptr);
}

// A host that draws its view through another camera makes it the main one;
// a camera the scene does not list is refused.
TEST_F(CameraTest, MainCameraCanBeAnyListedCamera) {
    SceneTestCamera first("first"), second("second");
    EXPECT_TRUE(scene().setActiveCamera(&second));
    EXPECT_EQ(scene().getActiveCamera(), &second);
    EXPECT_FALSE(scene().setActiveCamera(nullptr));
    auto gone = std::make_unique<SceneTestCamera>("gone");
    scene().removeCamera(gone.get());
    EXPECT_FALSE(scene().setActiveCamera(gone.get()));
    EXPECT_EQ(scene().getActiveCamera(), &second);
}

TEST_F(CameraTest, CamerasAreFoundByIndexAndExactName) {
    SceneTestCamera texture("Texture"), perspective("Perspective");
    EXPECT_EQ(scene().getCamera(0), &texture);
    EXPECT_EQ(scene().getCamera(1), &perspective);
    EXPECT_EQ(scene().getCamera(2), nullptr);
    EXPECT_EQ(scene().getCamera(-1), nullptr);
    EXPECT_EQ(scene().findCamera("Perspective"), &perspective);
    EXPECT_EQ(scene().findCamera("Persp"), nullptr);
    EXPECT_EQ(scene().findCamera("Perspective "), nullptr);
    EXPECT_EQ(scene().findCamera("perspective"), nullptr);
}

TEST_F(CameraTest, CameraChangesAreAnnounced) {
    rig.engine.clearLog();
    { SceneTestCamera camera("c"); }
    EXPECT_EQ(rig.engine.log(),
              "simGraphics::onCamerasChanged>>>>>>>>>>>>\nsimGraphics::onCamerasChanged>>>>>>>>>>>>\n");
}

TEST_F(CameraTest, DeviceRestoreTakesTheWholeBackBufferAndRebuildsTheMatrices) {
    SceneTestCamera camera("c");
    camera.setViewport({10, 10}, {100, 100});
    const int updates = camera.matrixUpdates;
    camera.onDeviceRestore();
    EXPECT_EQ(camera.getViewport().X, 0u);
    EXPECT_EQ(camera.getViewport().Width, 800u);
    EXPECT_EQ(camera.getViewport().Height, 600u);
    EXPECT_EQ(camera.matrixUpdates, updates + 1);
}

TEST_F(CameraTest, CamerasDrawingTheSameNumberShareOneMutex) {
    std::srand(7);
    SceneTestCamera a("a");
    std::srand(7);
    SceneTestCamera b("b");
    SceneTestCamera c("c");
    EXPECT_EQ(a.getMutexName().rfind("simCamera_", 0), 0u);
    EXPECT_EQ(a.getMutexName(), b.getMutexName());
    EXPECT_EQ(a.getMutex(), b.getMutex());
    ASSERT_NE(a.getMutex(), nullptr);
    // Recursive: the one thread may take it again while it holds it.
    std::lock_guard<std::recursive_mutex> outer(*a.getMutex());
    std::lock_guard<std::recursive_mutex> inner(*b.getMutex());
    (void)c;
}

TEST_F(CameraTest, CamerasStillListedAreDeletedWithTheScene) {
    new SceneTestCamera("left to the scene");
    EXPECT_EQ(scene().getCameras().size(), 1u);
    rig.destroyGraphics();  // must not leak or touch freed memory (sanitisers)
    EXPECT_EQ(getViewSource(), nullptr);
    EXPECT_EQ(getCurrentViewVolume(), nullptr);
}

}  // namespace
