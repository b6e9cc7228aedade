#include "TQuorixApplication.h"

#include "QuorixError.h"
#include "TDialogPrompts.h"

bool TQuorixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EQuorixError& error) {
        TDialogPrompts().ShowError(error.message());
    } catch (const std::bad_alloc&) {
        TDialogPrompts().ShowError(QStringLiteral("Not enough memory to finish the command."));
    }
    return false;
}
