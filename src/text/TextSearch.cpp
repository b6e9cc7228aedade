#include "TextSearch.h"

bool IsHtmlSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r';
}

QString ToLowerSameLength(const QString& text)
{
    QString lower(text.size(), Qt::Uninitialized);
    const QChar* in = text.constData();
    QChar* out = lower.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = in[i].unicode();
        if (u < 0x80)
            out[i] = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
        else
            out[i] = QChar(QChar::toLower(u));  // simple mapping: one unit stays one unit
    }
    return lower;
}

qsizetype IndexOfLower(const QString& lowerText, const QString& lowerPattern, qsizetype from)
{
    if (from < 0)
        from = 0;
    if (from > lowerText.size())
        return -1;
    return lowerText.indexOf(lowerPattern, from, Qt::CaseSensitive);
}

QString ReplaceNoCase(const QString& text, const QString& pattern, const QString& replacement)
{
    if (pattern.isEmpty() || text.size() < pattern.size())
        return text;
    const QString lowerText = ToLowerSameLength(text);
    const QString lowerPattern = ToLowerSameLength(pattern);
    qsizetype found = lowerText.indexOf(lowerPattern);
    if (found < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;
    while (found >= 0) {
        result.append(QStringView(text).mid(copied, found - copied));
        result.append(replacement);
        copied = found + pattern.size();
        found = lowerText.indexOf(lowerPattern, copied);
    }
    result.append(QStringView(text).mid(copied));
    return result;
}

QString FoldMarkers(const QString& text, std::initializer_list<QStringView> markers)
{
    QString result = text;
    QString lowerText;
    for (const QStringView marker : markers) {
        if (marker.isEmpty() || marker.size() > text.size())
            continue;
        if (lowerText.isNull())
            lowerText = ToLowerSameLength(text);
        const QString lowerMarker = ToLowerSameLength(marker.toString());
        qsizetype found = lowerText.indexOf(lowerMarker);
        while (found >= 0) {
            // Folding changes only case, so the lower-cased copy stays valid
            // for the next marker.
            for (qsizetype i = 0; i < lowerMarker.size(); ++i)
                result[found + i] = lowerMarker[i];
            found = lowerText.indexOf(lowerMarker, found + lowerMarker.size());
        }
    }
    return result;
}

QString FoldMarker(const QString& text, const QString& marker)
{
    return FoldMarkers(text, {QStringView(marker)});
}

QString TrimBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= 0x20)
        ++start;
    while (end > start && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(start, end - start).toString();
}

bool ContainsNoCase(const QString& text, const QString& pattern)
{
    if (pattern.isEmpty())
        return true;
    return ToLowerSameLength(text).contains(ToLowerSameLength(pattern));
}

QString FillPlaceholders(const QString& text, const TPlaceholderValues& values)
{
    std::vector<QString> names;
    qsizetype growth = 0;
    for (const auto& value : values) {
        names.push_back(ToLowerSameLength(value.first));
        growth += value.second.size();
    }
    const QString lower = ToLowerSameLength(text);
    QString result;
    result.reserve(text.size() + growth);
    qsizetype copied = 0;
    for (qsizetype at = lower.indexOf(u"($"); at >= 0;) {
        qsizetype next = at + 1;
        for (size_t n = 0; n < names.size(); ++n) {
            if (QStringView(lower).mid(at).startsWith(names[n])) {
                result.append(QStringView(text).mid(copied, at - copied));
                result.append(values[n].second);
                copied = next = at + names[n].size();
                break;
            }
        }
        at = lower.indexOf(u"($", next);
    }
    result.append(QStringView(text).mid(copied));
    return result;
}
