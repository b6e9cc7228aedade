#pragma once

#include <QString>

// The editor's script (js/editor/*.js, resources): its parts joined in the
// order of their file names.
QString EditorScriptText();
// What the editing control puts into its page: the web channel's client,
// then the editor's script.
QString EditorPageScript();
