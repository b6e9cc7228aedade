#include "THtmlTags.h"

#include "HtmlScanning.h"

THtmlTags::THtmlTags()
{
    auto root = std::make_unique<THtmlTag>();
    root->Name = QStringLiteral("Root");
    m_tags.push_back(std::move(root));
}

THtmlTag& THtmlTags::Open(const QString& name, const QString& startText)
{
    auto tag = std::make_unique<THtmlTag>();
    tag->Name = name;
    tag->Start = startText;
    tag->NonDoc = Current().NonDoc || IsNonDocumentTag(name);
    m_tags.push_back(std::move(tag));
    return Current();
}

int THtmlTags::FindOpen(const QString& name) const
{
    for (int k = Count() - 1; k > 0; --k) {
        if (m_tags[size_t(k)]->Name.compare(name, Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

bool THtmlTags::Close(const QString& name, const QString& endText, Fold fold)
{
    const int k = FindOpen(name);
    if (k < 0)
        return false;
    m_tags[size_t(k)]->Tail = endText;
    while (Count() > k)
        FoldCurrent(fold);
    return true;
}

void THtmlTags::FoldAll(Fold fold)
{
    while (Count() > 1)
        FoldCurrent(fold);
}

void THtmlTags::FoldCurrent(Fold fold)
{
    if (Count() <= 1)
        return;
    const THtmlTag& child = Current();
    THtmlTag& parent = *m_tags[m_tags.size() - 2];
    parent.InnerText += child.InnerText;
    if (fold == Fold::KeepTags)
        parent.Inner += child.Start + child.Inner + child.Tail;
    else
        parent.Inner += child.Inner;
    parent.Blocks += child.Blocks;
    parent.CharCount += child.CharCount;
    m_tags.pop_back();
}

void THtmlTags::SetCount(int count)
{
    if (count < 1)
        count = 1;
    if (count < Count())
        m_tags.resize(size_t(count));
}
