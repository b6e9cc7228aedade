#pragma once

#include <QList>
#include <QString>

// The outputs a build can make, as the bits of a build request.
enum TBuildOutput : int {
    boCHM = 1,
    boWebHelp = 2,
    boWord = 4,
    boPDF = 8,
    boSingleHtml = 16,
};

// The outputs a command-line build switch asks for: "/" followed by at most
// three letters (four characters in all), each of h (CHM), w (web help),
// d (Word), p (PDF), s (single HTML) in any case adding its bit; other
// letters are passed over. 0, building nothing, for anything else.
int BuildSwitchOutputs(const QString& buildSwitch);

// The outputs among `outputs` in the order a build makes them: CHM, web
// help, Word, PDF, single HTML.
QList<TBuildOutput> OutputsInBuildOrder(int outputs);

// The output's name in messages: "CHM", "web help", "Word", "PDF",
// "single HTML".
QString BuildOutputName(TBuildOutput output);
