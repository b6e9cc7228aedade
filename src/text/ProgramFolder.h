#pragma once

#include <QString>

// The folder of the program's own files (templates, web-help set, sample
// project, "new.htm"), without trailing separator: <prefix>/share/quorix when
// installed, else the executable's folder (the build tree copies them there).
QString ProgramDataFolder();
