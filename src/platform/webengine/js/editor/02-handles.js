    // ---- handles -------------------------------------------------------

    const objects = new Map();
    let nextHandle = 1;

    function keep(object) {
        if (object === null || object === undefined)
            return 0;
        const handle = nextHandle++;
        objects.set(handle, object);
        return handle;
    }

    function lookup(handle) {
        const object = objects.get(handle);
        if (object === undefined)
            throw new Error('the object is no longer part of the page');
        return object;
    }

    function elementOf(handle) {
        const object = lookup(handle);
        if (!(object instanceof Element))
            throw new Error('not an element');
        return object;
    }

    function textRangeOf(handle) {
        const object = lookup(handle);
        if (!object || object.kind !== 'text')
            throw new Error('not a text range');
        return object;
    }

    function controlRangeOf(handle) {
        const object = lookup(handle);
        if (!object || object.kind !== 'control')
            throw new Error('not a control range');
        return object;
    }

