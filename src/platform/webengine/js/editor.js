// The page side of the editing control.
//
// Runs in its own JavaScript world: the page's own scripts are switched off,
// so the document stays exactly as the author wrote it. The control calls
//     quorixEditor.call(name, args)  ->  {ok: true, value} | {ok: false, error}
// and hears of changes through its channel object ("control":
// displayChanged()). Ranges and elements the control holds are kept in a
// handle table until it releases them or the document is replaced.
(function () {
    'use strict';
    if (window.quorixEditor)
        return;

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

    // ---- run-time styles -------------------------------------------------
    // Shown as !important declarations in the style attribute; the author's
    // own style is put back whenever the page's HTML is read.

    const runtimeStyles = new Map(); // element -> {author: string|null, css: string}

    function declarationNames(css) {
        const probe = document.createElement('span');
        probe.style.cssText = css;
        return Array.from(probe.style);
    }

    function restoreAuthorStyle(element, record) {
        if (record.author === null)
            element.removeAttribute('style');
        else
            element.setAttribute('style', record.author);
    }

    function applyRuntimeStyle(element) {
        const record = runtimeStyles.get(element);
        internal(function () {
            if (!record.css.trim()) {
                restoreAuthorStyle(element, record);
                runtimeStyles.delete(element);
                return;
            }
            const probe = document.createElement('span');
            probe.setAttribute('style', record.author || '');
            const runtime = document.createElement('span');
            runtime.style.cssText = record.css;
            for (const name of Array.from(runtime.style))
                probe.style.setProperty(name, runtime.style.getPropertyValue(name), 'important');
            element.setAttribute('style', probe.getAttribute('style'));
        });
    }

    // The author (or an editing command) changed the style of an element
    // that shows a run-time style: keep that change as the author's style.
    function adoptAuthorStyle(element) {
        const record = runtimeStyles.get(element);
        const probe = document.createElement('span');
        probe.setAttribute('style', element.getAttribute('style') || '');
        for (const name of declarationNames(record.css))
            probe.style.removeProperty(name);
        const rest = probe.getAttribute('style') || '';
        record.author = rest.trim() ? rest : null;
        applyRuntimeStyle(element);
    }

    function withAuthorStyles(action) {
        for (const element of Array.from(runtimeStyles.keys())) {
            if (!element.isConnected)
                runtimeStyles.delete(element);
        }
        if (runtimeStyles.size === 0)
            return action();
        return internal(function () {
            for (const [element, record] of runtimeStyles)
                restoreAuthorStyle(element, record);
            try {
                return action();
            } finally {
                for (const element of Array.from(runtimeStyles.keys()))
                    applyRuntimeStyle(element);
            }
        });
    }

    // A style object: the element's own style, or its run-time layer.
    function styleAccess(element, runtime) {
        if (!runtime) {
            const record = runtimeStyles.get(element);
            if (!record) {
                return {
                    get: function () { return element.getAttribute('style') || ''; },
                    set: function (css) {
                        if (css.trim())
                            element.setAttribute('style', css);
                        else
                            element.removeAttribute('style');
                    },
                };
            }
            return {
                get: function () { return record.author || ''; },
                set: function (css) {
                    record.author = css.trim() ? css : null;
                    applyRuntimeStyle(element);
                    markEdited(); // a real edit, though made under the run-time layer
                },
            };
        }
        return {
            get: function () {
                const record = runtimeStyles.get(element);
                return record ? record.css : '';
            },
            set: function (css) {
                let record = runtimeStyles.get(element);
                if (!record) {
                    if (!css.trim())
                        return;
                    record = { author: element.getAttribute('style'), css: '' };
                    runtimeStyles.set(element, record);
                }
                record.css = css;
                applyRuntimeStyle(element);
            },
        };
    }

    function normalisedCss(css) {
        const probe = document.createElement('span');
        probe.style.cssText = css;
        return probe.style.cssText;
    }

    // ---- serialising -----------------------------------------------------

    function doctypeText(node) {
        let text = '<!DOCTYPE ' + node.name;
        if (node.publicId)
            text += ' PUBLIC "' + node.publicId + '"';
        if (node.systemId)
            text += (node.publicId ? ' "' : ' SYSTEM "') + node.systemId + '"';
        return text + '>';
    }

    // The doctype as the page wrote it, when it says the same as the one
    // the document model gives (which lower-cases the name).
    let sourceDoctype = '';

    function sameDoctype(a, b) {
        const normal = function (text) { return text.replace(/\s+/g, ' ').replace(/'/g, '"').toLowerCase(); };
        return normal(a) === normal(b);
    }

    function documentHtml() {
        return withAuthorStyles(function () {
            const parts = [];
            for (const node of document.childNodes) {
                if (node.nodeType === Node.DOCUMENT_TYPE_NODE) {
                    const text = doctypeText(node);
                    parts.push(sourceDoctype && sameDoctype(sourceDoctype, text) ? sourceDoctype : text);
                }
                else if (node.nodeType === Node.COMMENT_NODE)
                    parts.push('<!--' + node.data + '-->');
                else if (node.nodeType === Node.ELEMENT_NODE)
                    parts.push(node.outerHTML);
                else if (node.nodeType === Node.PROCESSING_INSTRUCTION_NODE)
                    parts.push('<?' + node.target + ' ' + node.data + '>');
            }
            return parts.join('\n');
        });
    }

    function fragmentHtml(fragment) {
        const holder = document.createElement('div');
        holder.appendChild(fragment);
        return holder.innerHTML;
    }

    // ---- the flattened text model ----------------------------------------
    // The body's text as one string: every character of its text nodes, and
    // "\n" for each block boundary or line break. Positions are indices into
    // it; segments map them to DOM points and back.

    const SKIPPED = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEMPLATE', 'TITLE', 'HEAD', 'SELECT', 'TEXTAREA', 'OBJECT', 'IFRAME']);
    const BLOCKS = new Set(['ADDRESS', 'ARTICLE', 'ASIDE', 'BLOCKQUOTE', 'BODY', 'CAPTION', 'CENTER', 'DD', 'DIR', 'DIV', 'DL', 'DT',
        'FIELDSET', 'FIGCAPTION', 'FIGURE', 'FOOTER', 'FORM', 'H1', 'H2', 'H3', 'H4', 'H5', 'H6', 'HEADER', 'HR', 'LI', 'MAIN',
        'MENU', 'NAV', 'OL', 'P', 'PRE', 'SECTION', 'TABLE', 'TBODY', 'TD', 'TFOOT', 'TH', 'THEAD', 'TR', 'UL']);

    function buildTextModel() {
        const segments = [];
        const byNode = new Map();
        const pieces = [];
        let length = 0;
        const body = document.body;

        function addBreak(container, offset) {
            if (segments.length === 0 || segments[segments.length - 1].node === null)
                return; // collapse runs of boundaries; none before the first text
            segments.push({ node: null, start: length, length: 1, container: container, offset: offset });
            pieces.push('\n');
            length += 1;
        }

        function walk(node) {
            for (let child = node.firstChild; child; child = child.nextSibling) {
                if (child.nodeType === Node.TEXT_NODE) {
                    if (child.data.length === 0)
                        continue;
                    const segment = { node: child, start: length, length: child.data.length };
                    segments.push(segment);
                    byNode.set(child, segment);
                    pieces.push(child.data);
                    length += child.data.length;
                } else if (child.nodeType === Node.ELEMENT_NODE) {
                    const tag = child.tagName.toUpperCase();
                    if (SKIPPED.has(tag))
                        continue;
                    if (tag === 'BR') {
                        const index = Array.prototype.indexOf.call(node.childNodes, child);
                        addBreak(node, index);
                        continue;
                    }
                    const block = BLOCKS.has(tag);
                    if (block)
                        addBreak(child, 0);
                    walk(child);
                    if (block)
                        addBreak(child, child.childNodes.length);
                }
            }
        }

        if (body)
            walk(body);
        // A trailing boundary has no text after it.
        while (segments.length > 0 && segments[segments.length - 1].node === null) {
            segments.pop();
            pieces.pop();
            length -= 1;
        }
        return { segments: segments, byNode: byNode, text: pieces.join(''), length: length };
    }

    function model() {
        flushRecords();
        if (textModel === null)
            textModel = buildTextModel();
        return textModel;
    }

    const probeRange = document.createRange();

    function segmentPoint(segment) {
        return segment.node ? [segment.node, 0] : [segment.container, segment.offset];
    }

    function comparePoints(containerA, offsetA, containerB, offsetB) {
        probeRange.setStart(containerA, offsetA);
        probeRange.collapse(true);
        return -probeRange.comparePoint(containerB, offsetB);
    }

    function indexOfPoint(m, container, offset) {
        const direct = container.nodeType === Node.TEXT_NODE ? m.byNode.get(container) : undefined;
        if (direct)
            return direct.start + Math.max(0, Math.min(offset, direct.length));
        // The first segment that starts at or after the point.
        let low = 0;
        let high = m.segments.length;
        while (low < high) {
            const middle = (low + high) >> 1;
            const [segmentContainer, segmentOffset] = segmentPoint(m.segments[middle]);
            if (comparePoints(container, offset, segmentContainer, segmentOffset) > 0)
                low = middle + 1;
            else
                high = middle;
        }
        return low < m.segments.length ? m.segments[low].start : m.length;
    }

    function segmentAt(m, index) {
        let low = 0;
        let high = m.segments.length - 1;
        while (low < high) {
            const middle = (low + high + 1) >> 1;
            if (m.segments[middle].start <= index)
                low = middle;
            else
                high = middle - 1;
        }
        return low;
    }

    function pointAt(m, index) {
        if (m.segments.length === 0)
            return [document.body, 0];
        if (index >= m.length) {
            const last = m.segments[m.segments.length - 1];
            return [last.node, last.length];
        }
        const at = segmentAt(m, Math.max(0, index));
        const segment = m.segments[at];
        if (segment.node)
            return [segment.node, index - segment.start];
        const previous = at > 0 ? m.segments[at - 1] : null;
        if (previous && previous.node)
            return [previous.node, previous.length];
        return [segment.container, segment.offset];
    }

    function rangeIndices(range) {
        const m = model();
        return [indexOfPoint(m, range.startContainer, range.startOffset),
            indexOfPoint(m, range.endContainer, range.endOffset)];
    }

    function setRangeIndices(range, start, end) {
        const m = model();
        const [startContainer, startOffset] = pointAt(m, start);
        const [endContainer, endOffset] = pointAt(m, end);
        range.setStart(startContainer, startOffset);
        range.setEnd(endContainer, endOffset);
    }

    const WORD = 1;
    const SPACE = 2;
    const MARK = 3;
    const wordCharacter = /[\p{L}\p{N}\p{M}_]/u;

    function category(text, index) {
        const ch = text[index];
        if (wordCharacter.test(ch))
            return WORD;
        if ((ch === '\'' || ch === '\u2019') && index > 0 && index + 1 < text.length
            && wordCharacter.test(text[index - 1]) && wordCharacter.test(text[index + 1]))
            return WORD; // "don't" is one word
        if (/\s/.test(ch) || ch === '\u00a0')
            return SPACE;
        return MARK;
    }

    function nextWordStart(text, index) {
        const end = text.length;
        if (index >= end)
            return end;
        const kind = category(text, index);
        if (kind === WORD) {
            while (index < end && category(text, index) === WORD)
                index++;
        } else if (kind === MARK) {
            index++;
        }
        while (index < end && category(text, index) === SPACE)
            index++;
        return index;
    }

    function previousWordStart(text, index) {
        if (index <= 0)
            return 0;
        while (index > 0 && category(text, index - 1) === SPACE)
            index--;
        if (index > 0 && category(text, index - 1) === WORD) {
            while (index > 0 && category(text, index - 1) === WORD)
                index--;
        } else if (index > 0) {
            index--;
        }
        return index;
    }

    // Moves a position by units; answers [new position, units moved].
    function movePosition(position, unit, count) {
        const m = model();
        let moved = 0;
        const unitName = String(unit).toLowerCase();
        if (unitName !== 'character' && unitName !== 'word')
            throw new Error('unknown unit ' + unit);
        while (moved !== count) {
            const forward = count > 0;
            let next;
            if (unitName === 'character')
                next = forward ? Math.min(position + 1, m.length) : Math.max(position - 1, 0);
            else
                next = forward ? nextWordStart(m.text, position) : previousWordStart(m.text, position);
            if (next === position)
                break;
            position = next;
            moved += forward ? 1 : -1;
        }
        return [position, moved];
    }

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

    // ---- show borders / details ------------------------------------------

    let viewSheet = null;

    function setView(showBorders, showDetails) {
        let css = '';
        if (showBorders) {
            css += 'table:not([border]), table[border="0"], table:not([border]) > * > tr > td, table[border="0"] > * > tr > td,'
                + ' table:not([border]) > * > tr > th, table[border="0"] > * > tr > th'
                + ' { outline: 1px dashed #a8a8a8; outline-offset: -1px; }\n';
        }
        if (showDetails) {
            css += 'p, div, h1, h2, h3, h4, h5, h6, pre, address, blockquote, li, dd, dt'
                + ' { outline: 1px dotted #8fb0d8; }\n';
        }
        if (viewSheet === null) {
            viewSheet = new CSSStyleSheet();
            document.adoptedStyleSheets = document.adoptedStyleSheets.concat([viewSheet]);
        }
        viewSheet.replaceSync(css);
    }

    // ---- the calls -----------------------------------------------------------

    const calls = {
        init: function (showBorders, showDetails, wasDirty, doctype) {
            sourceDoctype = String(doctype || '');
            document.designMode = 'on';
            document.execCommand('styleWithCSS', false, false);
            document.execCommand('defaultParagraphSeparator', false, 'p');
            setView(showBorders, showDetails);
            observer = new MutationObserver(function (records) {
                if (internalDepth === 0)
                    handleRecords(records);
            });
            observer.observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
            document.addEventListener('selectionchange', notify);
            // Quorix keeps its own history: the browser's undo never runs.
            document.addEventListener('beforeinput', function (event) {
                if (event.inputType === 'historyUndo' || event.inputType === 'historyRedo')
                    event.preventDefault();
            }, true);
            document.addEventListener('keydown', function (event) {
                const key = event.key.toLowerCase();
                if ((event.ctrlKey || event.metaKey) && (key === 'z' || key === 'y'))
                    event.preventDefault();
            }, true);
            dirty = Boolean(wasDirty);
            return true;
        },
        release: function (handles) {
            for (const handle of handles)
                objects.delete(handle);
        },
        documentHtml: documentHtml,
        isDirty: function () {
            flushRecords();
            return dirty;
        },
        setView: setView,
        status: function (id) {
            const command = commands[id];
            if (!command)
                return NOT_SUPPORTED;
            return editable() ? command.status() : DISABLED;
        },
        exec: function (id, value) {
            const command = commands[id];
            if (!command || !editable())
                return false;
            return command.run(value);
        },
        // The current values of the font dialog.
        fontState: function () {
            const range = selectionRange();
            const element = range ? elementAround(range.startContainer) : null;
            if (!element)
                return null;
            return {
                family: cleanFontName(getComputedStyle(element).fontFamily),
                size: fontSizeOf(element),
                bold: isBold(element),
                italic: isItalic(element),
                underline: isUnderlined(element),
            };
        },
        find: function (text, matchCase, backwards) {
            return window.find(text, Boolean(matchCase), Boolean(backwards), true, false, false, false);
        },

        // Document
        selectionType: selectionType,
        selectionRange: function () {
            const range = selectionRange();
            if (range)
                return keep({ kind: 'text', range: range.cloneRange() });
            const start = document.createRange();
            start.setStart(document.body || document.documentElement, 0);
            return keep({ kind: 'text', range: start });
        },
        controlRange: function () {
            const control = selectedControl(selectionRange());
            return control ? keep({ kind: 'control', items: [control] }) : 0;
        },
        body: function () { return keep(document.body); },
        elementsByTagName: function (name) {
            return Array.from(document.getElementsByTagName(name)).map(keep);
        },

        // Text ranges
        rangeText: function (h) { return textRangeOf(h).range.toString(); },
        rangeSetText: function (h, text) {
            const range = textRangeOf(h).range;
            range.deleteContents();
            if (text.length > 0) {
                const node = document.createTextNode(text);
                range.insertNode(node);
                range.selectNodeContents(node);
            }
            return true;
        },
        rangeHtml: function (h) {
            const range = textRangeOf(h).range;
            return withAuthorStyles(function () { return fragmentHtml(range.cloneContents()); });
        },
        rangePaste: function (h, html) {
            const range = textRangeOf(h).range;
            range.deleteContents();
            const fragment = range.createContextualFragment(html);
            const last = fragment.lastChild;
            range.insertNode(fragment);
            if (last)
                range.setStartAfter(last);
            range.collapse(true);
            return true;
        },
        rangeCollapse: function (h, toStart) { textRangeOf(h).range.collapse(Boolean(toStart)); return true; },
        rangeMoveStart: function (h, unit, count) {
            const range = textRangeOf(h).range;
            const [start, end] = rangeIndices(range);
            const [position, moved] = movePosition(start, unit, count);
            setRangeIndices(range, position, Math.max(position, end));
            return moved;
        },
        rangeMoveEnd: function (h, unit, count) {
            const range = textRangeOf(h).range;
            const [start, end] = rangeIndices(range);
            const [position, moved] = movePosition(end, unit, count);
            setRangeIndices(range, Math.min(start, position), position);
            return moved;
        },
        rangeParent: function (h) {
            const range = textRangeOf(h).range;
            const control = selectedControl(range);
            return keep(control ? control.parentElement : elementAround(range.commonAncestorContainer));
        },
        rangeDuplicate: function (h) { return keep({ kind: 'text', range: textRangeOf(h).range.cloneRange() }); },
        rangeInRange: function (h, other) {
            const outer = textRangeOf(h).range;
            const inner = textRangeOf(other).range;
            return outer.compareBoundaryPoints(Range.START_TO_START, inner) <= 0
                && outer.compareBoundaryPoints(Range.END_TO_END, inner) >= 0;
        },
        rangeBookmark: function (h) {
            const [start, end] = rangeIndices(textRangeOf(h).range);
            return 'quorix:' + start + ':' + end;
        },
        rangeMoveToBookmark: function (h, bookmark) {
            const match = /^quorix:(\d+):(\d+)$/.exec(String(bookmark));
            if (!match)
                return false;
            const length = model().length;
            const start = Math.min(Number(match[1]), length);
            const end = Math.min(Math.max(Number(match[2]), start), length);
            setRangeIndices(textRangeOf(h).range, start, end);
            return true;
        },
        rangeSelect: function (h) { selectRange(textRangeOf(h).range.cloneRange()); return true; },

        // Control ranges
        controlLength: function (h) { return controlRangeOf(h).items.length; },
        controlItem: function (h, index) { return keep(controlRangeOf(h).items[index] || null); },
        controlCommonParent: function (h) {
            const items = controlRangeOf(h).items;
            if (items.length === 1)
                return keep(items[0]);
            const range = document.createRange();
            range.setStartBefore(items[0]);
            range.setEndAfter(items[items.length - 1]);
            return keep(elementAround(range.commonAncestorContainer));
        },

        // Elements
        tagName: function (h) { return elementOf(h).tagName.toUpperCase(); },
        parentElement: function (h) { return keep(elementOf(h).parentElement); },
        hasAttribute: function (h, name) { return elementOf(h).hasAttribute(name); },
        getAttribute: function (h, name) {
            const element = elementOf(h);
            if (name.toLowerCase() === 'style')
                return styleAccess(element, false).get();
            return element.getAttribute(name) || '';
        },
        setAttribute: function (h, name, value) {
            const element = elementOf(h);
            if (name.toLowerCase() === 'style')
                styleAccess(element, false).set(String(value));
            else
                element.setAttribute(name, String(value));
            return true;
        },
        removeAttribute: function (h, name) {
            const element = elementOf(h);
            const had = element.hasAttribute(name);
            if (name.toLowerCase() === 'style')
                styleAccess(element, false).set('');
            else
                element.removeAttribute(name);
            return had;
        },
        getProperty: function (h, name) {
            const value = elementOf(h)[name];
            if (value === null || value === undefined)
                return '';
            if (typeof value === 'object' || typeof value === 'function')
                throw new Error('property ' + name + ' is not a plain value');
            return value;
        },
        setProperty: function (h, name, value) { elementOf(h)[name] = value; return true; },
        innerHTML: function (h) {
            const element = elementOf(h);
            return withAuthorStyles(function () { return element.innerHTML; });
        },
        setInnerHTML: function (h, html) { elementOf(h).innerHTML = html; return true; },
        outerHTML: function (h) {
            const element = elementOf(h);
            return withAuthorStyles(function () { return element.outerHTML; });
        },
        setOuterHTML: function (h, html) {
            const element = elementOf(h);
            if (!element.parentNode)
                throw new Error('the element is not part of the page');
            element.outerHTML = html;
            objects.delete(h);
            return true;
        },
        innerText: function (h) { return elementOf(h).innerText; },
        setInnerText: function (h, text) { elementOf(h).innerText = text; return true; },
        styleGet: function (h, runtime, name) {
            const element = elementOf(h);
            const probe = document.createElement('span');
            probe.style.cssText = styleAccess(element, runtime).get();
            return name === null ? probe.style.cssText : probe.style.getPropertyValue(name);
        },
        styleSetCss: function (h, runtime, css) {
            styleAccess(elementOf(h), runtime).set(normalisedCss(css));
            return true;
        },
        styleSetProperty: function (h, runtime, name, value) {
            const element = elementOf(h);
            const access = styleAccess(element, runtime);
            const probe = document.createElement('span');
            probe.style.cssText = access.get();
            if (value === null)
                probe.style.removeProperty(name);
            else
                probe.style.setProperty(name, value);
            access.set(probe.style.cssText);
            return true;
        },
        createTextRange: function (h) {
            const range = document.createRange();
            range.selectNodeContents(elementOf(h));
            return keep({ kind: 'text', range: range });
        },
        href: function (h) {
            const element = elementOf(h);
            return element.hasAttribute('href') ? element.href : '';
        },
        rows: function (h) { return Array.from(elementOf(h).rows || []).map(keep); },
        insertRow: function (h, index) { return keep(elementOf(h).insertRow(index)); },
        cells: function (h) { return Array.from(elementOf(h).cells || []).map(keep); },
        insertCell: function (h, index) { return keep(elementOf(h).insertCell(index)); },
    };

    function call(name, args) {
        try {
            const action = calls[name];
            if (!action)
                throw new Error('unknown call ' + name);
            flushRecords();
            const value = action.apply(null, args || []);
            return { ok: true, value: value === undefined ? null : value };
        } catch (error) {
            return { ok: false, error: String(error && error.message ? error.message : error) };
        }
    }

    window.quorixEditor = { call: call };

    if (typeof QWebChannel !== 'undefined' && typeof qt !== 'undefined' && qt.webChannelTransport) {
        new QWebChannel(qt.webChannelTransport, function (webChannel) {
            channel = webChannel.objects.control;
        });
    }
})();
