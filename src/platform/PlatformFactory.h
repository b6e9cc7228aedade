#pragma once

// The platform's components, made by the one implementation the program is
// linked with. Callers know only the interfaces.

class IDHTMLEdit;
class IHTMLBrowser;
class QString;
class QWidget;

// Before and after the QApplication is created (web engine set-up).
void PreparePlatformBeforeApplication();
void PreparePlatformAfterApplication();

// The editing control; its widget() is a child of `parent`. The control lives
// as long as its widget: deleting the parent (or the widget) deletes it.
IDHTMLEdit* CreateDHTMLEdit(QWidget* parent);
// The preview browser; its widget() is a child of `parent`, ownership as above.
IHTMLBrowser* CreateHTMLBrowser(QWidget* parent);

// The open project's folder (its RootDir; empty when none is open). Web views
// show files only from there, from the program's data folder and from the
// folder of the page shown; nothing from the network.
void SetPlatformProjectFolder(const QString& rootDir);
