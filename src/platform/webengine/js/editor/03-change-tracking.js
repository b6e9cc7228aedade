    // ---- change tracking -----------------------------------------------

    let dirty = false;
    let internalDepth = 0;
    let observer = null;
    let channel = null;
    let textModel = null; // flattened text of the body, rebuilt after changes

    function notify() {
        if (channel)
            channel.displayChanged();
    }

    function markEdited() {
        dirty = true;
        textModel = null;
        notify();
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

