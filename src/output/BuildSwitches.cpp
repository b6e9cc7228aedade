#include "BuildSwitches.h"

namespace {

struct OutputLetter {
    TBuildOutput output;
    char16_t letter;
    const char* name;
};

// In build order.
constexpr OutputLetter Outputs[] = {
    {boCHM, u'h', "CHM"},
    {boWebHelp, u'w', "web help"},
    {boWord, u'd', "Word"},
    {boPDF, u'p', "PDF"},
    {boSingleHtml, u's', "single HTML"},
};

} // namespace

int BuildSwitchOutputs(const QString& buildSwitch)
{
    if (!buildSwitch.startsWith(QLatin1Char('/')) || buildSwitch.size() > 4)
        return 0;
    int outputs = 0;
    for (const OutputLetter& entry : Outputs)
        if (buildSwitch.contains(QChar(entry.letter), Qt::CaseInsensitive))
            outputs |= entry.output;
    return outputs;
}

QList<TBuildOutput> OutputsInBuildOrder(int outputs)
{
    QList<TBuildOutput> ordered;
    for (const OutputLetter& entry : Outputs)
        if (outputs & entry.output)
            ordered.append(entry.output);
    return ordered;
}

QString BuildOutputName(TBuildOutput output)
{
    for (const OutputLetter& entry : Outputs)
        if (entry.output == output)
            return QString::fromLatin1(entry.name);
    return QString();
}
