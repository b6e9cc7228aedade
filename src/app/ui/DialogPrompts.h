#pragma once

// Hands the helpers' questions and error reports (UserPrompts.h) to real
// dialogs: an error box, a save dialog, a folder picker.
void InstallDialogPrompts();
