#pragma once

#include "TTitleList.h"

#include <QMap>
#include <memory>
#include <vector>

// The entries of an imported help file in reading order, with a lookup by
// lower-cased Url.
class TTitleLists {
public:
    int Count() const { return int(m_items.size()); }
    TTitleList& Item(int index) { return *m_items[size_t(index)]; }
    const TTitleList& Item(int index) const { return *m_items[size_t(index)]; }
    TTitleList& Add();
    void Clear();

    // Rebuilds the lookup; the first entry of a Url wins.
    void initializeUrls();
    // The entry whose Url equals `url` without regard to case, or nullptr.
    TTitleList* GetItemByUrl(const QString& url) const;

private:
    std::vector<std::unique_ptr<TTitleList>> m_items;
    QMap<QString, TTitleList*> m_urls;
};
