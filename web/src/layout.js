// Fits the terminal to its box, which the page's style fits to the window:
// 80 columns and 28 rows of text as large as the box allows, so that the
// rules and the first board are on the screen together; where those rows
// would make the text too small, 24 rows, a whole step; and where even
// those do not fit at a readable size, as many columns as do, never fewer
// than a board's row. The terminal library's fit add-on does the measuring.
import { FitAddon } from '@xterm/addon-fit';

const kColumns = 80;
const kFewestColumns = 55;  // The width of a board's row.
// What the terminal tries for, in order: rows, and the smallest text (in
// CSS px) worth having them at. The rules' legend, the rules and the first
// board, up to the line being typed, take 27 rows; a whole step, from
// "Let's change" to the line being typed, takes 24, and fewer would hide
// the values that the question is about.
const kTargets = [
  { rows: 28, smallest: 14 },
  { rows: 24, smallest: 11 },
];
const kSmallestSize = 6;
const kStep = 0.5;
// A monospace cell is about 0.6 of the font size wide and 1.2 high: enough
// for a first guess at the size, which the fit then checks.
const kCellWidth = 0.62;
const kCellHeight = 1.22;
// The height of a row of DejaVu Sans Mono and its like, to the font size.
const kRowHeight = 1.164;
const kScrollBar = 14;
// A change of the font size redraws the whole terminal: one that would
// gain less than this is not worth it.
const kWorthChanging = 1.06;

// Returns a first guess at the font size for a box of `width` by `height`
// CSS px, a little on the small side, so that the fit keeps it.
export function guessFontSize(width, height) {
  const across = (width - kScrollBar) / (kColumns * kCellWidth);
  for (const { rows, smallest } of kTargets) {
    const size = Math.floor(Math.min(across, height / (rows * kCellHeight)) / kStep) * kStep;
    if (size >= smallest) return size;
  }
  return kTargets.at(-1).smallest;
}

// Returns a guess at the rows that fit in a box `height` CSS px high at a
// font size of `size` px: a terminal opened with the rows that it will fit
// need not be laid out again at once.
export function guessRows(height, size) {
  return Math.max(1, Math.floor(height / Math.round(size * kRowHeight)));
}

// Fits `terminal`, opened in `box` at a size that guessFontSize gave, now
// and whenever the box changes size.
export function followWindow(terminal, box) {
  const fitAddon = new FitAddon();
  terminal.loadAddon(fitAddon);

  // The columns and rows that fit at a font size of `size` px.
  const fitting = (size) => {
    if (terminal.options.fontSize !== size) terminal.options.fontSize = size;
    return fitAddon.proposeDimensions();
  };

  // The largest size, from the current one down to `smallest`, at which
  // 80 columns and `rows` rows fit, with the room it leaves; or the
  // smallest, if none does.
  const sizeFor = ({ rows, smallest }) => {
    let size = terminal.options.fontSize;
    let room = fitting(size);
    if (!room) return null;  // Not laid out (yet).
    // Cells grow in proportion to the text: a first guess from one measure,
    // then smaller steps, as the cells' sizes are rounded.
    const fits = room.cols >= kColumns && room.rows >= rows;
    const scale = Math.min(room.cols / kColumns, room.rows / rows);
    if (!fits || scale >= kWorthChanging) {
      size = Math.max(smallest, Math.floor((size * scale) / kStep) * kStep);
      room = fitting(size);
    }
    while (size > smallest && (room.cols < kColumns || room.rows < rows)) {
      size -= kStep;
      room = fitting(size);
    }
    return { size, room, fits: room.cols >= kColumns && room.rows >= rows };
  };

  const fit = () => {
    let found = null;
    for (const target of kTargets) {
      found = sizeFor(target);
      if (!found || found.fits) break;
    }
    if (!found) return;
    let { size, room } = found;
    while (size > kSmallestSize && room.cols < kFewestColumns) {
      size -= kStep;
      room = fitting(size);
    }
    const cols = Math.min(room.cols, kColumns);
    if (cols !== terminal.cols || room.rows !== terminal.rows) {
      terminal.resize(cols, room.rows);
    }
  };

  new ResizeObserver(fit).observe(box);

  // The page is as tall as what the browser shows of it, which a phone's
  // on-screen keyboard makes shorter: the line being typed stays above it.
  const viewport = window.visualViewport;
  if (viewport) {
    let height = null;
    const follow = () => {
      // Zooming in shows less of the page without changing its height.
      const shown = viewport.height * viewport.scale;
      if (shown === height) return;
      height = shown;
      document.documentElement.style.setProperty('--page-height', `${height}px`);
      // A keyboard that opens may have scrolled the page to the text field.
      if (viewport.scale === 1 && window.scrollY !== 0) window.scrollTo(0, 0);
    };
    viewport.addEventListener('resize', follow);
    follow();
  }
  return fit;
}
