    // ---- commands ----------------------------------------------------------

    const NOT_SUPPORTED = 0;
    const DISABLED = 1;
    const ENABLED = 3;
    const LATCHED = 7;
    const NINCHED = 11;

    const BLOCK_FORMATS = [
        ['Normal', 'P'], ['Formatted', 'PRE'], ['Address', 'ADDRESS'],
        ['Heading 1', 'H1'], ['Heading 2', 'H2'], ['Heading 3', 'H3'],
        ['Heading 4', 'H4'], ['Heading 5', 'H5'], ['Heading 6', 'H6'],
        ['Numbered List', 'OL'], ['Bulleted List', 'UL'],
        ['Definition Term', 'DT'], ['Definition', 'DD'], ['Normal (DIV)', 'DIV'],
    ];

    function editable() {
        return document.designMode === 'on' && document.body !== null;
    }

    function hasSelection() {
        return selectionRange() !== null;
    }

    function hasContent() {
        const range = selectionRange();
        return range !== null && !range.collapsed;
    }

    // While a state record is made, every status asks for the same list.
    let textElementsCache = null;

    function selectedTextElements(range) {
        if (textElementsCache === null)
            return findSelectedTextElements(range);
        const key = [range.startContainer, range.startOffset, range.endContainer, range.endOffset];
        const hit = textElementsCache.find(function (entry) { return entry.key.every(function (v, i) { return v === key[i]; }); });
        if (hit)
            return hit.elements;
        const elements = findSelectedTextElements(range);
        textElementsCache.push({ key: key, elements: elements });
        return elements;
    }

    function findSelectedTextElements(range) {
        const result = [];
        if (range.collapsed)
            return result;
        const root = range.commonAncestorContainer;
        if (root.nodeType === Node.TEXT_NODE) {
            if (/\S/.test(root.data))
                result.push(root.parentElement);
            return result;
        }
        const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
        for (let node = walker.nextNode(); node && result.length < 5000; node = walker.nextNode()) {
            if (!range.intersectsNode(node) || !/\S/.test(node.data))
                continue;
            if (node === range.endContainer && range.endOffset === 0)
                continue;
            if (node === range.startContainer && range.startOffset >= node.data.length)
                continue;
            if (node.parentElement && !SKIPPED.has(node.parentElement.tagName.toUpperCase()))
                result.push(node.parentElement);
        }
        return result;
    }

    function isBold(element) {
        const weight = getComputedStyle(element).fontWeight;
        return weight === 'bold' || weight === 'bolder' || Number(weight) >= 600;
    }

    function isItalic(element) {
        const style = getComputedStyle(element).fontStyle;
        return style === 'italic' || style === 'oblique';
    }

    function isUnderlined(element) {
        for (let node = element; node && node !== document.documentElement; node = node.parentElement) {
            if (getComputedStyle(node).textDecorationLine.indexOf('underline') >= 0)
                return true;
        }
        return false;
    }

    // On (7), off (3) or mixed (11) over the selected text; at a caret the
    // browser's own state, which knows the style typing would take.
    function inlineStatus(command, test) {
        const range = selectionRange();
        if (!range)
            return DISABLED;
        const elements = selectedTextElements(range);
        if (elements.length === 0)
            return document.queryCommandState(command) ? LATCHED : ENABLED;
        let on = 0;
        for (const element of elements) {
            if (test(element))
                on++;
        }
        if (on === elements.length)
            return LATCHED;
        return on === 0 ? ENABLED : NINCHED;
    }

    function stateStatus(command) {
        if (!hasSelection())
            return DISABLED;
        if (!document.queryCommandEnabled(command))
            return DISABLED;
        return document.queryCommandState(command) ? LATCHED : ENABLED;
    }

    function enabledStatus(command) {
        if (!hasSelection())
            return DISABLED;
        return document.queryCommandEnabled(command) ? ENABLED : DISABLED;
    }

    function blockOf(node) {
        for (let element = elementAround(node); element && element !== document.body; element = element.parentElement) {
            const tag = element.tagName.toUpperCase();
            if (tag === 'LI') {
                const list = element.parentElement;
                return list && list.tagName.toUpperCase() === 'OL' ? 'OL' : 'UL';
            }
            if (BLOCK_FORMATS.some(function (entry) { return entry[1] === tag; }))
                return tag;
            if (BLOCKS.has(tag))
                return 'P'; // a table cell, a blockquote: no format of its own
        }
        return 'P';
    }

    function blockFormatName(tag) {
        const entry = BLOCK_FORMATS.find(function (e) { return e[1] === tag; });
        return entry ? entry[0] : 'Normal';
    }

    function selectedBlocks(range) {
        const tags = new Set([blockOf(range.startContainer)]);
        if (!range.collapsed) {
            tags.add(blockOf(range.endContainer));
            for (const element of selectedTextElements(range))
                tags.add(blockOf(element));
        }
        return tags;
    }

    function blockStatus() {
        const range = selectionRange();
        if (!range)
            return DISABLED;
        return selectedBlocks(range).size > 1 ? NINCHED : ENABLED;
    }

    function cleanFontName(value) {
        return String(value || '').split(',')[0].trim().replace(/^["']|["']$/g, '');
    }

    function valueStatus(read) {
        const range = selectionRange();
        if (!range)
            return DISABLED;
        const elements = selectedTextElements(range);
        const values = new Set(elements.map(read));
        return values.size > 1 ? NINCHED : ENABLED;
    }

    function fontSizeOf(element) {
        const pixels = parseFloat(getComputedStyle(element).fontSize);
        // The seven sizes of <font size>: 10, 13, 16, 18, 24, 32, 48 pixels.
        const steps = [10, 13, 16, 18, 24, 32, 48];
        let best = 1;
        for (let i = 0; i < steps.length; i++) {
            if (Math.abs(steps[i] - pixels) < Math.abs(steps[best - 1] - pixels))
                best = i + 1;
        }
        return best;
    }

    function currentCell() {
        const range = selectionRange();
        return range ? cellOf(range.startContainer) : null;
    }

    function tableStatus() {
        return currentCell() ? ENABLED : DISABLED;
    }

    // Chromium makes a list inside the paragraph it was made from, which the
    // parser would break apart when the page is loaded again: the list goes
    // between the paragraph's parts before and after it, the selection kept.
    function liftListsOutOfParagraphs() {
        const lists = document.querySelectorAll('p > ol, p > ul');
        if (lists.length === 0)
            return;
        const selection = document.getSelection();
        const points = selection && selection.rangeCount > 0
            ? [selection.anchorNode, selection.anchorOffset, selection.focusNode, selection.focusOffset] : null;
        const blank = function (element) {
            return !Array.from(element.childNodes).some(function (node) {
                return node.nodeType !== Node.TEXT_NODE || /\S/.test(node.data);
            });
        };
        for (const list of Array.from(lists)) {
            const paragraph = list.parentNode;
            const rest = paragraph.cloneNode(false);
            while (list.nextSibling)
                rest.appendChild(list.nextSibling);
            paragraph.parentNode.insertBefore(list, paragraph.nextSibling);
            list.parentNode.insertBefore(rest, list.nextSibling);
            if (blank(rest))
                rest.remove();
            if (blank(paragraph))
                paragraph.remove();
        }
        if (points && points[0].isConnected && points[2].isConnected)
            selection.setBaseAndExtent(points[0], points[1], points[2], points[3]);
    }

    function listCommand(name) {
        const done = document.execCommand(name, false, null);
        liftListsOutOfParagraphs();
        return done;
    }

    function setBlockFormat(name) {
        const entry = BLOCK_FORMATS.find(function (e) { return e[0] === name; });
        if (!entry)
            return false;
        const range = selectionRange();
        const current = range ? blockOf(range.startContainer) : 'P';
        const listCommands = { OL: 'insertOrderedList', UL: 'insertUnorderedList' };
        if (entry[1] in listCommands) {
            if (current === entry[1])
                return true;
            return listCommand(listCommands[entry[1]]);
        }
        if (current in listCommands)
            listCommand(listCommands[current]); // leave the list first
        return document.execCommand('formatBlock', false, entry[1].toLowerCase());
    }

    // Commands that only read: running them changes nothing.
    const READ_COMMANDS = new Set([5011, 5012, 5013, 5014]);

    function execute(name, value) {
        return document.execCommand(name, false, value === undefined ? null : value);
    }

    const commands = {
        5000: { status: function () { return inlineStatus('bold', isBold); }, run: function () { return execute('bold'); } },
        5002: { status: function () { return hasContent() ? ENABLED : DISABLED; }, run: function () { return execute('copy'); } },
        5003: { status: function () { return hasContent() ? ENABLED : DISABLED; }, run: function () { return execute('cut'); } },
        5004: { status: function () { return hasContent() ? ENABLED : DISABLED; }, run: function () { return execute('delete'); } },
        5006: { status: tableStatus, run: deleteColumns },
        5007: { status: tableStatus, run: deleteRows },
        5008: { status: function () { return ENABLED; }, run: function () { return false; } }, // the control's dialog
        5009: { status: function () { return hasSelection() ? ENABLED : DISABLED; }, run: function () { return false; } },
        5011: {
            status: function () { return hasSelection() ? ENABLED : DISABLED; },
            run: function () {
                const range = selectionRange();
                return blockFormatName(range ? blockOf(range.startContainer) : 'P');
            },
        },
        5012: { status: function () { return ENABLED; }, run: function () { return BLOCK_FORMATS.map(function (e) { return e[0]; }); } },
        5013: {
            status: function () { return hasSelection() ? ENABLED : DISABLED; },
            run: function () { return cleanFontName(document.queryCommandValue('fontName')); },
        },
        5014: {
            status: function () { return hasSelection() ? ENABLED : DISABLED; },
            run: function () {
                const range = selectionRange();
                if (!range)
                    return 0;
                const element = elementAround(range.startContainer);
                return element ? fontSizeOf(element) : 0;
            },
        },
        5018: { status: function () { return enabledStatus('indent'); }, run: function () { return execute('indent'); } },
        5020: { status: tableStatus, run: insertColumnLeft },
        5021: { status: tableStatus, run: insertRowAbove },
        5023: { status: function () { return inlineStatus('italic', isItalic); }, run: function () { return execute('italic'); } },
        5024: { status: function () { return stateStatus('justifyCenter'); }, run: function () { return execute('justifyCenter'); } },
        5025: { status: function () { return stateStatus('justifyLeft'); }, run: function () { return execute('justifyLeft'); } },
        5026: { status: function () { return stateStatus('justifyRight'); }, run: function () { return execute('justifyRight'); } },
        5030: { status: function () { return stateStatus('insertOrderedList'); }, run: function () { return listCommand('insertOrderedList'); } },
        5031: { status: function () { return enabledStatus('outdent'); }, run: function () { return execute('outdent'); } },
        5032: { status: function () { return hasSelection() ? ENABLED : DISABLED; }, run: function () { return execute('paste'); } },
        5034: { status: function () { return hasSelection() ? ENABLED : DISABLED; }, run: function () { return execute('removeFormat'); } },
        5035: { status: function () { return ENABLED; }, run: function () { return execute('selectAll'); } },
        5042: { status: function () { return hasSelection() ? ENABLED : DISABLED; }, run: function (value) { return execute('backColor', value); } },
        5043: { status: blockStatus, run: function (value) { return setBlockFormat(String(value)); } },
        5044: {
            status: function () { return valueStatus(function (e) { return cleanFontName(getComputedStyle(e).fontFamily); }); },
            run: function (value) { return execute('fontName', String(value)); },
        },
        5045: { status: function () { return valueStatus(fontSizeOf); }, run: function (value) { return execute('fontSize', String(value)); } },
        5046: { status: function () { return hasSelection() ? ENABLED : DISABLED; }, run: function (value) { return execute('foreColor', value); } },
        5048: { status: function () { return inlineStatus('underline', isUnderlined); }, run: function () { return execute('underline'); } },
        5051: { status: function () { return stateStatus('insertUnorderedList'); }, run: function () { return listCommand('insertUnorderedList'); } },
    };

