#pragma once

#include <QString>
#include <QStringList>

class IUserPrompts;

// The tags of pictures chosen to go into a page, and the pictures copied
// into the project on the way.
struct TPictureInsert {
    QString Html;          // "<img ...>" tags, empty when nothing is to be inserted
    QStringList Copied;    // copies made, native paths
    QString LastFolder;    // folder of the first chosen picture
};

// The tags for `pictures` (native paths) in the page whose folder is
// `pageFolder`. Pictures inside `projectFolder` are referred to relatively.
// For pictures outside it the author is asked once whether to copy them:
// each then gets a save dialog in the page folder, and a tag only when its
// copy was really made. A copy never replaces its own source, and replaces
// another file only after the author said so. Without copying, the tags
// refer to the files by their file addresses.
TPictureInsert PreparePictures(const QStringList& pictures, const QString& pageFolder, const QString& projectFolder,
                               IUserPrompts& prompts);
