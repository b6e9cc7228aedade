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

    // The root's HTML with those groups left out: each is fenced by two
    // comments with a word no page holds while the browser writes the
    // HTML, and the fenced tags are cut from the text. Adding and taking
    // away the comments leaves every selection and range where it was.
    let fenceWord = null;

    function rootHtml(root) {
        const implied = Array.from(impliedBodies).filter(function (body) {
            return body.isConnected && body.attributes.length === 0 && root.contains(body);
        });
        if (implied.length === 0)
            return root.outerHTML;
        if (fenceWord === null)
            fenceWord = 'quorix-fence-' + Math.random().toString(36).slice(2) + Date.now().toString(36);
        return internal(function () {
            const fences = [];
            for (const body of implied) {
                const open = document.createComment(fenceWord + '(');
                const close = document.createComment(fenceWord + ')');
                body.parentNode.insertBefore(open, body);
                body.parentNode.insertBefore(close, body.nextSibling);
                fences.push(open, close);
            }
            let html;
            try {
                html = root.outerHTML;
            } finally {
                for (const fence of fences)
                    fence.remove();
            }
            return html.split('<!--' + fenceWord + '(--><tbody>').join('')
                .split('</tbody><!--' + fenceWord + ')-->').join('');
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

