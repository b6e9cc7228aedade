// libFuzzer entry for the import's readers; see docs/fuzzing.md.
#include "ChmImportRoutines.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString failure = chmfuzz::RunChmImportRoutines(data, size);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "Property failed: %s\n", failure.toUtf8().constData());
        std::abort();
    }
    return 0;
}
