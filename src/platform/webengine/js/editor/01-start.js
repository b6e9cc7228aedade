// The page side of the editing control.
//
// Runs in its own JavaScript world: the page's own scripts are switched off,
// so the document stays exactly as the author wrote it. The control calls
//     quorixEditor.call(name, args)  ->  {ok: true, value} | {ok: false, error}
// and hears of changes through its channel object ("control"): after every
// input, selection change or edit the page pushes one state record
// (stateChanged), and every answer carries the record when it moved, so
// the control's tool bars read it without asking. Ranges and elements the
// control holds are kept in a handle table until it releases them or the
// document is replaced.
//
// The script is kept in parts (one per section), joined in the order of
// their file names into this one function, whose scope they share. The
// names of the calls are listed for C++ in EditorCalls.h; a test holds the
// two lists against each other.
(function () {
    'use strict';
    if (window.quorixEditor)
        return;

