#include "EditorCalls.h"
#include "EditorScript.h"
#include "QtPrinting.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// The names of the script's table of calls: the keys one level inside
// "const calls = {" up to the table's closing "};".
QSet<QString> scriptCallNames(const QString& script)
{
    const qsizetype start = script.indexOf(QStringLiteral("\n    const calls = {\n"));
    const qsizetype end = script.indexOf(QStringLiteral("\n    };\n"), start);
    if (start < 0 || end < 0)
        return {};
    static const QRegularExpression key(QStringLiteral("^        ([A-Za-z_][A-Za-z0-9_]*):"),
                                        QRegularExpression::MultilineOption);
    QSet<QString> names;
    const QString table = script.mid(start, end - start);
    for (auto match = key.globalMatch(table); match.hasNext();)
        names.insert(match.next().captured(1));
    return names;
}

QStringList sorted(const QSet<QString>& names)
{
    QStringList list(names.begin(), names.end());
    list.sort();
    return list;
}

} // namespace

// Every call C++ makes is one the script answers, and every call the script
// answers has its name in C++.
TEST(EditorCalls, TheBridgeAndTheScriptNameTheSameCalls)
{
    const QSet<QString> script = scriptCallNames(EditorScriptText());
    ASSERT_FALSE(script.isEmpty()) << "the script's table of calls was not found";
    const QStringList all = EditorCall::All();
    const QSet<QString> bridge(all.begin(), all.end());
    EXPECT_EQ(bridge.size(), all.size()) << "a name is listed twice";
    EXPECT_EQ(sorted(bridge - script), QStringList()) << "called from C++ but not in the script";
    EXPECT_EQ(sorted(script - bridge), QStringList()) << "in the script but not named in C++";
}
