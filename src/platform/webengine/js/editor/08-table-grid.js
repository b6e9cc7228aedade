
    // ---- table grid ----------------------------------------------------------
    // Rows and columns as the reader sees them: every cell of a table placed
    // in a grid that honours rowspan and colspan, so the row and column
    // commands work on tables with merged cells. A span never reaches past
    // its row group, as in the browser's own table layout.

    function cellOf(node) {
        for (let element = elementAround(node); element && element !== document.body; element = element.parentElement) {
            const tag = element.tagName.toUpperCase();
            if (tag === 'TD' || tag === 'TH')
                return element;
        }
        return null;
    }

    function tableOf(cell) {
        let element = cell.parentElement;
        while (element && element.tagName.toUpperCase() !== 'TABLE')
            element = element.parentElement;
        return element;
    }

    function buildGrid(table) {
        const rows = Array.from(table.rows);
        const grid = rows.map(function () { return []; });
        const places = new Map(); // cell -> {row, col, rowSpan, colSpan}
        // The last row index of each row's group.
        const groupEnd = new Array(rows.length);
        for (let r = rows.length - 1; r >= 0; r--) {
            const sameGroup = r + 1 < rows.length && rows[r + 1].parentNode === rows[r].parentNode;
            groupEnd[r] = sameGroup ? groupEnd[r + 1] : r;
        }
        let columns = 0;
        rows.forEach(function (row, r) {
            let c = 0;
            for (const cell of Array.from(row.cells)) {
                while (grid[r][c])
                    c++;
                const reach = groupEnd[r] - r + 1;
                const rowSpan = cell.rowSpan === 0 ? reach : Math.max(1, Math.min(cell.rowSpan, reach));
                const colSpan = Math.max(1, cell.colSpan);
                for (let y = r; y < r + rowSpan; y++) {
                    for (let x = c; x < c + colSpan; x++)
                        grid[y][x] = cell;
                }
                places.set(cell, { row: r, col: c, rowSpan: rowSpan, colSpan: colSpan });
                c += colSpan;
                columns = Math.max(columns, c);
            }
        });
        return { table: table, rows: rows, grid: grid, places: places, columns: columns };
    }

    // The grid of the caret's table and the block of rows and columns the
    // selected cells cover; null outside a table.
    function selectedBlock() {
        const range = selectionRange();
        const first = range ? cellOf(range.startContainer) : null;
        if (!first)
            return null;
        const table = tableOf(first);
        let last = cellOf(range.endContainer);
        if (!last || tableOf(last) !== table)
            last = first;
        const g = buildGrid(table);
        const a = g.places.get(first);
        const b = g.places.get(last);
        return {
            g: g,
            cell: first,
            top: Math.min(a.row, b.row),
            bottom: Math.max(a.row + a.rowSpan, b.row + b.rowSpan) - 1,
            left: Math.min(a.col, b.col),
            right: Math.max(a.col + a.colSpan, b.col + b.colSpan) - 1,
        };
    }

    // A span of one is written as none.
    function setSpan(cell, name, span) {
        if (span > 1)
            cell.setAttribute(name, String(span));
        else
            cell.removeAttribute(name);
    }

    // Runs a row or column command on the selected block; false outside a table.
    function onSelectedBlock(command) {
        const block = selectedBlock();
        return block ? command(block, block.g) : false;
    }

    function newCellLike(model) {
        const cell = document.createElement(model.tagName.toLowerCase() === 'th' ? 'th' : 'td');
        cell.innerHTML = '&nbsp;';
        return cell;
    }

    // Puts `cell` into grid row r of g at column `col`: before the first cell
    // that starts in that row further right.
    function placeInRow(g, r, cell, col) {
        const row = g.rows[r];
        for (const other of Array.from(row.cells)) {
            const place = g.places.get(other);
            if (other !== cell && place && place.col > col) {
                row.insertBefore(cell, other);
                return;
            }
        }
        row.appendChild(cell);
    }

    function insertRowAbove() {
        return onSelectedBlock(function (block, g) {
            const r = block.top;
            const newRow = document.createElement('tr');
            const seen = new Set();
            for (const cell of g.grid[r]) {
                if (!cell || seen.has(cell))
                    continue;
                seen.add(cell);
                const place = g.places.get(cell);
                if (place.row < r) {
                    setSpan(cell, 'rowspan', place.rowSpan + 1); // the new row runs through it
                    continue;
                }
                const added = newCellLike(cell);
                setSpan(added, 'colspan', place.colSpan);
                newRow.appendChild(added);
            }
            g.rows[r].parentNode.insertBefore(newRow, g.rows[r]);
            return true;
        });
    }

    function insertColumnLeft() {
        return onSelectedBlock(function (block, g) {
            const c = block.left;
            const seen = new Set();
            g.rows.forEach(function (row, r) {
                const cell = g.grid[r][c];
                if (cell) {
                    const place = g.places.get(cell);
                    if (seen.has(cell))
                        return;
                    seen.add(cell);
                    if (place.col < c) {
                        setSpan(cell, 'colspan', place.colSpan + 1); // the new column runs through it
                        return;
                    }
                    const added = newCellLike(cell);
                    setSpan(added, 'rowspan', place.rowSpan);
                    row.insertBefore(added, cell);
                    return;
                }
                // A row that ends before the column gets a cell only when cells
                // follow further right.
                if (g.grid[r].slice(c + 1).some(function (other) { return other && g.places.get(other).row === r; }))
                    placeInRow(g, r, newCellLike(row.cells[0] || document.createElement('td')), c);
            });
            return true;
        });
    }

    // After rows or columns went: the caret into the cell now nearest their
    // place, or where the table was when none is left.
    function settleCaret(table, row, col) {
        if (table.rows.length === 0) {
            table.remove();
            return;
        }
        const g = buildGrid(table);
        const r = Math.min(row, g.rows.length - 1);
        let cell = null;
        for (let c = Math.min(col, g.grid[r].length - 1); c >= 0 && !cell; c--)
            cell = g.grid[r][c] || null;
        cell = cell || g.rows[r].cells[0] || null;
        if (!cell)
            return;
        const range = document.createRange();
        range.selectNodeContents(cell);
        range.collapse(true);
        selectRange(range);
    }

    function deleteRows() {
        return onSelectedBlock(function (block, g) {
            const top = block.top;
            const bottom = block.bottom;
            const moved = [];
            for (const [cell, place] of g.places) {
                const last = place.row + place.rowSpan - 1;
                const overlap = Math.min(last, bottom) - Math.max(place.row, top) + 1;
                if (overlap <= 0 || overlap === place.rowSpan)
                    continue; // untouched, or gone with its rows
                setSpan(cell, 'rowspan', place.rowSpan - overlap);
                if (place.row >= top)
                    moved.push([cell, place.col]); // starts in a deleted row: carried down
            }
            moved.sort(function (a, b) { return a[1] - b[1]; });
            for (const [cell, col] of moved)
                placeInRow(g, bottom + 1, cell, col);
            for (let r = bottom; r >= top; r--)
                g.rows[r].remove();
            settleCaret(g.table, top, block.left);
            return true;
        });
    }

    function deleteColumns() {
        return onSelectedBlock(function (block, g) {
            for (const [cell, place] of g.places) {
                const overlap = Math.min(place.col + place.colSpan - 1, block.right) - Math.max(place.col, block.left) + 1;
                if (overlap <= 0)
                    continue;
                if (overlap === place.colSpan)
                    cell.remove();
                else
                    setSpan(cell, 'colspan', place.colSpan - overlap);
            }
            // Rows left without cells go; cells reaching through them get shorter.
            const spans = new Map();
            for (const [cell, place] of g.places)
                spans.set(cell, place.rowSpan);
            for (let r = g.rows.length - 1; r >= 0; r--) {
                if (g.rows[r].cells.length > 0)
                    continue;
                for (const cell of new Set(g.grid[r])) {
                    if (cell && cell.isConnected) {
                        spans.set(cell, spans.get(cell) - 1);
                        setSpan(cell, 'rowspan', spans.get(cell));
                    }
                }
                g.rows[r].remove();
            }
            settleCaret(g.table, block.top, block.left);
            return true;
        });
    }
