// The review under Node: games read back from the console program's own
// output, every order scored against what the console program scores when
// it is played, and games that do not read give no review.
import assert from 'node:assert/strict';
import { before, describe, it } from 'node:test';
import { readFormulaRow } from '../src/board.js';
import { GameReader, bestOrdersText, kOrders, review, reviewSentence, stepScores } from '../src/review.js';
import { moment, runNative } from './harness.mjs';

// At this second the first game's constants are T F T F T T F T F F T F F
// F, the board of the rules' worked example.
const kWorkedExample = moment(1733805020);

// The console program's output for one game played in `order`, then quit.
async function playedIn({ stamp }, order) {
  const { stdout } = await runNative(stamp, `\n${[...order].join('\n')}\nquit\n`);
  return stdout;
}

// The games that GameReader gives back from `output`, one entry for each
// game-over record (null for a game not read).
function gamesIn(output) {
  const reader = new GameReader();
  const games = [];
  for (const line of output.split('\n')) {
    const game = reader.read(line);
    if (games.length < reader.ended) games.push(game);
  }
  return games;
}

const sum = (numbers) => numbers.reduce((a, b) => a + b, 0);

describe('the worked example', () => {
  let result;
  before(async () => {
    const [game] = gamesIn(await playedIn(kWorkedExample, 'pqrs'));
    result = review(game);
  });

  it('scores p q r s 17, and reaches 20 by exactly four orders', () => {
    assert.equal(result.order, 'pqrs');
    assert.equal(result.total, 17);
    assert.deepEqual(result.steps, [1, 3, 4, 4, 5]);
    assert.equal(result.best, 20);
    assert.deepEqual(result.bestOrders, ['psqr', 'qspr', 'spqr', 'sqpr']);
  });

  it('sets beside the player the best order that parts from theirs last', () => {
    assert.deepEqual(result.compared, { order: 'psqr', steps: [1, 3, 5, 6, 5] });
  });

  it('says it to a screen reader', () => {
    assert.equal(
      reviewSentence(result),
      'Best on this board: 20, by p s q r, q s p r, s p q r or s q p r. You: 17.',
    );
  });
});

describe('every order on a board, against the console program', () => {
  const kMoments = [moment(0), moment(1782045296), moment(4294967295)];
  for (const when of kMoments) {
    it(`at ${when.stamp} UTC`, async () => {
      const outputs = await Promise.all(kOrders.map((order) => playedIn(when, order)));
      const [first] = gamesIn(outputs[0]);
      kOrders.forEach((order, i) => {
        const [game] = gamesIn(outputs[i]);
        assert.equal(game.order, order);
        // Scored on the board read from another game: same board, same
        // formulas, so the same score as the console program's own.
        assert.deepEqual(stepScores(first.formulas, order), game.steps, order);
        assert.equal(sum(game.steps), game.total);
      });
      const { best, bestOrders } = review(first);
      const totals = outputs.map((output) => gamesIn(output)[0].total);
      assert.equal(best, Math.max(...totals));
      assert.deepEqual(bestOrders, kOrders.filter((_, i) => totals[i] === best));
    });
  }
});

describe('games that do not read give no review', () => {
  let output;
  before(async () => {
    output = await playedIn(kWorkedExample, 'pqrs');
  });

  // Each case changes one thing in the game's own output.
  const kChanged = [
    ['cut short before its end', (text) => text.slice(0, text.indexOf(' GAME OVER'))],
    ['a value the formula does not give', (text) => text.replace('=  T    SCORE =+1', '=  F    SCORE = 0')],
    ['a value and its score that disagree', (text) => text.replace('=  T    SCORE =+1', '=  F    SCORE =+1')],
    ['a constant that changes on a later board', (text) => {
      const second = text.indexOf(' p = T');
      return text.slice(0, second) + text.slice(second).replace('( p   AND   T )', '( p   AND   F )');
    }],
    ['a formula row missing', (text) => text.replace(/\n {2}\( s AND NOT .*\n/, '\n')],
    ['a step score that is not the count', (text) => text.replace('SCORE = 1   TOTAL SCORE = 1', 'SCORE = 2   TOTAL SCORE = 2')],
    ['a total that is not the sum', (text) => text.replace('GAME OVER - TOTAL SCORE = 17', 'GAME OVER - TOTAL SCORE = 18')],
    ['a step that the next board does not show', (text) => text.replace("Let's change q", "Let's change r")],
  ];
  for (const [name, change] of kChanged) {
    it(name, () => {
      const changed = change(output);
      assert.notEqual(changed, output);
      assert.deepEqual(gamesIn(changed).filter(Boolean), []);
    });
  }

  it('a game cut short, then a whole one: the whole one reads', () => {
    const games = gamesIn(`${kChanged[0][1](output)}${output}`);
    assert.equal(games.length, 1);
    assert.equal(games[0].total, 17);
  });
});

describe('a formula row read as a formula', () => {
  const p = { p: true, q: false, r: false, s: false };
  const kRows = [
    ['NOT binds tighter than AND', '  ( s AND NOT F ) OR ( r AND NOT T )  =  F    SCORE = 0', false],
    ['AND binds tighter than OR', '    T   AND ( q   OR ( r   AND   F )) =  F    SCORE = 0', false],
    ['two opening brackets', ' (( p   AND   T ) OR   T ) AND   s    =  F    SCORE = 0', false],
    ['a TRUE value', '  ( p  OR NOT F ) AND NOT ( s OR F )  =  T    SCORE =+1', true],
  ];
  for (const [name, line, value] of kRows) {
    it(name, () => {
      const row = readFormulaRow(line);
      assert.equal(row.evaluate(p), value);
      assert.equal(row.value, value);
      assert.equal(line[row.valueAt], value ? 'T' : 'F');
    });
  }

  const kNotRows = [
    ['a bracket left open', '  ( p   AND   T  OR ( F   AND   s )  =  F    SCORE = 0'],
    ['a word it does not know', '  ( p   XOR   T ) OR ( F   AND   s )  =  F    SCORE = 0'],
    ['two operands in a row', '  ( p   T ) OR ( F   AND   s )  =  F    SCORE = 0'],
    ['the score line', '                                              SCORE = 1   TOTAL SCORE = 1'],
  ];
  for (const [name, line] of kNotRows) {
    it(`not ${name}`, () => assert.equal(readFormulaRow(line), null));
  }
});

describe('the best orders in words', () => {
  const kCases = [
    [['pqrs'], 'p q r s'],
    [['psqr', 'qspr'], 'p s q r or q s p r'],
    [['psqr', 'qspr', 'spqr'], 'p s q r, q s p r or s p q r'],
    [kOrders, 'every order'],
  ];
  for (const [bestOrders, words] of kCases) {
    it(words, () => assert.equal(bestOrdersText({ bestOrders }), words));
  }
});
