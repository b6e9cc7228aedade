#include "HhpOptions.h"

#include <QList>
#include <utility>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// Calls `onOption(lineStart, lineLength)` for each "Compiled file=" line of
// [OPTIONS]; a line's length excludes its CR LF or LF.
template <typename OnOption>
void ForEachCompiledFileLine(const QByteArray& hhp, OnOption onOption)
{
    bool inOptions = false;
    qsizetype start = hhp.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    while (start < hhp.size()) {
        qsizetype end = hhp.indexOf('\n', start);
        if (end < 0)
            end = hhp.size();
        qsizetype length = end - start;
        if (length > 0 && hhp[start + length - 1] == '\r')
            --length;
        const QByteArray line = hhp.mid(start, length).trimmed();
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            inOptions = close > 0 && line.mid(1, close - 1).trimmed().compare("OPTIONS", Qt::CaseInsensitive) == 0;
        } else if (inOptions) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0 && line.left(equals).trimmed().compare("Compiled file", Qt::CaseInsensitive) == 0)
                onOption(start, length);
        }
        start = end + 1;
    }
}

} // namespace

QByteArray HhpCompiledFile(const QByteArray& hhp)
{
    QByteArray value;
    ForEachCompiledFileLine(hhp, [&](qsizetype start, qsizetype length) {
        if (value.isEmpty()) {
            const QByteArray line = hhp.mid(start, length);
            value = line.mid(line.indexOf('=') + 1).trimmed();
        }
    });
    return value;
}

QByteArray WithHhpCompiledFile(const QByteArray& hhp, const QByteArray& compiledFile)
{
    QByteArray result = hhp;
    // Replaced from the end so earlier positions stay valid.
    QList<std::pair<qsizetype, qsizetype>> lines;
    ForEachCompiledFileLine(hhp, [&](qsizetype start, qsizetype length) { lines.append({start, length}); });
    for (auto line = lines.crbegin(); line != lines.crend(); ++line)
        result.replace(line->first, line->second, "Compiled file=" + compiledFile);
    return result;
}
