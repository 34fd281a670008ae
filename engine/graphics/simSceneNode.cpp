#include "engine/graphics/simSceneNode.h"

#include "engine/graphics/simScene.h"
#include "engine/graphics/simSceneItem.h"

simSceneNode::simSceneNode(uint32_t stateId, simStateValue value, simSceneNode* parent)
    : m_parent(parent), m_stateId(stateId), m_stateValue(value) {
    if (m_parent) m_parent->m_children.push_back(this);
}

simSceneNode::~simSceneNode() {
    m_destroying = true;
    if (simSceneNode* parent = m_parent) {
        m_parent = nullptr;
        parent->m_children.remove(this);
        parent->deleteIfEmptyBranch();
    }
    // Each child is let go of this node before it is deleted: a child that
    // found this node empty would otherwise delete it a second time.
    while (!m_children.empty()) {
        simSceneNode* child = m_children.front();
        m_children.pop_front();
        child->m_parent = nullptr;
        delete child;
    }
    while (!m_items.empty()) {
        simSceneItem* item = m_items.front();
        item->detach();  // leaves this list (and never deletes this node)
        delete item;
    }
}

bool simSceneNode::deleteIfEmptyBranch() {
    if (m_destroying || !m_parent || !isEmpty()) return false;
    delete this;
    return true;
}

void simSceneNode::render(const d3dx::Matrix* m) {
    if (simScene* scene = simScene::current()) scene->applyStateOverride(this);
    for (simSceneItem* item : m_items) item->render(m, nullptr);
    for (simSceneNode* child : m_children) child->render(m);
}

void simSceneNode::replaceState(uint32_t stateId, simStateValue oldValue, simStateValue newValue) {
    if (m_stateId == stateId && m_stateValue == oldValue) m_stateValue = newValue;
    for (simSceneNode* child : m_children) child->replaceState(stateId, oldValue, newValue);
}
