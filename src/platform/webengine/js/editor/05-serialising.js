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

