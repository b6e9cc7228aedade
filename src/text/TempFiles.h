#pragma once

#include <QString>

// Temporary files and folders.

// The user's temporary folder, always ending with "/".
QString GetTempFolder();

// A new empty file "~wi....tmp" in the temporary folder; its path. Empty when
// it cannot be created.
QString NewTempFileName();

// Where the HTML Help work folder goes: the temporary folder, unless its path
// contains ".h" (which the compiler would take for a header file); then "/tmp/".
// Not created here.
QString GetCompileTempFolder();

// The temporary folder + a number from 100000 to 1099998 + "/", a folder that
// does not exist yet. Not created here.
QString NewRandomTempFolder();
