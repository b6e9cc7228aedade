#include "TCompilerLineFilter.h"

bool TCompilerLineFilter::Accept(const QString& line)
{
    if (line.trimmed().isEmpty() || line == m_lastLine)
        return false;
    m_lastLine = line;
    return true;
}
