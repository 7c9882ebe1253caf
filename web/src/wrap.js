// Where a line too long for the terminal's rows breaks: at the last blank
// that fits, so that no word is cut in two, as a book sets its lines.

// Returns the rows that `line` takes on a terminal `columns` wide, as
// [start, end) ranges of `line`. A line that fits is one row, as it is. A
// longer one breaks at the last blank that fits in the row or stands right
// after it; the blanks at a break are dropped, and the next row begins with
// the next word. A word longer than a row is cut where the row ends.
export function rowsOf(line, columns) {
  const rows = [];
  let start = 0;
  while (line.length - start > columns) {
    const end = start + columns;
    // The first blank after the last word that ends in the row.
    let blank = end;
    while (blank > start && !(line[blank] === ' ' && line[blank - 1] !== ' ')) --blank;
    let next;
    if (blank > start) {
      rows.push([start, blank]);
      next = blank;
      while (line[next] === ' ') ++next;
    } else {
      rows.push([start, end]);
      next = end;
    }
    start = next;
  }
  if (start < line.length || rows.length === 0) rows.push([start, line.length]);
  return rows;
}
