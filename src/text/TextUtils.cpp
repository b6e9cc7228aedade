#include "TextUtils.h"

#include "TextSearch.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <climits>

QStringList SplitAndTrim(const QString& text, const QString& delimiter)
{
    QStringList pieces;
    if (text.isEmpty())
        return pieces;
    if (delimiter.isEmpty()) {
        pieces.append(TrimBlanks(text));
        return pieces;
    }
    qsizetype from = 0;
    for (;;) {
        const qsizetype found = text.indexOf(delimiter, from);
        if (found < 0)
            break;
        pieces.append(TrimBlanks(QStringView(text).mid(from, found - from)));
        from = found + delimiter.size();
    }
    pieces.append(TrimBlanks(QStringView(text).mid(from)));
    return pieces;
}

int FirstNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && !(text.at(i) >= u'0' && text.at(i) <= u'9'))
        ++i;
    qint64 number = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        number = number * 10 + (text.at(i).unicode() - u'0');
        if (number > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(number);
}

bool IsSimilarText(const QString& a, const QString& b)
{
    const QString lowerA = ToLowerSameLength(a);
    const QString lowerB = ToLowerSameLength(b);
    if (lowerA == lowerB)
        return true;
    if (lowerA.size() < 5 || lowerB.size() < 5 || qAbs(lowerA.size() - lowerB.size()) > 50)
        return false;
    const QString& s = lowerA.size() <= lowerB.size() ? lowerA : lowerB;
    const QString& t = lowerA.size() <= lowerB.size() ? lowerB : lowerA;
    const qsizetype n = s.size();
    const qsizetype m = t.size();

    // Positions of each character in t, so that the walk jumps to the next
    // occurrence instead of stepping over every character in between.
    QHash<char16_t, QList<qsizetype>> positions;
    for (qsizetype k = 0; k < m; ++k)
        positions[t.at(k).unicode()].append(k);

    qsizetype p = 0;
    qsizetype k = 0;
    qsizetype resume = -1;  // -1: nothing matched yet
    qsizetype run = 0;
    qsizetype total = 0;
    while (p < n) {
        if (k < m && s.at(p) == t.at(k)) {
            ++run;
            ++p;
            resume = k + 1;
            if (p >= n)
                break;
            ++k;
            if (k >= m) {
                ++p;  // this character of s is given up
                k = resume;
            }
            continue;
        }
        if (run > 2)
            total += run;
        run = 0;
        // Step k on to the next character of t that matches s[p], if any.
        qsizetype next = -1;
        if (k + 1 < m) {
            const auto found = positions.constFind(s.at(p).unicode());
            if (found != positions.constEnd()) {
                const auto it = std::upper_bound(found->cbegin(), found->cend(), k);
                if (it != found->cend())
                    next = *it;
            }
        }
        if (next >= 0) {
            k = next;
        } else {
            ++p;
            k = resume < 0 ? 0 : resume;
        }
    }
    if (run > 2)
        total += run;
    return double(total) / double(n) > 0.8;
}

QString DefaultCharsetName()
{
    return QStringLiteral("UTF-8");
}
