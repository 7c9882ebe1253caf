// What the page reads in the game's records: which question it waits on,
// the answers that question takes, and what of its records to announce to
// a screen reader. Pure functions of the text the game wrote, tested under
// Node.
import { readFormulaRow } from './board.js';

// The questions, as their lines read without the leading blank.
const kQuestions = new Map([
  ['Press any key to begin', 'begin'],
  ['Which one of p, q, r and s (only among those false) do you want to change?', 'move'],
  ['AGAIN? (Y/N)', 'again'],
]);

// The answers offered for each question ('' is an empty line: Enter alone).
const kAnswers = {
  begin: [''],
  move: ['p', 'q', 'r', 's'],
  again: ['y', 'help', 'quit'],
};

// `lines` as they read: the stars that frame the banner and mark errors
// and the runs of blanks that align the columns go, and lines left with no
// letter or digit (blank lines, rules) are dropped.
function readable(lines) {
  return lines
    .map((line) => line.replace(/\*/g, ' ').replace(/\s+/g, ' ').trim())
    .filter((line) => /[A-Za-z0-9]/.test(line));
}

// Returns the question that `text` ends with: 'begin', 'move' or 'again',
// or null if it does not end with a question the page knows.
export function questionOf(text) {
  const lines = text.split('\n').map((line) => line.trim()).filter(Boolean);
  return kQuestions.get(lines.at(-1)) ?? null;
}

// Returns the answers that the question ending `text` takes, or [] if
// `text` does not end with a question the page knows. At a move, these are
// the propositions still FALSE in `position` (the last board's, as
// { p, q, r, s }), or all four if it is not known.
export function answersFor(text, position = null) {
  const question = questionOf(text);
  if (question === null) return [];
  const answers = kAnswers[question];
  if (question !== 'move' || position === null) return answers;
  return answers.filter((name) => !position[name]);
}

// Returns the lines to announce of what the game wrote since the last
// answer: all of it but the formula rows of a board, which a player reads
// row by row in the terminal and which would drown the step's summary and
// the question.
export function announcement(text) {
  return readable(text.split('\n').filter((line) => readFormulaRow(line) === null));
}
