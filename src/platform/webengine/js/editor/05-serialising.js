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

    // Row groups the parser added to tables written without <tbody>: left
    // out whenever the page is read, so a page read back is the page loaded.
    const impliedBodies = new Set();
    const IMPLIED_MARK = 'data-quorix-implied-tbody';

    // `explicitBodies`: for each table of the page's text, in order, whether
    // it writes its <tbody>. A page whose tables the text does not match
    // (tables made by the parser itself) keeps every row group.
    function noteImpliedBodies(explicitBodies) {
        impliedBodies.clear();
        const tables = document.getElementsByTagName('table');
        if (!Array.isArray(explicitBodies) || explicitBodies.length !== tables.length)
            return;
        Array.from(tables).forEach(function (table, index) {
            if (explicitBodies[index])
                return;
            for (const child of Array.from(table.children)) {
                if (child.tagName.toUpperCase() === 'TBODY' && child.attributes.length === 0)
                    impliedBodies.add(child);
            }
        });
    }

    function rootHtml(root) {
        const bodies = Array.from(impliedBodies).filter(function (body) {
            return body.isConnected && body.attributes.length === 0 && root.contains(body);
        });
        if (bodies.length === 0)
            return root.outerHTML;
        // The groups go from a copy; the page itself, and its selection, stay.
        return internal(function () {
            let copy;
            for (const body of bodies)
                body.setAttribute(IMPLIED_MARK, '');
            try {
                copy = root.cloneNode(true);
            } finally {
                for (const body of bodies)
                    body.removeAttribute(IMPLIED_MARK);
            }
            for (const body of Array.from(copy.querySelectorAll('tbody[' + IMPLIED_MARK + ']'))) {
                while (body.firstChild)
                    body.parentNode.insertBefore(body.firstChild, body);
                body.remove();
            }
            return copy.outerHTML;
        });
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
                    parts.push(rootHtml(node));
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

