#include "TTitleLists.h"

TTitleList& TTitleLists::Add()
{
    m_items.push_back(std::make_unique<TTitleList>());
    return *m_items.back();
}

void TTitleLists::Clear()
{
    m_urls.clear();
    m_items.clear();
}

void TTitleLists::initializeUrls()
{
    m_urls.clear();
    for (const auto& item : m_items) {
        const QString key = item->Url.toLower();
        if (!m_urls.contains(key))
            m_urls.insert(key, item.get());
    }
}

TTitleList* TTitleLists::GetItemByUrl(const QString& url) const
{
    return m_urls.value(url.toLower(), nullptr);
}
