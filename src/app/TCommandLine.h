#pragma once

#include <QString>
#include <QStringList>

// The program's arguments: a project file to open, and a build request
// ("/" and up to three of h, w, d, p, s) to run unattended once the window
// shows. Arguments beginning with "--" belong to Qt WebEngine and are
// passed over.
struct TCommandLine {
    QString ProjectFile; // absolute, or empty
    QString BuildSwitch; // as given, or empty

    // `arguments` without the program name; relative paths are taken from
    // `currentFolder`.
    static TCommandLine Parse(const QStringList& arguments, const QString& currentFolder);
};
