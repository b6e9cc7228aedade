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

    function selectedTextElements(range) {
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
        if (!range)
            return null;
        return cellOf(range.startContainer);
    }

    function cellOf(node) {
        for (let element = elementAround(node); element && element !== document.body; element = element.parentElement) {
            const tag = element.tagName.toUpperCase();
            if (tag === 'TD' || tag === 'TH')
                return element;
        }
        return null;
    }

    function tableStatus() {
        return currentCell() ? ENABLED : DISABLED;
    }

    function fillCell(cell) {
        cell.innerHTML = '&nbsp;';
    }

    function insertRowAbove() {
        const cell = currentCell();
        if (!cell)
            return false;
        const row = cell.parentElement;
        const section = row.parentElement;
        const newRow = section.insertRow(row.sectionRowIndex);
        for (const model of Array.from(row.cells)) {
            const newCell = newRow.insertCell(-1);
            if (model.colSpan > 1)
                newCell.colSpan = model.colSpan;
            fillCell(newCell);
        }
        return true;
    }

    function tableOf(cell) {
        let element = cell.parentElement;
        while (element && element.tagName.toUpperCase() !== 'TABLE')
            element = element.parentElement;
        return element;
    }

    function insertColumnLeft() {
        const cell = currentCell();
        if (!cell)
            return false;
        const index = cell.cellIndex;
        for (const row of Array.from(tableOf(cell).rows))
            fillCell(row.insertCell(Math.min(index, row.cells.length)));
        return true;
    }

    function removeEmptyTable(table) {
        if (table.rows.length === 0)
            table.remove();
    }

    function deleteRows() {
        const range = selectionRange();
        const first = currentCell();
        if (!first)
            return false;
        const last = cellOf(range.endContainer) || first;
        const table = tableOf(first);
        const from = first.parentElement.rowIndex;
        const to = tableOf(last) === table ? Math.max(from, last.parentElement.rowIndex) : from;
        for (let index = to; index >= from; index--)
            table.deleteRow(index);
        removeEmptyTable(table);
        return true;
    }

    function deleteColumns() {
        const range = selectionRange();
        const first = currentCell();
        if (!first)
            return false;
        const last = cellOf(range.endContainer) || first;
        const table = tableOf(first);
        let from = first.cellIndex;
        let to = from;
        if (last.parentElement === first.parentElement)
            to = Math.max(from, last.cellIndex);
        for (const row of Array.from(table.rows)) {
            for (let index = Math.min(to, row.cells.length - 1); index >= from; index--)
                row.deleteCell(index);
            if (row.cells.length === 0)
                row.remove();
        }
        removeEmptyTable(table);
        return true;
    }

    function setBlockFormat(name) {
        const entry = BLOCK_FORMATS.find(function (e) { return e[0] === name; });
        if (!entry)
            return false;
        const range = selectionRange();
        const current = range ? blockOf(range.startContainer) : 'P';
        const listCommand = { OL: 'insertOrderedList', UL: 'insertUnorderedList' };
        if (entry[1] in listCommand) {
            if (current === entry[1])
                return true;
            return document.execCommand(listCommand[entry[1]], false, null);
        }
        if (current in listCommand)
            document.execCommand(listCommand[current], false, null); // leave the list first
        return document.execCommand('formatBlock', false, entry[1].toLowerCase());
    }

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
        5030: { status: function () { return stateStatus('insertOrderedList'); }, run: function () { return execute('insertOrderedList'); } },
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
        5051: { status: function () { return stateStatus('insertUnorderedList'); }, run: function () { return execute('insertUnorderedList'); } },
    };

