// A concrete engine camera for tests of the camera, the scene and its passes.
//
// It builds its matrices the way the program's camera does, from plain
// numbers that tests can work by hand: a right-handed look-at view from `eye`
// towards `at` (the orientation is the view's rotation), and a right-handed
// perspective projection with the field of view, near and far it is given.
// It counts its pre-render and matrix updates and may note each pre-render in
// a shared log of names.
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/simCamera.h"

namespace testsupport {

class SceneTestCamera : public simCamera {
public:
    explicit SceneTestCamera(std::string name, const simViewport* viewport = nullptr);

    // Sets the pose and lens and rebuilds every matrix.
    void look(const d3dx::Vector3& eye, const d3dx::Vector3& at, float fieldOfView, float nearZ, float farZ);

    void update() override {}
    void onEvent(simInputEvent*) override {}
    void dynamicsStep(float) override {}
    void fixedUpdate() override {}
    void preRender() override;
    void updateMatrices() override;

    int preRenders = 0;
    int matrixUpdates = 0;
    // When set, every pre-render appends "preRender:<name>".
    std::vector<std::string>* log = nullptr;

    d3dx::Vector3 eye{0.0f, 0.0f, 10.0f};
    d3dx::Vector3 at{0.0f, 0.0f, 0.0f};
    d3dx::Vector3 up{0.0f, 1.0f, 0.0f};
};

}  // namespace testsupport
