
    // ---- the state record -----------------------------------------------------
    // What the control's tool bars show, made in the page after every input,
    // selection change or edit and pushed to the control once (stateChanged);
    // every answer to a call carries it as well when it moved. The control
    // so reads command states, formats, the selection bookmark, the dirty
    // mark and the change counter without asking the page.

    const SELECTION_CONTROL = '[Control]';
    const SELECTION_NONE = '[None]';

    let initialised = false;
    let pageGeneration = 0;  // the control's number of this document
    let stateId = 0;
    let keysTaken = 0;       // key presses the page has seen
    let lastSeen = null;     // what the last record was made from
    let stale = true;        // something a record shows may have changed
    let pushPending = false;

    function selectionPoints() {
        const selection = document.getSelection();
        if (!selection || selection.rangeCount === 0)
            return null;
        return [selection.anchorNode, selection.anchorOffset, selection.focusNode, selection.focusOffset];
    }

    function stateMoved() {
        flushRecords();
        if (stale || lastSeen === null)
            return true;
        const now = selectionPoints();
        const was = lastSeen.selection;
        if ((now === null) !== (was === null))
            return true;
        if (now !== null && now.some(function (value, index) { return value !== was[index]; }))
            return true;
        return lastSeen.changes !== changes || lastSeen.keys !== keysTaken || lastSeen.dirty !== dirty;
    }

    function caretElementTag(range, type) {
        if (!range)
            return '';
        const control = type === 'Control' ? selectedControl(range) : null;
        const element = control || elementAround(range.startContainer);
        return element ? element.tagName.toUpperCase() : '';
    }

    function computeState() {
        flushRecords();
        const canEdit = editable();
        const status = {};
        let blockFormat = '';
        let fontName = '';
        let fontSize = 0;
        textElementsCache = [];
        try {
            for (const id of Object.keys(commands))
                status[id] = canEdit ? commands[id].status() : DISABLED;
            if (canEdit) {
                blockFormat = commands[5011].run();
                fontName = commands[5013].run();
                fontSize = commands[5014].run();
            }
        } finally {
            textElementsCache = null;
        }
        const range = selectionRange();
        const type = selectionType();
        let bookmark = SELECTION_NONE;
        if (type === 'Control')
            bookmark = SELECTION_CONTROL;
        else if (range)
            bookmark = rangeBookmarkText(range) || SELECTION_NONE;
        lastSeen = { selection: selectionPoints(), changes: changes, keys: keysTaken, dirty: dirty };
        stale = false;
        return {
            id: ++stateId,
            page: pageGeneration,
            changes: changes,
            dirty: dirty,
            keys: keysTaken,
            selection: type,
            bookmark: bookmark,
            element: caretElementTag(range, type),
            status: status,
            blockFormat: blockFormat,
            fontName: fontName,
            fontSize: fontSize,
        };
    }

    // A record for an answer, when one is due; a failure to make it is the
    // control's fault, not the call's.
    function stateForAnswer() {
        if (!initialised)
            return null;
        try {
            return stateMoved() ? computeState() : null;
        } catch (error) {
            console.error('state record: ' + (error && error.message ? error.message : error));
            stale = true;
            return null;
        }
    }

    function pushState() {
        pushPending = false;
        if (!channel)
            return;
        const state = stateForAnswer();
        if (state)
            channel.stateChanged(state);
    }

    // Once the script that caused it has run: one record for what it did.
    // (Timers never fire while the page's own scripts are off; microtasks do.)
    function schedulePush() {
        if (pushPending || !initialised)
            return;
        pushPending = true;
        queueMicrotask(pushState);
    }
