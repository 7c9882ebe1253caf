// The page as a new player reads it, in Chromium: the rules with the first
// board on a laptop, no word cut in two on a phone, typing that reaches the
// game wherever the focus is, and answer buttons that offer only what can
// be answered, once per question.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import {
  answerButton,
  answersOffered,
  browserForTests,
  enter,
  kAgain,
  kBegin,
  kPrompt,
  openPage,
  playMoves,
  screen,
  shownText,
  terminalRows,
  waitForPrompt,
  waitForText,
} from './chromium.mjs';
import { moment, runNative } from './harness.mjs';
import { webBuild } from './paths.mjs';

const kSeed = 1782045296;
const kLegend = ' T = TRUE      F = FALSE        AND = ET       OR = VEL';

const browser = browserForTests();

// The terminal's rows that the window shows, and its size.
async function viewport(page) {
  const rows = await terminalRows(page, { shown: true });
  const size = await page.evaluate(() => ({
    cols: window.tessanTerminal.cols,
    fontSize: window.tessanTerminal.options.fontSize,
  }));
  return { rows, ...size };
}

const words = (text) => text.split(/\s+/).filter(Boolean).sort();

describe('a laptop shows the rules with the first board', () => {
  for (const [width, height] of [[1280, 800], [1366, 768], [1920, 1080]]) {
    it(`${width} by ${height}`, async () => {
      const page = await openPage(browser(), { width, height });
      await enter(page, '');
      await waitForPrompt(page, kPrompt);
      const shown = await viewport(page);
      await page.screenshot({ path: `${webBuild}/rules-${width}x${height}.png` });
      await page.close();
      assert.ok(shown.rows.includes(kLegend), shown.rows.join('\n'));
      assert.ok(shown.rows.includes(kPrompt));
      assert.equal(shown.cols, 80);
      assert.ok(shown.rows.length >= 28 && shown.fontSize >= 14, JSON.stringify({ ...shown, rows: shown.rows.length }));
    });
  }
});

describe('a phone cuts no word in two', () => {
  const input = '\np\nq\nr\ns\n';
  let expected;
  before(async () => {
    const { stdout } = await runNative(moment(kSeed).stamp, input);
    expected = stdout;
  });

  for (const [width, height] of [[360, 800], [390, 844], [320, 568]]) {
    it(`${width} by ${height}: the rules, a game and the question after it`, async () => {
      const page = await openPage(browser(), { width, height, touch: true, hash: `#seed=${kSeed}` });
      await enter(page, '');
      await playMoves(page, 'pqrs');
      await waitForPrompt(page, kAgain);
      const rows = await terminalRows(page);
      const { cols, fontSize } = await viewport(page);
      await page.screenshot({ path: `${webBuild}/words-${width}x${height}.png` });
      await page.close();
      // A board's rows stand whole, each on a row of its own.
      assert.ok(cols >= 55, `${cols} columns at ${fontSize} px`);
      for (const line of expected.split('\n').filter((row) => row.length === 55)) {
        assert.ok(rows.includes(line), line);
      }
      // Every word the game wrote is on the screen whole, with the answers
      // typed: a word cut in two would make two.
      assert.deepEqual(words(rows.join('\n')), words(`${expected}\np\nq\nr\ns`));
    });
  }
});

describe('typing reaches the game wherever the focus is', () => {
  it('after a click on the header, and on empty page', async () => {
    const page = await openPage(browser(), { width: 1000, height: 900 });
    const focused = () =>
      page.evaluate(() => document.activeElement.classList.contains('xterm-helper-textarea'));
    await page.click('h1');
    assert.equal(await focused(), false);
    await page.keyboard.press('Enter');
    await waitForPrompt(page, kPrompt);
    assert.equal(await focused(), true);
    await page.mouse.click(500, 895);  // Below the answers.
    assert.equal(await focused(), false);
    await page.keyboard.type('x');
    await page.keyboard.press('Backspace');
    await page.keyboard.type('q');
    await page.keyboard.press('Enter');
    await waitForText(page, "Let's change q from FALSE to TRUE:");
    assert.doesNotMatch(await screen(page), /xq/);
    // Tab still moves the focus: to the answers.
    await waitForPrompt(page, kPrompt);
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'p');
    await page.close();
  });
});

describe('the answer buttons', () => {
  let page;
  before(async () => {
    page = await openPage(browser(), { width: 390, height: 844, touch: true, hash: `#seed=${kSeed}` });
  });
  after(() => page.close());

  it('on a touch screen, say how to stop without Ctrl', async () => {
    const header = await shownText(page, 'boards').then(() => page.$eval('header', (h) => h.innerText));
    assert.match(header, /answer quit at “AGAIN\? \(Y\/N\)”/);
    assert.doesNotMatch(header, /Ctrl/);
  });

  it('send a tapped answer alone, whatever was typed before it', async () => {
    await (await answerButton(page, 'Enter')).tap();
    await waitForPrompt(page, kPrompt);
    await page.focus('.xterm-helper-textarea');
    await page.keyboard.type('q');
    await (await answerButton(page, 'p')).tap();
    await waitForText(page, "Let's change p from FALSE to TRUE:");
    await waitForPrompt(page, kPrompt);
    assert.doesNotMatch(await screen(page), /Let's change q/);
  });

  it('offer only the propositions still FALSE', async () => {
    assert.deepEqual(await answersOffered(page), ['q', 'r', 's']);
    await (await answerButton(page, 'r')).tap();
    await waitForText(page, "Let's change r");
    await waitForPrompt(page, kPrompt);
    assert.deepEqual(await answersOffered(page), ['q', 's']);
    // A letter typed that is TRUE already still gets the game's answer.
    await page.focus('.xterm-helper-textarea');
    await enter(page, 'p');
    await waitForText(page, ' * * * ERROR * * * p is already TRUE');
    await waitForPrompt(page, kPrompt);
    assert.deepEqual(await answersOffered(page), ['q', 's']);
  });

  it('answer once however quickly they are tapped twice', async () => {
    await playMoves(page, 'qs');
    await waitForPrompt(page, kAgain);
    // Two taps before the game has read the first.
    await page.$eval('#answers', (group) => {
      const [yes] = group.querySelectorAll('button');
      yes.click();
      yes.click();
    });
    await waitForPrompt(page, kPrompt);
    const newGame = (await screen(page)).split(kAgain).at(-1);
    assert.deepEqual(newGame.split('\n').filter((line) => line === 'y'), ['y']);
    // Asked once: a second "y" would be a move, silently refused, and the
    // question asked again.
    assert.equal(newGame.split(' Which one of p, q, r and s').length, 2);
  });
});
