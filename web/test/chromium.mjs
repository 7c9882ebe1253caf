// Debian's Chromium, headless, for the tests of the page, and what they
// read of the terminal in it.
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before } from 'node:test';
import puppeteer from 'puppeteer-core';
import { pagePath } from './paths.mjs';

const kChromium = process.env.TESSAN_CHROMIUM ?? '/usr/bin/chromium';
export const pageUrl = () => pathToFileURL(pagePath()).href;

export const kPrompt =
  ' Which one of p, q, r and s (only among those false) do you want to change?';
export const kAgain = ' AGAIN? (Y/N)';
export const kBegin = ' Press any key to begin';

// Starts Chromium with a profile of its own and `args` besides the usual;
// returns the browser, whose close() also removes the profile.
export async function launch(args = []) {
  const profile = await mkdtemp(join(tmpdir(), 'tessan-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: kChromium,
    headless: true,
    userDataDir: profile,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      ...args,
    ],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    await rm(profile, { recursive: true, force: true });
  };
  return browser;
}

// Launches Chromium before the tests of the file that calls it and closes
// it after them. Returns a function that gives the browser.
export function browserForTests() {
  let browser;
  before(async () => {
    browser = await launch();
  });
  after(async () => {
    await browser?.close();
  });
  return () => browser;
}

// The terminal's lines, scrollback included, as the game wrote them: rows
// that a line too long for the terminal wrapped onto are joined again.
// Runs in the page (as its source, in the waits).
function lines() {
  const buffer = window.tessanTerminal.buffer.active;
  const lines = [];
  for (let row = 0; row < buffer.length; ++row) {
    const line = buffer.getLine(row);
    const next = buffer.getLine(row + 1);
    const text = line.translateToString(!next?.isWrapped);
    if (line.isWrapped && lines.length > 0) lines[lines.length - 1] += text;
    else lines.push(text);
  }
  return lines;
}

// The terminal's lines as the player reads them, in one text.
export async function screen(page) {
  return (await page.evaluate(lines)).join('\n');
}

// Waits until a line on the screen shows `text`.
export async function waitForText(page, text) {
  await page.waitForFunction(
    `(${lines})().some((line) => line.includes(${JSON.stringify(text)}))`,
    { polling: 20, timeout: 10000 },
  );
}

// Returns true if the last rows on the screen that are not empty read
// `text`, a line of the game's (the page may have broken it between words
// over several rows). Runs in the page, as its source.
function endsWith(text) {
  const words = (line) => line.split(/\s+/).filter(Boolean).join(' ');
  const wanted = words(text);
  const shown = lines().filter((line) => line.trim() !== '');
  let read = '';
  while (read.length < wanted.length && shown.length > 0) {
    read = words(`${shown.pop()} ${read}`);
  }
  return read === wanted;
}

// Waits until the last line on the screen that is not empty is `text` (as
// the game writes it, with its leading blank): the game waits for the
// answer.
export async function waitForPrompt(page, text) {
  await page.waitForFunction(
    `(() => { const lines = ${lines}; return (${endsWith})(${JSON.stringify(text)}); })()`,
    { polling: 20, timeout: 10000 },
  );
}

// A new page of `width` by `height` CSS px (a phone's, with touch, if
// `touch`), opened at the address's # part `hash`, with the browser's clock
// stopped at second `now` and in the time zone `zone` if given, and waiting
// at the game's first question.
export async function openPage(browser, { width, height, touch = false, hash = '', now, zone }) {
  const page = await browser.newPage();
  if (zone) await page.emulateTimezone(zone);
  page.on('pageerror', (error) => {
    page.errors = [...(page.errors ?? []), error];
  });
  if (now !== undefined) {
    await page.evaluateOnNewDocument((ms) => {
      Date.now = () => ms;
    }, now * 1000);
  }
  await page.setViewport({ width, height, isMobile: touch, hasTouch: touch });
  await page.goto(pageUrl() + hash);
  await waitForPrompt(page, kBegin);
  return page;
}

// Types `line` and Enter.
export async function enter(page, line) {
  await page.keyboard.type(line);
  await page.keyboard.press('Enter');
}

// Presses Ctrl and `key`.
export async function pressControl(page, key) {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
}

// Plays `moves` by keys, each once its question is on the screen.
export async function playMoves(page, moves) {
  for (const move of moves) {
    await waitForPrompt(page, kPrompt);
    await enter(page, move);
  }
}

// The text of the element with id `id` as it reads on the page, or null
// while it is hidden.
export function shownText(page, id) {
  return page.$eval(`#${id}`, (element) => (element.checkVisibility() ? element.innerText : null));
}

// The first board on the screen: its rows from the status line to the
// score line, as the game wrote them.
export async function firstBoard(page) {
  const text = await screen(page);
  return boardIn(text);
}

// The first board in the game's output `text`.
export function boardIn(text) {
  const start = text.indexOf(' p = F');
  const end = text.indexOf('\n', text.indexOf('TOTAL SCORE', start));
  return text.slice(start, end);
}

// The terminal's rows as it shows them, without joining the rows that a
// long line wrapped onto: those that the window shows, if `shown`, else
// all of them, scrollback included.
export function terminalRows(page, { shown = false } = {}) {
  return page.evaluate((onlyShown) => {
    const terminal = window.tessanTerminal;
    const buffer = terminal.buffer.active;
    const first = onlyShown ? buffer.viewportY : 0;
    const end = onlyShown ? buffer.viewportY + terminal.rows : buffer.length;
    const rows = [];
    for (let row = first; row < end; ++row) rows.push(buffer.getLine(row).translateToString(true));
    return rows;
  }, shown);
}

// The answers that the buttons offer, as they read.
export function answersOffered(page) {
  return page.$$eval('#answers button', (buttons) => buttons.map((b) => b.textContent));
}

// The button that offers `answer`.
export async function answerButton(page, answer) {
  const [button] = await page.$$(`xpath/.//div[@id="answers"]/button[.="${answer}"]`);
  return button;
}
