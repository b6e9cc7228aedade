#pragma once

#include "TLeftTreeData.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The page the editing views show: which topic, its file and whether the
// author changed it since it was loaded.
struct TPageState {
    // A modification time that says no time is known.
    static QDateTime NoTimeKnown() { return QDateTime(QDate(2000, 1, 1), QTime(1, 1, 1, 1)); }

    QString CurrentURL;
    QString CurrentSource;
    int CurrentStatus = StatusNoLink;
    int CurrentIndex = -1;
    QDateTime CurrentModifiedTime = NoTimeKnown();
    bool IsDirty = false;
    bool SourceDirty = false;

    // No page: what opening, creating and closing a project start from.
    void Reset()
    {
        IsDirty = false;
        SourceDirty = false;
        CurrentStatus = StatusLinked;
        CurrentURL.clear();
        CurrentIndex = -1;
        CurrentModifiedTime = NoTimeKnown();
    }
};
