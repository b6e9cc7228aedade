#pragma once

#include "THtmlTag.h"

#include <memory>
#include <vector>

// The element stack of a forward page scanner. Entry 0 is always "Root";
// the last entry is the current element. Markup that never closes or
// closes out of order is folded into its parents, so no input fails.
class THtmlTags {
public:
    // How a closing child joins its parent.
    enum class Fold { KeepTags, DropTags };

    THtmlTags();

    int Count() const { return int(m_tags.size()); }
    THtmlTag& Item(int index) { return *m_tags[size_t(index)]; }
    THtmlTag& Current() { return *m_tags.back(); }
    THtmlTag& Root() { return *m_tags.front(); }

    // Pushes an element for a start tag that is not an empty tag; NonDoc
    // follows the parent and the non-document set.
    THtmlTag& Open(const QString& name, const QString& startText);
    // The innermost open element of that name (never Root), -1 when none.
    int FindOpen(const QString& name) const;
    // Closes the innermost element of that name: its Tail is set and every
    // element down to it is folded into its parent. False (nothing changes)
    // when no such element is open.
    bool Close(const QString& name, const QString& endText, Fold fold);
    // Folds every open element into Root, as at the end of a scan.
    void FoldAll(Fold fold);
    // Folds the current element into its parent and frees it.
    void FoldCurrent(Fold fold);
    // Frees the entries beyond `count` (never Root).
    void SetCount(int count);

private:
    std::vector<std::unique_ptr<THtmlTag>> m_tags;
};
