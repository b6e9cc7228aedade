#include "TopicNode.h"

// Frees the subtree without recursion: a project file may nest topics
// arbitrarily deep.
TopicNode::~TopicNode()
{
    std::vector<std::unique_ptr<TopicNode>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<TopicNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

int TopicNode::depth() const
{
    int result = -1;
    for (const TopicNode* node = m_parent; node != nullptr; node = node->m_parent)
        ++result;
    return result;
}

const TopicNode* TopicNode::topRoot() const
{
    const TopicNode* node = this;
    while (node->m_parent != nullptr && node->m_parent->m_parent != nullptr)
        node = node->m_parent;
    return node;
}

bool TopicNode::isAncestorOf(const TopicNode* node) const
{
    for (const TopicNode* up = node ? node->m_parent : nullptr; up != nullptr; up = up->m_parent)
        if (up == this)
            return true;
    return false;
}

TopicNode* TopicNode::next(const TopicNode* end) const
{
    if (!m_children.empty())
        return m_children.front().get();
    for (const TopicNode* node = this; node != end; node = node->m_parent) {
        const TopicNode* parent = node->m_parent;
        if (parent == nullptr)
            return nullptr;
        if (node->m_row + 1 < int(parent->m_children.size()))
            return parent->m_children[size_t(node->m_row + 1)].get();
    }
    return nullptr;
}
