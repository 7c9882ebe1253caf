// What the page reads in the game's records, and what it says at the end:
// pure functions, under Node.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import { describeEnd } from '../src/ending.js';
import { announcement, answersFor, questionOf } from '../src/records.js';

const kQuestion =
  ' Which one of p, q, r and s (only among those false) do you want to change?\n';

describe('the answers for the question the game waits on', () => {
  const cases = [
    ['nothing written', '', []],
    ['a record that is no question', ' p = T           q = F\n', []],
    ['a question not at the end', `${kQuestion} p = T\n`, []],
    ['the start', ' Press any key to begin\n', ['']],
    ['a move, after blank lines', `\n\n${kQuestion}\n\n`, ['p', 'q', 'r', 's']],
    ['a move after an error', ` * * * ERROR * * * p is already TRUE\n${kQuestion}`, ['p', 'q', 'r', 's']],
    ['another game', '\n GAME OVER - TOTAL SCORE = 9\n\n\n AGAIN? (Y/N)\n', ['y', 'help', 'quit']],
  ];
  for (const [name, text, answers] of cases) {
    it(name, () => assert.deepEqual(answersFor(text), answers));
  }

  // At a move, only the propositions still FALSE on the last board.
  const position = (trues) => Object.fromEntries([...'pqrs'].map((name) => [name, trues.includes(name)]));
  const moves = [
    ['none TRUE', '', ['p', 'q', 'r', 's']],
    ['p TRUE', 'p', ['q', 'r', 's']],
    ['three TRUE', 'qrs', ['p']],
  ];
  for (const [name, trues, answers] of moves) {
    it(`a move with ${name}`, () => assert.deepEqual(answersFor(kQuestion, position(trues)), answers));
  }
  it('the play-again answers whatever the position', () => {
    assert.deepEqual(answersFor(' AGAIN? (Y/N)\n', position('pqrs')), ['y', 'help', 'quit']);
  });
});

describe('the question the game waits on', () => {
  const cases = [
    ['nothing written', '', null],
    ['the start', '\n Press any key to begin\n\n', 'begin'],
    ['a move', kQuestion, 'move'],
    ['play again', ' AGAIN? (Y/N)\n', 'again'],
    ['a question followed by more', ' AGAIN? (Y/N)\n\n End.\n', null],
  ];
  for (const [name, text, question] of cases) {
    it(name, () => assert.equal(questionOf(text), question));
  }
});

describe('the announcement of a step', () => {
  it('keeps the step, its values, the error, the summary and the question', () => {
    const step = [
      '',
      " Let's change p from FALSE to TRUE:",
      '',
      ' p = T           q = F           r = F            s = F',
      '',
      '  ( p   AND   F ) OR ( F   AND   s )  =  F    SCORE = 0',
      '',
      '  ( q AND NOT T ) OR ( p AND NOT F )  =  T    SCORE =+1',
      '                                              ---------',
      '                                              SCORE = 1   TOTAL SCORE = 3',
      '',
      ' * * * ERROR * * * p is already TRUE',
      kQuestion,
    ].join('\n');
    assert.deepEqual(announcement(step), [
      "Let's change p from FALSE to TRUE:",
      'p = T q = F r = F s = F',
      'SCORE = 1 TOTAL SCORE = 3',
      'ERROR p is already TRUE',
      kQuestion.trim(),
    ]);
  });

  it('reads the banner without its frame', () => {
    const banner = [
      ' ******************************',
      ' *                            *',
      ' *  Tessan 2014 - version 1   *',
      ' ******************************',
      '',
      ' Press any key to begin',
    ].join('\n');
    assert.deepEqual(announcement(banner), [
      'Tessan 2014 - version 1',
      'Press any key to begin',
    ]);
  });
});

describe('what the page says at the end', () => {
  const cases = [
    ['an exit', { status: 0 }, true, /^The game has ended\.$/, true],
    ['an interrupt', { status: 1 }, true, /interrupted/, true],
    ['the end of input', { aborted: true }, true, /input ran out/, true],
    ['a fault', { error: new Error('Aborted(OOM)') }, true, /fault.*Aborted\(OOM\)/, true],
    ['WebAssembly refused', { error: new WebAssembly.CompileError('Refused') }, true, /refused to load its WebAssembly \(Refused\)/, false],
    ['no WebAssembly', {}, false, /needs WebAssembly, which is missing or turned off/, false],
  ];
  for (const [name, outcome, hasWebAssembly, text, again] of cases) {
    it(name, () => {
      const said = describeEnd(outcome, hasWebAssembly);
      assert.match(said.text, text);
      assert.doesNotMatch(name === 'the end of input' ? '' : said.text, /input ran out/);
      assert.equal(said.again, again);
    });
  }
});
