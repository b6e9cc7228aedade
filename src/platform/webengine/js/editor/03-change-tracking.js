    // ---- change tracking -----------------------------------------------

    let dirty = false;
    let changes = 0; // content changes since the page was loaded
    let internalDepth = 0;
    let observer = null;
    let channel = null;
    let textModel = null; // flattened text of the body, rebuilt after changes

    function markEdited() {
        dirty = true;
        changes++;
        textModel = null;
        schedulePush();
    }

    function handleRecords(records) {
        if (records.length === 0)
            return;
        for (const record of records) {
            if (record.type === 'attributes' && record.attributeName === 'style' && runtimeStyles.has(record.target))
                adoptAuthorStyle(record.target);
        }
        markEdited();
    }

    function flushRecords() {
        if (observer)
            handleRecords(observer.takeRecords());
    }

    // Changes the control makes for itself (run-time styles, serialising)
    // are not edits of the author.
    function internal(action) {
        if (internalDepth === 0)
            flushRecords();
        internalDepth++;
        try {
            return action();
        } finally {
            internalDepth--;
            if (observer)
                observer.takeRecords();
            textModel = null;
        }
    }

