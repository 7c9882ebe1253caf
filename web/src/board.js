// The records of a board as the game writes them, read back: the status
// line with the four propositions, the formula rows, the score line, the
// change of a step and the end of a game. Each reader takes one line
// without its line end and returns null for a line of another kind.
//
// A formula row is read as the formula it shows, constants in place: the
// page needs no table of its own that could disagree with the board.

export const kPropositions = ['p', 'q', 'r', 's'];

const kStatus = /^ p = ([TF]) +q = ([TF]) +r = ([TF]) +s = ([TF])$/;
const kFormulaRow = /^(.*\S) *= +([TF]) +SCORE =(\+1| 0)$/;
const kScore = /^ +SCORE = (\d+) +TOTAL SCORE = (\d+)$/;
const kChange = /^ Let's change ([pqrs]) from FALSE to TRUE:$/;
const kGameOver = /^ GAME OVER - TOTAL SCORE = (-?\d+)$/;
const kToken = /\(|\)|AND|OR|NOT|[pqrsTF]/g;

// Returns the position that a status line shows, as { p, q, r, s } of
// booleans.
export function readStatus(line) {
  const match = kStatus.exec(line);
  if (!match) return null;
  return Object.fromEntries(kPropositions.map((name, i) => [name, match[i + 1] === 'T']));
}

// Returns true if `position` is a game's first, all FALSE.
export const isStart = (position) => kPropositions.every((name) => !position[name]);

// Returns what a formula row shows: `formula`, its text with single blanks
// between the symbols (the same on every board of a game, as the constants
// do not change), `evaluate(position)`, which computes it, `value`, the
// value written after "=", and `valueAt`, the index of that value in the
// line. Returns null also for a row whose value and score disagree, or
// whose formula does not read as one.
export function readFormulaRow(line) {
  const match = kFormulaRow.exec(line);
  if (!match) return null;
  const [, text, value, score] = match;
  if ((value === 'T') !== (score === '+1')) return null;
  const tokens = text.match(kToken) ?? [];
  // Nothing but symbols and blanks: every character is in a token.
  if (tokens.join('').length !== text.replace(/ /g, '').length) return null;
  const evaluate = parse(tokens);
  if (!evaluate) return null;
  return {
    formula: tokens.join(' '),
    evaluate,
    value: value === 'T',
    valueAt: line.indexOf(value, line.indexOf('=', text.length)),
  };
}

// Returns the step score and total of a score line, as { score, total }.
export function readScore(line) {
  const match = kScore.exec(line);
  return match ? { score: Number(match[1]), total: Number(match[2]) } : null;
}

// Returns the proposition that a change record turns TRUE.
export function readChange(line) {
  return kChange.exec(line)?.[1] ?? null;
}

// Returns the total of a game-over record.
export function readGameOver(line) {
  const match = kGameOver.exec(line);
  return match ? Number(match[1]) : null;
}

// Returns a function of a position that evaluates the formula written as
// `tokens`, or null if they are not one formula. NOT binds tighter than
// AND, and AND tighter than OR, as in the rules' notation.
function parse(tokens) {
  let next = 0;
  const peek = () => tokens[next];
  const take = (token) => {
    if (tokens[next] !== token) throw new SyntaxError(token);
    ++next;
  };

  // Reads a run of `term`s joined by the word `word`, as `join` combines
  // their values.
  const chain = (word, term, join) => () => {
    let left = term();
    while (peek() === word) {
      take(word);
      const a = left;
      const b = term();
      left = (position) => join(a(position), b(position));
    }
    return left;
  };
  const operand = () => {
    const token = peek();
    if (token === '(') {
      take('(');
      const inner = either();
      take(')');
      return inner;
    }
    ++next;
    if (token === 'T') return () => true;
    if (token === 'F') return () => false;
    if (kPropositions.includes(token)) return (position) => position[token];
    throw new SyntaxError(String(token));
  };
  const negation = () => {
    if (peek() !== 'NOT') return operand();
    take('NOT');
    const a = negation();
    return (position) => !a(position);
  };
  const both = chain('AND', negation, (a, b) => a && b);
  const either = chain('OR', both, (a, b) => a || b);

  try {
    const formula = either();
    return next === tokens.length ? formula : null;
  } catch (error) {
    if (error instanceof SyntaxError) return null;
    throw error;
  }
}
