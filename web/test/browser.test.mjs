// The page in a real browser: Debian's Chromium, headless, opens tessan.html
// from disk, and a player types whole games key by key and reads the screen
// from the terminal's buffer.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import {
  enter as enterOn,
  kAgain,
  kBegin,
  kPrompt,
  launch,
  pageUrl,
  playMoves as playMovesOn,
  pressControl,
  screen as screenOf,
  waitForPrompt as waitForPromptOf,
  waitForText as waitForTextOf,
} from './chromium.mjs';
import { webBuild } from './paths.mjs';

const kPageUrl = pageUrl();

let browser;
let page;
const requests = [];

before(async () => {
  browser = await launch();
  page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 900 });
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(kPageUrl);
});

after(async () => {
  await browser?.close();
});

const screen = () => screenOf(page);

const waitFor = (text) => waitForTextOf(page, text);

const enter = (line) => enterOn(page, line);

const control = (key) => pressControl(page, key);

const waitForPrompt = (text) => waitForPromptOf(page, text);

// Plays moves, each once its prompt is there.
const playMoves = (moves) => playMovesOn(page, moves);

const endedMessage = () =>
  page.$eval('#ended', (element) => (element.hidden ? null : element.innerText));

describe('tessan.html in Chromium', () => {
  it('shows the title, and the terminal has the keyboard', async () => {
    assert.equal(await page.title(), 'Tessan');
    await waitForPrompt(kBegin);
    assert.ok(
      await page.evaluate(() =>
        document.activeElement.classList.contains('xterm-helper-textarea'),
      ),
    );
    assert.equal(await endedMessage(), null);
  });

  it('plays a game typed key by key', async () => {
    await enter('');
    await waitForPrompt(kPrompt);
    // A slip, erased before Enter.
    await page.keyboard.type('x');
    await page.keyboard.press('Backspace');
    await enter('p');
    await waitFor("Let's change p from FALSE to TRUE:");
    await waitForPrompt(kPrompt);
    const board = (await screen()).split("Let's change p")[1];
    assert.match(board, /^ p = T {11}q = F {11}r = F {12}s = F$/m);
    assert.match(board, /^ {2}\( p {3}AND {3}[TF] \) OR \( [TF] {3}AND {3}s \) {2}= {2}[TF] {4}SCORE =(\+1| 0)$/m);
    assert.match(board, /^ {46}SCORE = \d {3}TOTAL SCORE = \d+$/m);
    const terminal = await page.$('#terminal');
    await terminal.screenshot({ path: `${webBuild}/board.png` });

    await enter('p');
    await waitFor(' * * * ERROR * * * p is already TRUE');
    await playMoves('qrs');
    await waitForPrompt(kAgain);
    const shown = await screen();
    const scores = [...shown.matchAll(/^ {46}SCORE = (\d+) {3}TOTAL SCORE = (\d+)$/gm)];
    assert.equal(scores.length, 5);
    const total = scores.reduce((sum, score) => sum + Number(score[1]), 0);
    assert.equal(Number(scores[4][2]), total);
    assert.match(shown, new RegExp(`^ GAME OVER - TOTAL SCORE = ${total}$`, 'm'));
  });

  it('plays again on y and ends with "End." on another answer', async () => {
    await enter('y');
    await playMoves('srqp');
    await waitForPrompt(kAgain);
    await enter('no');
    await waitFor(' End.');
    await page.waitForSelector('#ended:not([hidden])');
    assert.match(await endedMessage(), /^The game has ended\./);
  });

  it('starts a new session from the banner, and Ctrl+C interrupts it', async () => {
    await page.click('#again');
    await waitForPrompt(kBegin);
    assert.doesNotMatch(await screen(), /End\./);
    assert.equal(await endedMessage(), null);
    await enter('');
    await waitForPrompt(kPrompt);
    await control('c');
    await waitFor('Interrupt');
    await page.waitForSelector('#ended:not([hidden])');
    assert.match(await endedMessage(), /interrupted/);
    // Standard error in its own colour: bright red from the palette.
    const colour = await page.evaluate(() => {
      const buffer = window.tessanTerminal.buffer.active;
      for (let row = 0; row < buffer.length; ++row) {
        const line = buffer.getLine(row);
        if (line.translateToString(true) === 'Interrupt') {
          const cell = line.getCell(0);
          return { palette: cell.isFgPalette(), index: cell.getFgColor() };
        }
      }
      return null;
    });
    assert.deepEqual(colour, { palette: true, index: 9 });
  });

  it('ends input on Ctrl+D at an empty line, with the report', async () => {
    await page.click('#again');
    await waitForPrompt(kBegin);
    await control('d');
    await waitFor('fmt: end of file');
    await waitFor('lately reading sequential formatted external IO');
    await page.waitForSelector('#ended:not([hidden])');
    assert.match(await endedMessage(), /input ran out/);
  });

  it('fetched nothing but the page itself and its inline icon', () => {
    const elsewhere = requests.filter(
      (url) => url !== kPageUrl && !url.startsWith('data:image/svg+xml,'),
    );
    assert.deepEqual(elsewhere, []);
  });
});
