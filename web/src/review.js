// The review of a game: the game read back from what it wrote, every order
// of steps scored on its board, and what the page says of them. Pure, and
// tested under Node against the console program.
import {
  isStart,
  kPropositions,
  readChange,
  readFormulaRow,
  readGameOver,
  readScore,
  readStatus,
} from './board.js';

const kFormulas = 7;
const kSteps = kPropositions.length;

// The 24 orders of steps, as strings of their letters, in alphabetical
// order.
export const kOrders = (function orders(left) {
  if (left.length === 0) return [''];
  return [...left].flatMap((first) =>
    orders(left.replace(first, '')).map((rest) => first + rest),
  );
})(kPropositions.join(''));

// The positions a game goes through when its steps follow `order`: all
// FALSE, then one proposition TRUE after another.
function positions(order) {
  const position = Object.fromEntries(kPropositions.map((name) => [name, false]));
  const result = [{ ...position }];
  for (const name of order) {
    position[name] = true;
    result.push({ ...position });
  }
  return result;
}

const samePosition = (a, b) => kPropositions.every((name) => a[name] === b[name]);

// Reads the game's standard output line by line and gives back each game
// it saw from its first board to its total, checked against itself: five
// boards of the same seven formulas, each value and score as the formulas
// give them, the steps the positions show, and the total their sum. A game
// that does not read so, as one cut short, is given back as nothing rather
// than as a wrong one.
export class GameReader {
  #game = null;  // The game being read; null when none is, or it went wrong.
  #position = null;
  #ended = 0;

  // The position of the last board read, or null before the first.
  get position() {
    return this.#position;
  }

  // How many games have ended, read or not.
  get ended() {
    return this.#ended;
  }

  // Reads one line, without its line end. Returns the game that the line
  // ends, as { formulas, order, steps, total } (`formulas` the seven
  // functions of a position, `order` the letters in the order played,
  // `steps` the five scores), or null.
  read(line) {
    const status = readStatus(line);
    if (status) {
      this.#position = status;
      this.#board(status);
      return null;
    }
    const total = readGameOver(line);
    if (total !== null) {
      ++this.#ended;
      return this.#end(total);
    }
    if (this.#game === null) return null;
    const row = readFormulaRow(line);
    if (row) {
      this.#row(row);
      return null;
    }
    const score = readScore(line);
    if (score) {
      this.#score(score);
      return null;
    }
    const change = readChange(line);
    if (change) this.#change(change);
    return null;
  }

  #board(position) {
    if (isStart(position)) {
      this.#game = { boards: [], order: '', formulas: [], texts: [], total: 0 };
    }
    const game = this.#game;
    if (game === null) return;
    const expected = positions(game.order)[game.boards.length];
    if (game.boards.length !== game.order.length || !samePosition(position, expected)) {
      this.#game = null;
      return;
    }
    game.boards.push({ position, values: [], score: null });
  }

  #row({ formula, evaluate, value }) {
    const game = this.#game;
    const board = game.boards.at(-1);
    const index = board?.values.length ?? kFormulas;
    const first = game.boards.length === 1;
    const fits =
      index < kFormulas &&
      board.score === null &&
      evaluate(board.position) === value &&
      (first || game.texts[index] === formula);
    if (!fits) {
      this.#game = null;
      return;
    }
    if (first) {
      game.formulas.push(evaluate);
      game.texts.push(formula);
    }
    board.values.push(value);
  }

  #score({ score, total }) {
    const game = this.#game;
    const board = game.boards.at(-1);
    const fits =
      board?.values.length === kFormulas &&
      board.score === null &&
      score === board.values.filter(Boolean).length &&
      total === game.total + score;
    if (!fits) {
      this.#game = null;
      return;
    }
    board.score = score;
    game.total = total;
  }

  #change(name) {
    const game = this.#game;
    const fits =
      game.boards.length === game.order.length + 1 &&
      game.boards.at(-1).score !== null &&
      !game.order.includes(name);
    if (!fits) {
      this.#game = null;
      return;
    }
    game.order += name;
  }

  #end(total) {
    const game = this.#game;
    this.#game = null;
    const fits =
      game !== null &&
      game.boards.length === kSteps + 1 &&
      game.boards.at(-1).score !== null &&
      total === game.total;
    if (!fits) return null;
    return {
      formulas: game.formulas,
      order: game.order,
      steps: game.boards.map((board) => board.score),
      total,
    };
  }
}

// Returns the five step scores of `order` on the board of `formulas`.
export function stepScores(formulas, order) {
  return positions(order).map(
    (position) => formulas.filter((formula) => formula(position)).length,
  );
}

const sum = (numbers) => numbers.reduce((a, b) => a + b, 0);

// Returns the review of a game that GameReader gave back: the player's
// `order`, `total` and `steps`; `best`, the highest total of the 24 orders;
// `bestOrders`, every order that reaches it; and `compared`, one of them
// ({ order, steps }) to set beside the player's: the one that follows the
// player's steps the longest, so that the two part at the step where the
// points were lost.
export function review(game) {
  const totals = new Map(
    kOrders.map((order) => {
      const steps = stepScores(game.formulas, order);
      return [order, { order, steps, total: sum(steps) }];
    }),
  );
  const best = Math.max(...[...totals.values()].map((entry) => entry.total));
  const bestOrders = kOrders.filter((order) => totals.get(order).total === best);
  const shared = (order) => {
    let length = 0;
    while (length < kSteps && order[length] === game.order[length]) ++length;
    return length;
  };
  const closest = bestOrders.reduce((a, b) => (shared(b) > shared(a) ? b : a));
  const { order, steps } = totals.get(closest);
  return {
    order: game.order,
    total: game.total,
    steps: game.steps,
    best,
    bestOrders,
    compared: { order, steps },
  };
}

// Returns an order as the page writes it: its letters apart by blanks.
export const orderText = (order) => [...order].join(' ');

// Returns the orders that reach the best, in words, as pieces: the orders
// (at even indexes) and the words that join them, commas and a last "or";
// or "every order" alone when all 24 reach it.
export function bestOrdersPieces({ bestOrders }) {
  if (bestOrders.length === kOrders.length) return ['every order'];
  return bestOrders.flatMap((order, i) => {
    if (i === 0) return [orderText(order)];
    return [i === bestOrders.length - 1 ? ' or ' : ', ', orderText(order)];
  });
}

// Returns the orders that reach the best, in words.
export const bestOrdersText = (result) => bestOrdersPieces(result).join('');

// Returns what a screen reader hears of the review.
export function reviewSentence(result) {
  return `Best on this board: ${result.best}, by ${bestOrdersText(result)}. You: ${result.total}.`;
}
