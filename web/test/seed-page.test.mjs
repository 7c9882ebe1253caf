// Boards to share and replay, in Chromium: the seed in the page's address
// gives the console program's boards at that second, #day gives the day's,
// every session can be replayed from a link, and a link that the page does
// not understand gets a sentence and a game on the clock.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  boardIn,
  browserForTests,
  enter,
  firstBoard,
  kAgain,
  kBegin,
  kPrompt,
  openPage,
  pageUrl,
  playMoves,
  screen,
  shownText,
  waitForPrompt,
} from './chromium.mjs';
import { moment, runNative } from './harness.mjs';

// The first board that the console program plays at second `seconds`.
async function consoleBoard(seconds) {
  const { stdout } = await runNative(moment(seconds).stamp, '\n');
  return boardIn(stdout);
}

// The first board of the session that the page has just started.
async function boardShown(page) {
  await enter(page, '');
  await waitForPrompt(page, kPrompt);
  return firstBoard(page);
}

const kPast = 1782045296;  // 2026-06-21 12:34:56 UTC.
// 2026-12-10 23:30:00 UTC, when it is already the 11th in Tokyo.
const kLateEvening = 1796945400;
const kThatDay = 1796860800;  // 2026-12-10 00:00:00 UTC.

const browser = browserForTests();

describe('a seed in the address', () => {
  it('gives the console program\'s board at that second, and shows the seed', async () => {
    const page = await openPage(browser(), { width: 1280, height: 800, hash: `#seed=${kPast}` });
    assert.equal(await shownText(page, 'seed'), `Seed ${kPast}`);
    assert.equal(await shownText(page, 'misread'), null);
    assert.equal(await boardShown(page), await consoleBoard(kPast));
    await page.close();
  });

  it('#day gives the board of the day in UTC, and its date', async () => {
    const page = await openPage(browser(), {
      width: 1280,
      height: 800,
      hash: '#day',
      now: kLateEvening,
      zone: 'Asia/Tokyo',
    });
    assert.equal(await page.evaluate(() => new Date(Date.now()).getDate()), 11);
    assert.equal(await shownText(page, 'seed'), `Board of 2026-12-10 (seed ${kThatDay})`);
    assert.equal(await boardShown(page), await consoleBoard(kThatDay));
    await page.close();
  });

  it('a change of the address\'s # part starts a session on its seed', async () => {
    const page = await openPage(browser(), { width: 1280, height: 800, hash: '#seed=7' });
    await enter(page, '');
    await playMoves(page, 'pq');
    await waitForPrompt(page, kPrompt);
    await page.evaluate(() => {
      window.location.hash = '#seed=0';
    });
    await waitForPrompt(page, kBegin);
    assert.equal(await shownText(page, 'seed'), 'Seed 0');
    assert.equal(await boardShown(page), await consoleBoard(0));
    // The session it replaced ended without a word.
    assert.equal(await shownText(page, 'ended'), null);
    await page.close();
  });
});

describe('the replay link', () => {
  // The first board of the game that follows the last "AGAIN? (Y/N)".
  const nextBoard = async (page) => boardIn((await screen(page)).split(kAgain).at(-1));

  for (const [name, hash] of [['of a seed in the address', `#seed=${kPast}`], ['of the clock', '']]) {
    it(`${name}: the same boards again, game after game`, async () => {
      const page = await openPage(browser(), { width: 1280, height: 800, hash });
      const seed = Number((await shownText(page, 'seed')).replace('Seed ', ''));
      const played = [];
      for (const answer of ['', 'y']) {
        await enter(page, answer);
        await waitForPrompt(page, kPrompt);
        played.push(await nextBoard(page));
        await playMoves(page, 'pqrs');
        await waitForPrompt(page, kAgain);
      }
      assert.notEqual(played[0], played[1]);
      const link = await page.$eval('#replay', (a) => a.href);
      assert.equal(link, `${pageUrl()}#seed=${seed}`);

      await page.click('#replay');
      await waitForPrompt(page, kBegin);
      assert.equal(await shownText(page, 'seed'), `Seed ${seed}`);
      for (const [i, answer] of ['', 'y'].entries()) {
        await enter(page, answer);
        await waitForPrompt(page, kPrompt);
        assert.equal(await nextBoard(page), played[i]);
        await playMoves(page, 'pqrs');
        await waitForPrompt(page, kAgain);
      }
      await page.close();
    });
  }

  it('Copy copies the address and a line to share', async () => {
    const page = await openPage(browser(), { width: 1280, height: 800, hash: '#seed=1733805020' });
    await page.evaluate(() => {
      window.copied = [];
      navigator.clipboard.writeText = async (text) => {
        window.copied.push(text);
      };
    });
    await enter(page, '');
    await playMoves(page, 'pqrs');
    await waitForPrompt(page, kAgain);
    await page.click('#copy');
    await page.waitForFunction(() => window.copied.length === 1);
    assert.deepEqual(await page.evaluate(() => window.copied), [
      `Tessan, seed 1733805020: 17, best 20\n${pageUrl()}#seed=1733805020`,
    ]);
    assert.equal(await shownText(page, 'copied'), 'Copied.');
    await page.close();
  });
});

describe('a link that the page does not understand', () => {
  const kSecond = 1780000000;
  for (const hash of ['#seed=abc', '#seed=-1', '#seed=4294967296', '#seed=', '#seeds=5']) {
    it(`${hash}: a sentence, and a game on the clock`, async () => {
      const page = await openPage(browser(), { width: 1000, height: 900, hash, now: kSecond });
      const said = await shownText(page, 'misread');
      assert.equal(said, `The link's seed (${hash}) was not understood, so the boards come from the clock.`);
      assert.equal(await shownText(page, 'seed'), `Seed ${kSecond}`);
      assert.equal(await boardShown(page), await consoleBoard(kSecond));
      assert.deepEqual(page.errors ?? [], []);
      await page.close();
    });
  }
});
