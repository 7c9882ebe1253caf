// The review in Chromium: after each game the page shows the best total
// its board allowed and the orders that reach it, the values that each
// step changed stand out, and a table keeps the page's games.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import { GameReader, review } from '../src/review.js';
import {
  browserForTests,
  enter,
  kAgain,
  kPrompt,
  openPage,
  playMoves,
  pressControl,
  screen,
  shownText,
  terminalRows,
  waitForPrompt,
} from './chromium.mjs';
import { moment, runNative } from './harness.mjs';
import { webBuild } from './paths.mjs';

// At this second the first game's board is the rules' worked example: p q
// r s scores 17, and the best, 20, takes p s q r, q s p r, s p q r or s q
// p r.
const kSeed = 1733805020;
const kHash = `#seed=${kSeed}`;
const kBest = 'Best: 20, by p s q r, q s p r, s p q r or s q p r';

const browser = browserForTests();

// Where the elements with the ids `ids` are, in CSS px of the window.
function where(page, ids) {
  return page.evaluate(
    (names) => Object.fromEntries(names.map((id) => [id, document.getElementById(id).getBoundingClientRect().toJSON()])),
    ids,
  );
}

// The values of the formula rows on the screen, each as 'T' or 'F' and
// '!' if the page set it apart (bold, in colour 11, bright yellow), board
// by board.
function valuesShown(page) {
  return page.evaluate(() => {
    const buffer = window.tessanTerminal.buffer.active;
    const boards = [];
    for (let row = 0; row < buffer.length; ++row) {
      const line = buffer.getLine(row);
      const text = line.translateToString(true);
      if (text.startsWith(' p = ')) boards.push([]);
      const match = /=\s+([TF])\s+SCORE =/.exec(text);
      if (!match) continue;
      const cell = line.getCell(text.indexOf(match[1], text.indexOf('=')));
      const plain = !cell.isBold() && cell.isFgDefault();
      const marked = cell.isBold() && cell.isFgPalette() && cell.getFgColor() === 11;
      boards.at(-1).push(marked ? `${match[1]}!` : plain ? match[1] : `${match[1]}?`);
    }
    return boards;
  });
}

describe('a laptop, 1280 by 800', () => {
  let page;
  before(async () => {
    page = await openPage(browser(), { width: 1280, height: 800, hash: kHash });
  });
  after(() => page.close());

  it('hides the review while a game is played', async () => {
    await enter(page, '');
    for (const move of 'pqrs') {
      await waitForPrompt(page, kPrompt);
      assert.equal(await shownText(page, 'review'), null);
      const heard = await page.$eval('#announcer', (element) => element.textContent);
      assert.doesNotMatch(heard, /Best/);
      await enter(page, move);
    }
    await waitForPrompt(page, kAgain);
  });

  it('then shows the order, the best and the orders that reach it, step by step', async () => {
    const shown = await shownText(page, 'review');
    assert.match(shown, /^You: p q r s, 17$/m);
    assert.match(shown, new RegExp(`^${kBest}$`, 'm'));
    const rows = await page.$$eval('#review-steps tbody tr', (trs) =>
      trs.map((tr) => [...tr.cells].map((cell) => cell.textContent)),
    );
    assert.deepEqual(rows, [
      ['You', '1', 'p 3', 'q 4', 'r 4', 's 5'],
      ['Best', '1', 'p 3', 's 5', 'q 6', 'r 5'],
    ]);
    const behind = await page.$$eval('#review-steps td.behind', (cells) => cells.map((cell) => cell.textContent));
    assert.deepEqual(behind, ['q 4', 'r 4']);
    await page.screenshot({ path: `${webBuild}/review-1280x800.png` });
  });

  it('beside the last board, which it does not hide', async () => {
    const place = await where(page, ['review', 'terminal', 'answers']);
    assert.ok(place.review.left >= place.terminal.right, JSON.stringify(place));
    assert.ok(place.review.bottom <= 800 && place.answers.bottom <= 800, JSON.stringify(place));
    // The last board, from its status line to the question, is in the
    // terminal's rows on the screen.
    const shown = await terminalRows(page, { shown: true });
    assert.ok(shown.includes(' p = T           q = T           r = T            s = T'), shown.join('\n'));
    assert.ok(shown.includes(' AGAIN? (Y/N)'));
  });

  it('announces the review after the game\'s own summary', async () => {
    const heard = await page.$$eval('#announcer p', (lines) => lines.map((line) => line.textContent));
    assert.deepEqual(heard.slice(-3), [
      'GAME OVER - TOTAL SCORE = 17',
      'AGAIN? (Y/N)',
      'Best on this board: 20, by p s q r, q s p r, s p q r or s q p r. You: 17.',
    ]);
  });

  it('set apart each value that a step changed, and no other', async () => {
    assert.deepEqual(await valuesShown(page), [
      ['F', 'F', 'F', 'F', 'F', 'F', 'T'],
      ['T!', 'F', 'F', 'F', 'T!', 'F', 'T'],
      ['T', 'T!', 'F', 'F', 'T', 'F', 'T'],
      ['T', 'T', 'F', 'F', 'T', 'F', 'T'],
      ['T', 'T', 'T!', 'T!', 'T', 'F', 'F!'],
    ]);
  });

  it('puts away the review at the answer, and keeps a row for each game', async () => {
    const input = '\np\nq\nr\ns\ny\ns\nq\np\nr\nquit\n';
    const native = await runNative(moment(kSeed).stamp, input);
    const reader = new GameReader();
    const results = native.stdout.split('\n').map((line) => reader.read(line)).filter(Boolean).map(review);

    await enter(page, 'y');
    await waitForPrompt(page, kPrompt);
    assert.equal(await shownText(page, 'review'), null);
    await playMoves(page, 'sqpr');
    await waitForPrompt(page, kAgain);
    assert.match(await shownText(page, 'review'), new RegExp(`^You: s q p r, ${results[1].total}$`, 'm'));
    const table = await page.$$eval('#games tr', (rows) =>
      rows.map((row) => [...row.cells].map((cell) => cell.textContent)),
    );
    assert.deepEqual(table, [
      ['Game', 'You', 'Best'],
      ['1', '17', '20'],
      ['2', `${results[1].total}`, `${results[1].best}`],
      ['All', `${17 + results[1].total}`, `${20 + results[1].best}`],
    ]);
    await enter(page, 'quit');
    await page.waitForSelector('#ended:not([hidden])');
    assert.equal(await shownText(page, 'review'), null);
  });
});

describe('a phone, 390 by 844', () => {
  it('shows the review and the answers together, no wider than the screen', async () => {
    const page = await openPage(browser(), { width: 390, height: 844, touch: true, hash: kHash });
    await enter(page, '');
    await playMoves(page, 'pqrs');
    await waitForPrompt(page, kAgain);
    await page.waitForSelector('#review:not([hidden])');
    const place = await where(page, ['review', 'answers', 'terminal']);
    const width = await page.evaluate(() => document.documentElement.scrollWidth);
    const columns = await page.evaluate(() => window.tessanTerminal.cols);
    await page.screenshot({ path: `${webBuild}/review-phone.png` });
    await page.close();
    assert.ok(width <= 390, `${width}`);
    for (const [id, rect] of Object.entries(place)) {
      assert.ok(rect.top >= 0 && rect.bottom <= 844 && rect.right <= 390, `${id}: ${JSON.stringify(rect)}`);
    }
    assert.ok(place.review.bottom <= place.answers.top, JSON.stringify(place));
    // Over the top of the terminal, which keeps its width.
    assert.ok(place.review.left >= place.terminal.left && place.review.right <= place.terminal.right);
    assert.ok(columns >= 55, `${columns}`);
  });
});

describe('games that were not played to their end', () => {
  it('get no review and no row', async () => {
    const page = await openPage(browser(), { width: 1000, height: 900, hash: kHash });
    await enter(page, '');
    await playMoves(page, 'pq');
    await waitForPrompt(page, kPrompt);
    await pressControl(page, 'c');
    await page.waitForSelector('#ended:not([hidden])');
    assert.equal(await shownText(page, 'review'), null);
    // A session that ends at its first question, with Ctrl+D.
    await page.click('#again');
    await waitForPrompt(page, ' Press any key to begin');
    await pressControl(page, 'd');
    await page.waitForSelector('#ended:not([hidden])');
    assert.equal(await shownText(page, 'review'), null);
    assert.equal(await page.$$eval('#games tbody tr', (rows) => rows.length), 0);
    assert.match(await screen(page), /fmt: end of file/);
    await page.close();
  });
});

describe('how to play', () => {
  it('is on the page, closed, and says how the game scores', async () => {
    const page = await openPage(browser(), { width: 1280, height: 800 });
    const closed = await page.$eval('#how-to-play', (details) => !details.open);
    await page.click('#how-to-play summary');
    const text = await shownText(page, 'how-to-play');
    await page.close();
    assert.ok(closed);
    for (const words of [/T is TRUE and F is FALSE/, /ET is AND, and VEL is OR/, /five positions/, /at most 6, and a game at most 23/, /highest total/]) {
      assert.match(text, words);
    }
  });
});
