// simViewpoint and simViewSource: what the picking and projection functions
// (utilsPicking.h) need of a camera, and where they find the current one.
//
// A viewpoint is a camera as picking sees it: view and projection matrices,
// a viewport and a position, all in world units and back-buffer pixels. The
// engine's camera implements it.
//
// The view source is the graphics system as picking sees it: its current
// camera and the renderer's current transforms and viewport, used when a call
// passes no camera or matrices. The graphics system installs itself as the
// source when it is made and removes itself when it is destroyed; tests
// install their own. Without a source, calls that need one fail as
// documented with each.
#pragma once

#include "platform/d3dx/d3dxMathTypes.h"

class simViewpoint {
public:
    virtual ~simViewpoint() = default;

    // World to camera space.
    virtual const d3dx::Matrix& getViewMatrix() const = 0;
    // Camera to clip space; depth 0 at the near plane, 1 at the far plane.
    virtual const d3dx::Matrix& getProjectionMatrix() const = 0;
    // The part of the back buffer the camera draws into, in pixels.
    virtual const d3dx::Viewport& getViewport() const = 0;
    // The camera's position in world space.
    virtual const d3dx::Vector3& getPosition() const = 0;
};

class simViewSource {
public:
    virtual ~simViewSource() = default;

    // The camera being drawn or picked through; null when there is none.
    virtual const simViewpoint* getCurrentCamera() const = 0;
    // The renderer's current world, view and projection transforms and
    // viewport: what a point drawn now goes through.
    virtual d3dx::Matrix getWorldTransform() const = 0;
    virtual d3dx::Matrix getViewTransform() const = 0;
    virtual d3dx::Matrix getProjectionTransform() const = 0;
    virtual d3dx::Viewport getViewport() const = 0;
};

// The source the picking functions read; null while none is installed.
simViewSource* getViewSource();
// Installs a source, or null to remove it; the caller keeps ownership.
void setViewSource(simViewSource* source);
