// Debian's Chromium, headless, for the tests of the page, and what they
// read of the terminal in it.
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
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

// Waits until the last line on the screen that is not empty is `text` (as
// the game writes it, with its leading blank): the game waits for the
// answer.
export async function waitForPrompt(page, text) {
  await page.waitForFunction(
    `(${lines})().findLast((line) => line !== '') === ${JSON.stringify(text)}`,
    { polling: 20, timeout: 10000 },
  );
}
