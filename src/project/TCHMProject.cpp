#include "TCHMProject.h"

void TCHMProject::Assign(const TCHMProject& other)
{
    const bool autoSearch = AutoSearch;
    *this = other;
    AutoSearch = autoSearch;
}
