    // ---- selection -------------------------------------------------------

    const CONTROLS = new Set(['IMG', 'TABLE', 'HR', 'INPUT', 'BUTTON', 'SELECT', 'TEXTAREA', 'OBJECT', 'EMBED', 'IFRAME',
        'VIDEO', 'AUDIO', 'CANVAS', 'SVG', 'APPLET', 'MARQUEE']);

    function selectionRange() {
        const selection = document.getSelection();
        if (selection && selection.rangeCount > 0)
            return selection.getRangeAt(0);
        return null;
    }

    function selectedControl(range) {
        if (!range || range.startContainer !== range.endContainer || range.startContainer.nodeType !== Node.ELEMENT_NODE)
            return null;
        if (range.endOffset !== range.startOffset + 1)
            return null;
        const node = range.startContainer.childNodes[range.startOffset];
        if (node && node.nodeType === Node.ELEMENT_NODE && CONTROLS.has(node.tagName.toUpperCase()))
            return node;
        return null;
    }

    function selectionType() {
        const range = selectionRange();
        if (!range)
            return 'None';
        if (selectedControl(range))
            return 'Control';
        return range.collapsed ? 'None' : 'Text';
    }

    function selectRange(range) {
        const selection = document.getSelection();
        selection.removeAllRanges();
        selection.addRange(range);
    }

    function elementAround(node) {
        while (node && node.nodeType !== Node.ELEMENT_NODE)
            node = node.parentNode;
        return node;
    }

