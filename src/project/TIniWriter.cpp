#include "TIniWriter.h"

void TIniWriter::Section(QStringView name)
{
    m_text += u'[';
    m_text += name;
    m_text += u"]\r\n";
}

void TIniWriter::Key(QStringView key, QStringView value)
{
    m_text += key;
    appendValue(value);
}

void TIniWriter::appendValue(QStringView value)
{
    m_text += u'=';
    const qsizetype start = m_text.size();
    m_text += value;
    if (value.contains(u'\r') || value.contains(u'\n')) {
        for (qsizetype i = start; i < m_text.size(); ++i)
            if (m_text[i] == u'\r' || m_text[i] == u'\n')
                m_text[i] = u' ';
    }
    m_text += u"\r\n";
}

void TIniWriter::appendValue(int value)
{
    m_text += u'=';
    appendNumber(m_text, value);
    m_text += u"\r\n";
}

// Decimal digits without a temporary string: project files hold hundreds of
// thousands of numbers.
void TIniWriter::appendNumber(QString& text, int value)
{
    char16_t digits[12];
    int pos = 12;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[--pos] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        digits[--pos] = u'-';
    text.append(reinterpret_cast<const QChar*>(digits + pos), 12 - pos);
}

void TIniWriter::Key(QStringView key, int value)
{
    m_text += key;
    appendValue(value);
}
