// The game's output as the terminal shows it, under Node: long lines
// broken between words, and the values that a step changed set apart.
import assert from 'node:assert/strict';
import { before, describe, it } from 'node:test';
import { ChangeMarker } from '../src/changes.js';
import { GameScreen, kStandardError, kStandardOutput } from '../src/screen.js';
import { rowsOf } from '../src/wrap.js';
import { moment, runNative } from './harness.mjs';

const kScoreLine = `${' '.repeat(45)}SCORE = 1   TOTAL SCORE = 1`;
const kQuestion = ' Which one of p, q, r and s (only among those false) do you want to change?';
const kRules = ' Essentially, you have only to choose in which order to change';

// Each row of `line` on a terminal `columns` wide.
const rows = (line, columns) => rowsOf(line, columns).map(([start, end]) => line.slice(start, end));

describe('where a long line breaks', () => {
  const kCases = [
    ['an empty line', '', 10, ['']],
    ['a line as wide as the row', 'abc de', 6, ['abc de']],
    ['a blank right after the row', 'abc de fg', 6, ['abc de', 'fg']],
    ['a blank at the row\'s last column', 'abc de fg', 7, ['abc de', 'fg']],
    ['a word longer than the row', 'abcdefgh ij', 4, ['abcd', 'efgh', 'ij']],
    ['blanks at a break', 'ab    cd', 4, ['ab', 'cd']],
    ['blanks at the end', 'ab cd   ', 4, ['ab', 'cd']],
    ['the rules at 56 columns', kRules, 56, [
      ' Essentially, you have only to choose in which order to',
      'change',
    ]],
    ['the question at 55 columns', kQuestion, 55, [
      ' Which one of p, q, r and s (only among those false) do',
      'you want to change?',
    ]],
    ['the score line at 56 columns', kScoreLine, 56, [
      `${' '.repeat(45)}SCORE = 1`,
      'TOTAL SCORE = 1',
    ]],
    ['the score line at 80 columns', kScoreLine, 80, [kScoreLine]],
  ];
  for (const [name, line, columns, expected] of kCases) {
    it(name, () => assert.deepEqual(rows(line, columns), expected));
  }
});

// A terminal that keeps what the page writes to it.
function fakeTerminal(columns) {
  const terminal = { written: '', columns };
  const screen = new GameScreen({
    write: (text) => {
      terminal.written += text;
    },
    columns: () => terminal.columns,
  });
  return { terminal, screen };
}

const kEscape = /\x1b\[[0-9;]*m/g;
const words = (text) => text.split(/\s+/).filter(Boolean);

describe('a whole session on a narrow terminal', () => {
  let output;
  before(async () => {
    const { stdout } = await runNative(moment(1733805020).stamp, '\np\nq\nr\ns\ny\ns\nr\nq\np\nquit\n');
    output = stdout;
  });

  for (const columns of [55, 56, 60]) {
    it(`at ${columns} columns: every row fits, and no word is cut`, () => {
      const { terminal, screen } = fakeTerminal(columns);
      screen.show(kStandardOutput, output);
      const shown = terminal.written.replace(kEscape, '').split('\n');
      for (const row of shown) assert.ok(row.length <= columns, row);
      assert.deepEqual(words(shown.join('\n')), words(output));
      // A board's rows are 55 columns wide, and stay whole.
      const boardRows = output.split('\n').filter((line) => line.length === 55);
      for (const row of boardRows) assert.ok(shown.includes(row), row);
    });
  }

  it('at 80 columns: the game\'s bytes as they are', () => {
    const { terminal, screen } = fakeTerminal(80);
    screen.show(kStandardOutput, output);
    assert.equal(terminal.written.replace(kEscape, ''), output);
  });
});

describe('the values that a step changed', () => {
  let output;
  before(async () => {
    const { stdout } = await runNative(moment(1733805020).stamp, '\np\nq\nr\ns\ny\np\nquit\n');
    output = stdout;
  });

  // The formula rows of each board, as { value, changed }.
  function boards(text) {
    const marker = new ChangeMarker();
    const result = [];
    for (const line of text.split('\n')) {
      if (line.startsWith(' p = ')) result.push([]);
      const at = marker.mark(line);
      const value = /=\s+([TF])\s+SCORE/.exec(line)?.[1];
      if (value) {
        if (at >= 0) assert.equal(line[at], value);
        result.at(-1).push(at >= 0 ? `${value}!` : value);
      }
    }
    return result;
  }

  it('marks on each board the values that differ from the board before', () => {
    const [first, afterP, afterQ, afterR, afterS, next] = boards(output);
    assert.deepEqual([first, afterP, afterQ, afterR, afterS], [
      ['F', 'F', 'F', 'F', 'F', 'F', 'T'],  // All FALSE: nothing before it.
      ['T!', 'F', 'F', 'F', 'T!', 'F', 'T'],
      ['T', 'T!', 'F', 'F', 'T', 'F', 'T'],
      ['T', 'T', 'F', 'F', 'T', 'F', 'T'],  // No value changed.
      ['T', 'T', 'T!', 'T!', 'T', 'F', 'F!'],
    ]);
    // The next game's first board is compared with none.
    assert.equal(next.length, 7);
    assert.ok(next.every((value) => !value.endsWith('!')), next);
  });

  it('writes them in bold yellow, and the rest as the game wrote it', () => {
    const { terminal, screen } = fakeTerminal(80);
    const game = output.slice(0, output.indexOf(' AGAIN'));
    screen.show(kStandardOutput, game);
    const marked = terminal.written.match(/\x1b\[1;93m[TF]\x1b\[0m/g);
    assert.equal(marked.length, 6);
    assert.equal(terminal.written.replace(kEscape, ''), game);
    assert.match(terminal.written, /^ {2}\( p {3}AND {3}T \) OR \( F {3}AND {3}s \) {2}= {2}\x1b\[1;93mT\x1b\[0m {4}SCORE =\+1$/m);
  });
});

describe('what the terminal is sent', () => {
  it('standard error in red, line by line', () => {
    const { terminal, screen } = fakeTerminal(80);
    screen.show(kStandardOutput, ' Press any key\n');
    screen.show(kStandardError, 'fmt: end of file\napparent state: unit 5 (unnamed)\n');
    assert.equal(
      terminal.written,
      ' Press any key\n\x1b[91mfmt: end of file\x1b[0m\n\x1b[91mapparent state: unit 5 (unnamed)\x1b[0m\n',
    );
  });

  it('the end of a line without its line end, when flushed, and its rest later', () => {
    const { terminal, screen } = fakeTerminal(80);
    screen.show(kStandardOutput, ' one\n tw');
    assert.equal(terminal.written, ' one\n');
    screen.flush();
    assert.equal(terminal.written, ' one\n tw');
    screen.show(kStandardOutput, 'o\n');
    screen.flush();
    assert.equal(terminal.written, ' one\n two\n');
  });

  it('a line split between two writes, whole', () => {
    const { terminal, screen } = fakeTerminal(56);
    screen.show(kStandardOutput, kRules.slice(0, 30));
    screen.show(kStandardOutput, `${kRules.slice(30)}\n`);
    assert.equal(terminal.written, `${rows(kRules, 56).join('\n')}\n`);
  });

  it('the width the terminal has when each line is written', () => {
    const { terminal, screen } = fakeTerminal(80);
    screen.show(kStandardOutput, `${kRules}\n`);
    terminal.columns = 56;
    screen.show(kStandardOutput, `${kRules}\n`);
    assert.equal(terminal.written, `${kRules}\n${rows(kRules, 56).join('\n')}\n`);
  });
});
