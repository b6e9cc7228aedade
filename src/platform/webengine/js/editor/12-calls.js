    // ---- the calls -----------------------------------------------------------

    const calls = {
        init: function (showBorders, showDetails, wasDirty, doctype, generation, explicitBodies) {
            sourceDoctype = String(doctype || '');
            pageGeneration = Number(generation) || 0;
            noteImpliedBodies(explicitBodies);
            document.designMode = 'on';
            document.execCommand('styleWithCSS', false, false);
            document.execCommand('defaultParagraphSeparator', false, 'p');
            setView(showBorders, showDetails);
            observer = new MutationObserver(function (records) {
                if (internalDepth === 0)
                    handleRecords(records);
            });
            observer.observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
            document.addEventListener('selectionchange', schedulePush);
            document.addEventListener('input', schedulePush, true);
            // Quorix keeps its own history: the browser's undo never runs.
            document.addEventListener('beforeinput', function (event) {
                if (event.inputType === 'historyUndo' || event.inputType === 'historyRedo')
                    event.preventDefault();
            }, true);
            document.addEventListener('keydown', function (event) {
                // The control waits for this count before it reads the page;
                // the record that carries it comes with what the key did,
                // or with its release when it did nothing.
                keysTaken++;
                const key = event.key.toLowerCase();
                if ((event.ctrlKey || event.metaKey) && (key === 'z' || key === 'y'))
                    event.preventDefault();
            }, true);
            document.addEventListener('keyup', schedulePush, true);
            dirty = Boolean(wasDirty);
            initialised = true;
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
            if (!READ_COMMANDS.has(Number(id)))
                stale = true; // a typing style may change without a change of the page
            return command.run(value);
        },
        // The state record, made now.
        state: computeState,
        selectBookmark: function (bookmark) {
            const place = bookmarkRange(bookmark);
            if (!place)
                return false;
            selectWithScroll(place.range, place.scroll);
            return true;
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
        rangeBookmark: function (h) { return rangeBookmarkText(textRangeOf(h).range); },
        rangeMoveToBookmark: function (h, bookmark) {
            const place = bookmarkRange(bookmark);
            if (!place)
                return false;
            const object = textRangeOf(h);
            object.range.setStart(place.range.startContainer, place.range.startOffset);
            object.range.setEnd(place.range.endContainer, place.range.endOffset);
            object.scroll = place.scroll;
            return true;
        },
        rangeSelect: function (h) {
            const object = textRangeOf(h);
            selectWithScroll(object.range.cloneRange(), object.scroll);
            return true;
        },

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

