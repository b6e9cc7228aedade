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

