#pragma once

// The platform's components, made by the one implementation the program is
// linked with. Callers know only the interfaces.

class IDHTMLEdit;
class IHTMLBrowser;
class QWidget;

// Before and after the QApplication is created (web engine set-up).
void PreparePlatformBeforeApplication();
void PreparePlatformAfterApplication();

// The editing control; its widget() is a child of `parent`. The control lives
// as long as its widget: deleting the parent (or the widget) deletes it.
IDHTMLEdit* CreateDHTMLEdit(QWidget* parent);
// The preview browser; its widget() is a child of `parent`, ownership as above.
IHTMLBrowser* CreateHTMLBrowser(QWidget* parent);
