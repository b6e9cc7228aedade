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

