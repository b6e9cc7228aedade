#include "TConsolePrompts.h"

#include <cstdio>

TConsolePrompts::TConsolePrompts(QString program)
    : m_program(std::move(program))
{
}

void TConsolePrompts::print(const QString& text) const
{
    const QString line = m_program.isEmpty() ? text : m_program + QStringLiteral(": ") + text;
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

IUserPrompts::Button TConsolePrompts::Declining(Buttons buttons)
{
    for (Button button : {Cancel, No, Abort, Ok}) {
        if (buttons & button)
            return button;
    }
    return NoButton;
}

void TConsolePrompts::ShowError(const QString& message)
{
    print(QStringLiteral("Error: ") + message);
}

IUserPrompts::Button TConsolePrompts::Confirm(const QString& text, Buttons buttons)
{
    print(text);
    return Declining(buttons);
}

IUserPrompts::Button TConsolePrompts::Message(Kind kind, const QString& text, Buttons buttons)
{
    print(kind == Kind::Error ? QStringLiteral("Error: ") + text
                              : kind == Kind::Warning ? QStringLiteral("Warning: ") + text : text);
    return Declining(buttons);
}
