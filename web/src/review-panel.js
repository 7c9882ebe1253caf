// The review of a game on the page, shown once the game has ended and the
// game asks whether to play again, and the table of the games played
// since the page opened.
import { bestOrdersPieces, orderText } from './review.js';

// The review: the player's order and total, the best total and the orders
// that reach it, the step scores of the player's order beside those of a
// best one, and the link that replays the session's boards with a button
// that copies it to share.
export class ReviewPanel {
  #panel;
  #you;
  #best;
  #steps;
  #replay;
  #copied;
  #shared = '';  // What the Copy button copies.

  // `panel` is the element with the ids below inside it; `copy(text)`
  // returns a promise that the text was copied.
  constructor(panel, copy) {
    const part = (id) => panel.querySelector(`#${id}`);
    this.#panel = panel;
    this.#you = part('review-you');
    this.#best = part('review-best');
    this.#steps = part('review-steps').tBodies[0];
    this.#replay = part('replay');
    this.#copied = part('copied');
    part('copy').addEventListener('click', () => {
      copy(this.#shared).then(
        () => {
          this.#copied.textContent = 'Copied.';
        },
        () => {
          this.#copied.textContent = 'The browser would not copy: select the link instead.';
        },
      );
    });
  }

  // Shows the review of `result` (see review() in review.js), with the
  // address that replays its boards and the text that Copy copies.
  show(result, { address, line }) {
    this.#you.textContent = `You: ${orderText(result.order)}, ${result.total}`;
    this.#best.replaceChildren(`Best: ${result.best}, by `, ...ordersInWords(result));
    const rows = [['You', result]];
    if (result.compared.order !== result.order) rows.push(['Best', result.compared]);
    this.#steps.replaceChildren(
      ...rows.map(([name, { order, steps }]) => stepRow(name, order, steps, result)),
    );
    this.#replay.href = address;
    this.#shared = `${line}\n${address}`;
    this.#copied.textContent = '';
    this.#panel.hidden = false;
  }

  hide() {
    this.#panel.hidden = true;
  }
}

// Returns the nodes that write the orders that reach the best, each order
// kept on one line.
function ordersInWords(result) {
  return bestOrdersPieces(result).map((piece, i) => {
    if (i % 2 === 1) return piece;
    const words = document.createElement('span');
    words.className = 'order';
    words.textContent = piece;
    return words;
  });
}

// A row of the step scores: the order's name, the score of the starting
// position, then each step's letter and score. A step of the player's that
// scored less than the same step of the best order is marked, as that is
// where points were lost.
function stepRow(name, order, steps, result) {
  const row = document.createElement('tr');
  const heading = document.createElement('th');
  heading.scope = 'row';
  heading.textContent = name;
  heading.title = orderText(order);
  row.append(heading);
  steps.forEach((score, step) => {
    const cell = document.createElement('td');
    cell.textContent = step === 0 ? `${score}` : `${order[step - 1]} ${score}`;
    if (name === 'You' && score < result.compared.steps[step]) cell.className = 'behind';
    row.append(cell);
  });
  return row;
}

// The games played since the page opened: one row each, with its number,
// the player's total and the best total, and a last row with the sums.
// Nothing is kept when the page closes.
export class GamesTable {
  #body;
  #sums;
  #none;
  #totals = { you: 0, best: 0 };

  // `table` is the table to fill, and `none` the words that stand in for
  // its rows until the first game has ended.
  constructor(table, none) {
    this.#body = table.tBodies[0];
    this.#sums = table.tFoot;
    this.#none = none;
  }

  // Adds the row of a game's review.
  add({ total, best }) {
    const row = this.#body.insertRow();
    const number = document.createElement('th');
    number.scope = 'row';
    number.textContent = `${this.#body.rows.length}`;
    row.append(number);
    for (const value of [total, best]) row.insertCell().textContent = `${value}`;
    this.#totals.you += total;
    this.#totals.best += best;
    const [, you, most] = this.#sums.rows[0].cells;
    you.textContent = `${this.#totals.you}`;
    most.textContent = `${this.#totals.best}`;
    this.#sums.hidden = false;
    this.#none.hidden = true;
  }
}
