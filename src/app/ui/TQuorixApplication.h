#pragma once

#include <QApplication>

// The application: an error that reaches the event loop (an EQuorixError
// from any command or control event) is shown in an error box instead of
// ending the program.
class TQuorixApplication : public QApplication {
    Q_OBJECT
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;
};
