// Fits the terminal to its box, which the page's style fits to the window:
// 80 columns and 24 rows of text as large as the box allows, or, where
// those do not fit at a readable size, as many as do, never fewer columns
// than a board's row. The terminal library's fit add-on does the measuring.
import { FitAddon } from '@xterm/addon-fit';

const kColumns = 80;
const kFewestColumns = 55;  // The width of a board's row.
// A whole step, from "Let's change" to the line being typed: below this,
// larger text would hide the values that the question is about.
const kFewestRows = 24;
const kReadableSize = 11;  // The smallest text, in CSS px, that reads well.
const kSmallestSize = 6;
const kStep = 0.5;
// A monospace cell is about 0.6 of the font size wide and 1.2 high: enough
// for a first guess at the size, which the fit then checks.
const kCellWidth = 0.62;
const kCellHeight = 1.22;
const kScrollBar = 14;
// A change of the font size redraws the whole terminal: one that would
// gain less than this is not worth it.
const kWorthChanging = 1.06;

// Returns a first guess at the font size for a box of `width` by `height`
// CSS px, a little on the small side, so that the fit keeps it.
export function guessFontSize(width, height) {
  const size = Math.min(
    (width - kScrollBar) / (kColumns * kCellWidth),
    height / (kFewestRows * kCellHeight),
  );
  return Math.max(kReadableSize, Math.floor(size / kStep) * kStep);
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

  const fit = () => {
    let size = terminal.options.fontSize;
    let room = fitting(size);
    if (!room) return;  // Not laid out (yet).
    // Cells grow in proportion to the text: a first guess from one measure,
    // then smaller steps, as the cells' sizes are rounded.
    const fits = room.cols >= kColumns && room.rows >= kFewestRows;
    const scale = Math.min(room.cols / kColumns, room.rows / kFewestRows);
    if (!fits || scale >= kWorthChanging) {
      size = Math.max(kReadableSize, Math.floor((size * scale) / kStep) * kStep);
      room = fitting(size);
    }
    while (size > kReadableSize && (room.cols < kColumns || room.rows < kFewestRows)) {
      size -= kStep;
      room = fitting(size);
    }
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
