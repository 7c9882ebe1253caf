// The game's output as the terminal shows it: line by line, a line too
// long for a row broken between words, standard error in a colour of its
// own, and each formula value that a step changed in a colour of its own
// and bold. The game's text itself is shown as it was written: the page
// only adds the breaks and the colours.
import { ChangeMarker } from './changes.js';
import { rowsOf } from './wrap.js';

export const kStandardOutput = 1;
export const kStandardError = 2;

// Select Graphic Rendition: bright red; bold bright yellow; and back to
// the terminal's own.
const kError = '\x1b[91m';
const kChanged = '\x1b[1;93m';
const kPlain = '\x1b[0m';

export class GameScreen {
  #write;
  #columns;
  #onLine;
  #marker = new ChangeMarker();
  #stream = kStandardOutput;  // The stream of the line being written.
  #rest = '';  // The end of that line, which has no line end yet.
  #shown = 0;  // How much of it the terminal shows already.

  // `write(text)` writes to the terminal, whose rows are `columns()` wide;
  // `onLine(stream, line)` receives each whole line the game writes,
  // without its line end.
  constructor({ write, columns, onLine = () => {} }) {
    this.#write = write;
    this.#columns = columns;
    this.#onLine = onLine;
  }

  // Shows `text` that the game wrote on `stream`. Whole lines show at
  // once; the end of a line waits for its line end, or for flush().
  show(stream, text) {
    if (stream !== this.#stream) {
      this.flush();
      this.#stream = stream;
    }
    const lines = (this.#rest + text).split('\n');
    this.#rest = lines.pop();
    // One write for all of it: each write costs the terminal a pass.
    let shown = '';
    for (const line of lines) {
      shown += this.#line(line);
      this.#shown = 0;
    }
    if (shown !== '') this.#write(shown);
  }

  // Shows the end of a line that has no line end yet as it is, as the game
  // waits for input or has ended.
  flush() {
    const rest = this.#styled(this.#rest.slice(this.#shown));
    if (rest !== '') this.#write(rest);
    this.#shown = this.#rest.length;
  }

  // Returns what the terminal shows of a whole line.
  #line(line) {
    const changed = this.#stream === kStandardOutput ? this.#marker.mark(line) : -1;
    this.#onLine(this.#stream, line);
    if (this.#shown > 0) {
      // Its start is on the screen already, unbroken: the rest follows.
      return `${this.#styled(line.slice(this.#shown))}\n`;
    }
    const rows = rowsOf(line, this.#columns()).map(([start, end]) => {
      const row = line.slice(start, end);
      if (changed < start || changed >= end) return this.#styled(row);
      const at = changed - start;
      return `${row.slice(0, at)}${kChanged}${row[at]}${kPlain}${row.slice(at + 1)}`;
    });
    return `${rows.join('\n')}\n`;
  }

  #styled(text) {
    if (text === '' || this.#stream !== kStandardError) return text;
    return `${kError}${text}${kPlain}`;
  }
}
