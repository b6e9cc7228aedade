#include "TQuorixApplication.h"

#include "QuorixError.h"
#include "UserPrompts.h"

bool TQuorixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EQuorixError& error) {
        ShowErrorMessage(error.message());
    } catch (const std::bad_alloc&) {
        ShowErrorMessage(QStringLiteral("Not enough memory to finish the command."));
    }
    return false;
}
