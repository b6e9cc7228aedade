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


    // ---- bookmarks ---------------------------------------------------------
    // A point as the parser rebuilds it from the page's text: a path of child
    // indices from the root element, where a run of adjacent text nodes
    // counts as one child and an empty text node not at all, and an offset
    // (characters into a text run, children into an element). A bookmark
    // taken on the edited page so finds its place again in the page loaded
    // from a snapshot of its HTML, even where editing split a text node.

    const BOOKMARK_PREFIX = 'quorix-path:';

    function isFilledText(node) {
        return node.nodeType === Node.TEXT_NODE && node.data.length > 0;
    }

    // The parent's children as the parser would make them: [{nodes: [...]}],
    // one entry per element, comment or run of text.
    function logicalChildren(parent) {
        const result = [];
        let run = null;
        for (let child = parent.firstChild; child; child = child.nextSibling) {
            if (child.nodeType === Node.TEXT_NODE) {
                if (child.data.length === 0)
                    continue;
                if (run === null) {
                    run = { nodes: [] };
                    result.push(run);
                }
                run.nodes.push(child);
            } else {
                run = null;
                result.push({ nodes: [child] });
            }
        }
        return result;
    }

    // How many logical children come before the child position `offset`.
    function logicalCount(parent, offset) {
        let count = 0;
        let inRun = false;
        let child = parent.firstChild;
        for (let index = 0; child && index < offset; index++, child = child.nextSibling) {
            if (child.nodeType === Node.TEXT_NODE) {
                if (child.data.length > 0 && !inRun) {
                    count++;
                    inRun = true;
                }
            } else {
                count++;
                inRun = false;
            }
        }
        return count;
    }

    function logicalIndex(node) {
        // A piece of text counts as the run it belongs to.
        let first = node;
        if (node.nodeType === Node.TEXT_NODE) {
            while (first.previousSibling && first.previousSibling.nodeType === Node.TEXT_NODE)
                first = first.previousSibling;
        }
        return logicalCount(first.parentNode, Array.prototype.indexOf.call(first.parentNode.childNodes, first));
    }

    // The nearest sibling from `node` on, itself included, that is not an
    // empty text node.
    function filledNeighbour(node, forward) {
        while (node && node.nodeType === Node.TEXT_NODE && node.data.length === 0)
            node = forward ? node.nextSibling : node.previousSibling;
        return node;
    }

    // [path, offset] of a DOM point.
    function pointBookmark(container, offset) {
        if (container.nodeType === Node.TEXT_NODE && container.data.length === 0) {
            offset = Array.prototype.indexOf.call(container.parentNode.childNodes, container);
            container = container.parentNode;
        }
        if (container.nodeType !== Node.TEXT_NODE && container.nodeType !== Node.ELEMENT_NODE) {
            offset = Array.prototype.indexOf.call(container.parentNode.childNodes, container);
            container = container.parentNode;
        }
        if (container.nodeType === Node.ELEMENT_NODE) {
            // Between two pieces of one text run: a point inside the run.
            const before = filledNeighbour(container.childNodes[offset - 1] || null, false);
            const after = filledNeighbour(container.childNodes[offset] || null, true);
            if (before && after && isFilledText(before) && isFilledText(after)) {
                container = after;
                offset = 0;
            }
        }
        let characters = offset;
        if (container.nodeType === Node.TEXT_NODE) {
            for (let node = container.previousSibling; node && node.nodeType === Node.TEXT_NODE; node = node.previousSibling)
                characters += node.data.length;
        } else {
            characters = logicalCount(container, offset);
        }
        const path = [];
        const root = document.documentElement;
        for (let node = container; node && node !== root; node = node.parentNode) {
            if (!node.parentNode)
                return null; // not in the document
            path.unshift(logicalIndex(node));
        }
        return [path, characters];
    }

    // The DOM point of [path, offset], as near as the page allows.
    function bookmarkPoint(path, offset) {
        let node = document.documentElement;
        let run = null;
        for (const index of path) {
            const children = logicalChildren(node);
            if (index >= children.length)
                return [node, node.childNodes.length];
            const child = children[index];
            if (child.nodes[0].nodeType === Node.TEXT_NODE) {
                run = child.nodes;
                break;
            }
            node = child.nodes[0];
        }
        if (run !== null) {
            let rest = Math.max(0, offset);
            for (const text of run) {
                if (rest <= text.data.length)
                    return [text, rest];
                rest -= text.data.length;
            }
            const last = run[run.length - 1];
            return [last, last.data.length];
        }
        if (node.nodeType !== Node.ELEMENT_NODE)
            return [node.parentNode, Array.prototype.indexOf.call(node.parentNode.childNodes, node)];
        const children = logicalChildren(node);
        if (offset >= children.length)
            return [node, node.childNodes.length];
        return [node, Array.prototype.indexOf.call(node.childNodes, children[Math.max(0, offset)].nodes[0])];
    }

    function rangeBookmarkText(range) {
        const start = pointBookmark(range.startContainer, range.startOffset);
        const end = pointBookmark(range.endContainer, range.endOffset);
        if (!start || !end)
            return '';
        return BOOKMARK_PREFIX + JSON.stringify({
            s: start[0], so: start[1], e: end[0], eo: end[1],
            x: Math.round(window.scrollX), y: Math.round(window.scrollY),
        });
    }

    // {range, scroll} of a bookmark, or null when it is none.
    function bookmarkRange(bookmark) {
        const text = String(bookmark);
        if (!text.startsWith(BOOKMARK_PREFIX))
            return null;
        let mark;
        try {
            mark = JSON.parse(text.substring(BOOKMARK_PREFIX.length));
        } catch (error) {
            return null;
        }
        const numbers = function (list) { return Array.isArray(list) && list.every(Number.isInteger); };
        if (!mark || !numbers(mark.s) || !numbers(mark.e) || !Number.isInteger(mark.so) || !Number.isInteger(mark.eo))
            return null;
        const range = document.createRange();
        const [startContainer, startOffset] = bookmarkPoint(mark.s, mark.so);
        const [endContainer, endOffset] = bookmarkPoint(mark.e, mark.eo);
        range.setStart(startContainer, startOffset);
        range.setEnd(endContainer, endOffset); // before the start: the range collapses there
        return { range: range, scroll: [Number(mark.x) || 0, Number(mark.y) || 0] };
    }

    function selectWithScroll(range, scroll) {
        selectRange(range);
        if (scroll)
            window.scrollTo(scroll[0], scroll[1]);
    }
