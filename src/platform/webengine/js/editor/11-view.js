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

