// simSceneNode: one node of the scene's tree.
//
// A node carries one render state (a renderer state id and its value; id 0
// means none, id 8 carries the node's effect) that is set before its items
// are drawn, the items it holds, and its children, drawn after the items.
// The scene's reflection pass may override a node's state for a while
// (simScene::applyStateOverride).
//
// Ownership: a node owns its children and the items it holds. Deleting a node
// takes it out of its parent, deletes the parent when that is then left empty
// (no items, no children) and is not a root, deletes the children and frees
// the items. A node being destroyed is never deleted again by a child or an
// item on the way: each child and item is let go of it before it goes.
#pragma once

#include <cstdint>
#include <list>

#include "engine/graphics/simRendererStateObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simSceneItem;

class simSceneNode {
public:
    // Appends the node to the parent's children (null: a root, which the
    // caller keeps).
    simSceneNode(uint32_t stateId, simStateValue value, simSceneNode* parent);
    virtual ~simSceneNode();

    simSceneNode(const simSceneNode&) = delete;
    simSceneNode& operator=(const simSceneNode&) = delete;

    // The node's state (through the scene's overrides), its items in order
    // with `m` after each item's own matrix (null: none), then each child.
    void render(const d3dx::Matrix* m);
    // Where this node's (id, value) is (stateId, oldValue) the value becomes
    // newValue; then the same for every child.
    void replaceState(uint32_t stateId, simStateValue oldValue, simStateValue newValue);

    // True when the node holds no items and no children.
    bool isEmpty() const { return m_items.empty() && m_children.empty(); }
    // Deletes this node when it is empty, has a parent and is not already
    // being destroyed. True when it was deleted.
    bool deleteIfEmptyBranch();

    simSceneNode* getParent() const { return m_parent; }
    const std::list<simSceneNode*>& getChildren() const { return m_children; }
    const std::list<simSceneItem*>& getItems() const { return m_items; }
    uint32_t getStateId() const { return m_stateId; }
    simStateValue getStateValue() const { return m_stateValue; }

private:
    friend class simSceneItem;

    std::list<simSceneNode*> m_children;
    std::list<simSceneItem*> m_items;
    simSceneNode* m_parent;
    uint32_t m_stateId;
    simStateValue m_stateValue;
    bool m_destroying = false;
};
