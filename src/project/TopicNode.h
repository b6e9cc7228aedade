#pragma once

#include "TLeftTreeData.h"

#include <QString>
#include <memory>
#include <vector>

// One node of the topic tree: its title, tree images, expanded flag, ordered
// children and its entry. Structure and shown values change only through
// TopicTree, so views hear of every change; the entry is plain data.
class TopicNode {
public:
    TopicNode() = default;
    ~TopicNode();
    TopicNode(const TopicNode&) = delete;
    TopicNode& operator=(const TopicNode&) = delete;

    const QString& text() const { return m_text; }
    int imageIndex() const { return m_image; }
    int selectedIndex() const { return m_selectedImage; }
    int stateIndex() const { return m_stateImage; } // -1: none
    bool expanded() const { return m_expanded; }

    TopicNode* parent() const { return m_parent; }
    int row() const { return m_row; }
    int childCount() const { return int(m_children.size()); }
    bool hasChildren() const { return !m_children.empty(); }
    TopicNode* child(int row) const { return m_children[size_t(row)].get(); }
    TopicNode* firstChild() const { return m_children.empty() ? nullptr : m_children.front().get(); }
    TopicNode* lastChild() const { return m_children.empty() ? nullptr : m_children.back().get(); }

    // 0 for the three roots, 1 for their children, and so on.
    int depth() const;
    bool isRoot() const { return m_parent != nullptr && m_parent->m_parent == nullptr; }
    // The root this node lies under (itself for a root).
    const TopicNode* topRoot() const;
    bool isAncestorOf(const TopicNode* node) const;

    TLeftTreeData& entry() { return m_entry; }
    const TLeftTreeData& entry() const { return m_entry; }

    // The node after this one in depth-first order below `end` (children first), or null.
    TopicNode* next(const TopicNode* end = nullptr) const;

private:
    friend class TopicTree;

    QString m_text;
    int m_image = 0;
    int m_selectedImage = 0;
    int m_stateImage = -1;
    bool m_expanded = false;
    TopicNode* m_parent = nullptr;
    int m_row = 0;
    std::vector<std::unique_ptr<TopicNode>> m_children;
    TLeftTreeData m_entry;
};
