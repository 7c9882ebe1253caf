// The page for every player, in Chromium: a phone played by taps alone,
// windows of every size, a screen reader's live region, an idle page that
// costs nothing, the line discipline on a terminal that wraps and copies,
// a browser without WebAssembly, and the page served over HTTP under its
// own Content-Security-Policy.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { after, before, describe, it } from 'node:test';
import {
  answerButton,
  answersOffered,
  browserForTests,
  kAgain,
  kBegin,
  kPrompt,
  launch,
  openPage,
  pageUrl,
  pressControl,
  screen,
  waitForPrompt,
  waitForText,
} from './chromium.mjs';
import { pagePath, webBuild } from './paths.mjs';

const browser = browserForTests();

// A new page of `width` by `height` CSS px (a phone's, with touch, if
// `touch`), opened on the game, waiting at its first question.
const open = (width, height, touch = false) => openPage(browser(), { width, height, touch });

// Where things are on the page, in CSS px of the window.
function layout(page) {
  return page.evaluate(() => {
    const terminal = window.tessanTerminal;
    const rect = (element) => element.getBoundingClientRect().toJSON();
    const rows = document.querySelectorAll('#terminal .xterm-rows > div');
    return {
      window: { width: window.innerWidth, height: window.innerHeight },
      pageWidth: document.documentElement.scrollWidth,
      cols: terminal.cols,
      rows: terminal.rows,
      fontSize: terminal.options.fontSize,
      box: rect(document.getElementById('terminal')),
      screen: rect(document.querySelector('#terminal .xterm-screen')),
      cursorRow: rect(rows[terminal.buffer.active.cursorY]),
    };
  });
}

// The questions, as the game asks them, and the answers offered for each:
// at a move, the propositions still FALSE.
const kOffered = new Map([
  [kBegin, ['Enter']],
  [kPrompt, ['p', 'q', 'r', 's']],
  [kAgain, ['y', 'help', 'quit']],
]);

// Taps the button for `answer` once the game asks `question`, and the
// buttons offer the answers it takes (`offered`, if given).
async function tap(page, question, answer, offered = kOffered.get(question)) {
  await waitForPrompt(page, question);
  assert.deepEqual(await answersOffered(page), offered);
  await (await answerButton(page, answer)).tap();
}

describe('a phone, 390 by 844 with touch', () => {
  let page;
  before(async () => {
    page = await open(390, 844, true);
  });
  after(() => page.close());

  it('plays a whole game by taps alone, and the board fits', async () => {
    await tap(page, kBegin, 'Enter');
    await tap(page, kPrompt, 'q');
    await waitForText(page, "Let's change q from FALSE to TRUE:");
    await waitForPrompt(page, kPrompt);
    await page.screenshot({ path: `${webBuild}/phone-board.png` });

    const shown = await layout(page);
    assert.ok(shown.pageWidth <= shown.window.width, JSON.stringify(shown));
    assert.ok(shown.cols >= 55 && shown.fontSize >= 11, JSON.stringify(shown));
    // A board's row, its step score at the end, is on the screen whole.
    assert.ok(shown.screen.left >= 0 && shown.screen.right <= shown.window.width);
    assert.match(await screen(page), /^ {2}\( p {3}AND {3}[TF] \) OR \( [TF] {3}AND {3}s \) {2}= {2}[TF] {4}SCORE =(\+1| 0)$/m);
    assert.ok(shown.cursorRow.bottom <= shown.window.height);
    for (const size of await page.$$eval('#answers button', (buttons) =>
      buttons.map((b) => [b.offsetWidth, b.offsetHeight]),
    )) {
      assert.ok(size[0] >= 44 && size[1] >= 44, `button of ${size}`);
    }

    await tap(page, kPrompt, 'p', ['p', 'r', 's']);
    await tap(page, kPrompt, 'r', ['r', 's']);
    await tap(page, kPrompt, 's', ['s']);
    await tap(page, kAgain, 'quit');
    await page.waitForSelector('#ended:not([hidden])');
    // Each tap typed its answer, echoed as the keyboard would; "quit" ends
    // the game without a word.
    await waitForPrompt(page, 'quit');
    const typed = (await screen(page)).split('\n').filter((line) =>
      /^(p|q|r|s|quit)$/.test(line),
    );
    assert.deepEqual(typed, ['q', 'p', 'r', 's', 'quit']);
    assert.deepEqual(await answersOffered(page), []);
  });
});

describe('windows of every size', () => {
  const kWindows = [
    { width: 600, height: 500 },
    { width: 844, height: 390, touch: true },
    { width: 1280, height: 800 },
    { width: 1920, height: 1080 },
  ];
  for (const { width, height, touch } of kWindows) {
    it(`${width} by ${height}: the line being typed in sight, the room used`, async () => {
      const page = await open(width, height, touch);
      await page.keyboard.press('Enter');
      await waitForPrompt(page, kPrompt);
      await page.keyboard.type('some words being typed');
      const shown = await layout(page);
      const text = JSON.stringify(shown);
      await page.screenshot({ path: `${webBuild}/board-${width}x${height}.png` });
      await page.close();

      assert.ok(shown.pageWidth <= width, text);
      assert.ok(shown.cursorRow.top >= 0 && shown.cursorRow.bottom <= height, text);
      assert.equal(shown.cols, 80, text);
      assert.ok(shown.fontSize >= 11, text);
      // The text is as large as the box allows: one more row, or wider
      // cells, would not fit in it.
      const cell = {
        width: shown.screen.width / shown.cols,
        height: shown.screen.height / shown.rows,
      };
      const roomy =
        shown.box.width - shown.screen.width < 2 * cell.width + 20 ||
        shown.box.height - shown.screen.height < 2 * cell.height;
      assert.ok(roomy, text);
    });
  }
});

describe('a desktop, 1000 by 900', () => {
  let page;
  before(async () => {
    page = await open(1000, 900);
  });
  after(() => page.close());

  it('announces the step, its total and the question after a move', async () => {
    await page.keyboard.press('Enter');
    await waitForPrompt(page, kPrompt);
    await page.keyboard.type('r\n');
    await waitForText(page, "Let's change r");
    await waitForPrompt(page, kPrompt);
    const region = await page.$eval('#announcer', (element) => ({
      live: element.getAttribute('aria-live'),
      lines: [...element.children].map((line) => line.textContent),
    }));
    assert.equal(region.live, 'polite');
    assert.equal(region.lines[0], "Let's change r from FALSE to TRUE:");
    assert.match(region.lines.at(-2), /^SCORE = \d TOTAL SCORE = \d+$/);
    assert.equal(region.lines.at(-1), kPrompt.trim());
    // The terminal's own announcements, which give up on a board, are off.
    assert.equal(await page.$$eval('#terminal [aria-live]:not([aria-live="off"])', (e) => e.length), 0);
  });

  it('runs nothing while the game waits, the terminal focused', async () => {
    assert.ok(await page.evaluate(() =>
      document.activeElement.classList.contains('xterm-helper-textarea'),
    ));
    // The cursor blinks for a few seconds after the last key or output.
    await new Promise((resolve) => setTimeout(resolve, 4500));
    const busy = async () => (await page.metrics()).TaskDuration;
    const before = await busy();
    await new Promise((resolve) => setTimeout(resolve, 3000));
    const used = (await busy()) - before;
    assert.ok(used < 0.03, `${used} s of 3 s`);
  });

  it('erases a wrapped line with Backspace, on the screen and in the game', async () => {
    const kLength = 200;  // Wraps over three rows of 80.
    await page.keyboard.type('x'.repeat(kLength));
    for (let i = 0; i < kLength; ++i) await page.keyboard.press('Backspace');
    const after = (await screen(page)).split(kPrompt).at(-1);
    assert.equal(after.trim(), '');
    await page.keyboard.type('s\n');
    await waitForText(page, "Let's change s");
  });

  it('copies with Ctrl+C when text is selected, and plays on', async () => {
    await waitForPrompt(page, kPrompt);
    await page.evaluate(() => {
      window.copied = null;
      document.addEventListener('copy', (event) => {
        window.copied = event.clipboardData.getData('text/plain');
      });
      const terminal = window.tessanTerminal;
      const buffer = terminal.buffer.active;
      for (let row = buffer.length - 1; row >= 0; --row) {
        if (buffer.getLine(row).translateToString(true).startsWith(" Let's change s")) {
          terminal.select(1, row, 14);
          return;
        }
      }
    });
    await pressControl(page, 'c');
    await page.waitForFunction(() => window.copied !== null, { timeout: 5000 });
    assert.equal(await page.evaluate(() => window.copied), "Let's change s");
    await page.keyboard.type('p\n');
    await waitForText(page, "Let's change p");
    assert.doesNotMatch(await screen(page), /Interrupt/);
  });

  it('reaches the answer buttons with Tab, and back with Shift+Tab', async () => {
    const focused = () =>
      page.evaluate(() =>
        document.activeElement.classList.contains('xterm-helper-textarea')
          ? 'terminal'
          : document.activeElement.textContent,
      );
    await waitForPrompt(page, kPrompt);
    assert.equal(await focused(), 'terminal');
    // The one proposition still FALSE is the one button.
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'q');
    await page.keyboard.press('Enter');
    await waitForPrompt(page, kAgain);
    // The question's new answers take the focus.
    assert.equal(await focused(), 'y');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    assert.equal(await focused(), 'terminal');
    assert.match(await screen(page), /^q$/m);
  });
});

describe('keys typed while the page loads', () => {
  it('reach the game once it asks', async () => {
    const page = await browser().newPage();
    // The game's module waits to compile until the test lets it.
    await page.evaluateOnNewDocument(() => {
      const compile = WebAssembly.compile.bind(WebAssembly);
      const gate = new Promise((resolve) => {
        window.startModule = resolve;
      });
      WebAssembly.compile = async (bytes) => {
        await gate;
        return compile(bytes);
      };
    });
    await page.goto(pageUrl(), { waitUntil: 'domcontentloaded' });
    await page.waitForFunction(() => window.tessanTerminal);
    await page.keyboard.type('\rs\r');
    assert.doesNotMatch(await screen(page), /Press any key/);
    await page.evaluate(() => window.startModule());
    await waitForText(page, "Let's change s from FALSE to TRUE:");
    await page.close();
  });
});

describe('a browser without WebAssembly (no JIT)', () => {
  let jitless;
  before(async () => {
    jitless = await launch(['--js-flags=--jitless']);
  });
  after(() => jitless?.close());

  it('says that the game needs WebAssembly', async () => {
    const page = await jitless.newPage();
    await page.goto(pageUrl());
    await page.waitForSelector('#ended:not([hidden])');
    const message = await page.$eval('#how-it-ended', (element) => element.textContent);
    assert.match(message, /WebAssembly/);
    assert.doesNotMatch(message, /input ran out/);
    assert.equal(await page.$eval('#again', (element) => element.hidden), true);
  });
});

describe('the page served over HTTP', () => {
  let server;
  const served = [];
  before(async () => {
    const body = await readFile(pagePath());
    server = createServer((request, response) => {
      served.push(request.url);
      if (request.url !== '/') {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { 'content-type': 'text/html; charset=utf-8' });
      response.end(body);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  });
  after(() => server?.close());

  it('asks for the page alone, and its policy lets the game run', async () => {
    const page = await browser().newPage();
    await page.evaluateOnNewDocument(() => {
      window.violations = [];
      document.addEventListener('securitypolicyviolation', (event) => {
        window.violations.push(`${event.violatedDirective} ${event.blockedURI}`);
      });
    });
    const fetched = [];
    page.on('request', (request) => fetched.push(request.url()));
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await waitForPrompt(page, kBegin);
    await page.keyboard.press('Enter');
    await waitForPrompt(page, kPrompt);
    const policy = await page.$eval(
      'meta[http-equiv="Content-Security-Policy"]',
      (element) => element.content,
    );
    assert.match(policy, /default-src 'none'/);
    assert.deepEqual(await page.evaluate(() => window.violations), []);
    assert.deepEqual(served, ['/']);
    assert.deepEqual(
      fetched.filter((url) => url.startsWith('data:application/')),
      [],
    );
    await page.close();
  });
});
