// libFuzzer entry for the text routines; see docs/fuzzing.md.
#include "TextRoutines.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QString failure = textfuzz::RunTextRoutines(data, size);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "Property failed: %s\n", failure.toUtf8().constData());
        std::abort();
    }
    return 0;
}
