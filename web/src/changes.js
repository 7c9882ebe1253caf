// Which formula values a step changed: on every board after a game's
// first, the value of each formula row that differs from the same row on
// the board before, so that the page can set it apart.
import { isStart, readFormulaRow, readStatus } from './board.js';

export class ChangeMarker {
  #before = null;  // The values of the board before, or null on a first.
  #values = [];  // The values of the board being written.

  // Reads one line of the game's standard output, without its line end.
  // Returns the index in `line` of a formula value that differs from the
  // board before, or -1.
  mark(line) {
    const position = readStatus(line);
    if (position) {
      this.#before = isStart(position) ? null : this.#values;
      this.#values = [];
      return -1;
    }
    const row = readFormulaRow(line);
    if (!row) return -1;
    const index = this.#values.push(row.value) - 1;
    const before = this.#before?.[index];
    return before === undefined || before === row.value ? -1 : row.valueAt;
  }
}
