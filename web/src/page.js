// The page: a terminal that fits its window, in which one session of the
// game runs at a time, on the seed that the page's address gives or the
// clock's; buttons for the answers the game waits for; a live region that
// tells a screen reader what the game said; after each game, its review
// and a row in the table of games; and the offer of a new session once one
// has ended.
import { Terminal } from '@xterm/xterm';
import './page.css';
import { Announcer, quietTerminal } from './announcer.js';
import { AnswerButtons } from './buttons.js';
import { blinkWhileBusy } from './cursor.js';
import { describeEnd } from './ending.js';
import { typeAnywhere } from './keys.js';
import { followWindow, guessFontSize, guessRows } from './layout.js';
import { announcement, answersFor, questionOf } from './records.js';
import { GameReader, review, reviewSentence } from './review.js';
import { GamesTable, ReviewPanel } from './review-panel.js';
import { GameScreen, kStandardOutput } from './screen.js';
import { boardsText, misreadText, replayAddress, seedFor, shareLine } from './seed.js';
import { Session } from './session.js';
import { copyText } from './share.js';
import { fromEmbeddedBytes } from './wasm.js';

// Backspace at the start of a row that continues the one above goes back
// to the end of that one, so that erasing a long line erases all of it.
const kReverseWraparound = '\x1b[?45h';
const kInterrupt = '\x03';
const kEraseLine = '\x15';
// The most of what the game wrote between two answers that the page keeps
// to read its question and announce: lines typed ahead may make that long.
const kSaidLimit = 16384;

const hasWebAssembly = typeof WebAssembly === 'object';
const createModule = hasWebAssembly ? fromEmbeddedBytes(globalThis.createTessan) : null;

const box = document.getElementById('terminal');
// Near what fits the box, so that fitting it seldom redraws.
const room = getComputedStyle(box);
const fontSize = guessFontSize(parseFloat(room.width), parseFloat(room.height));
const terminal = new Terminal({
  cols: 80,
  rows: guessRows(parseFloat(room.height), fontSize),
  convertEol: true,  // The game ends its lines with a line feed alone.
  screenReaderMode: true,
  cursorBlink: true,
  fontFamily: 'ui-monospace, "DejaVu Sans Mono", Menlo, Consolas, monospace',
  fontSize,
  scrollback: 5000,
});
terminal.open(box);
// For whoever drives the page from outside, the tests among them.
window.tessanTerminal = terminal;
followWindow(terminal, box);
blinkWhileBusy(terminal);
quietTerminal(terminal);

// Keys that the page keeps from the terminal and leaves to the browser:
// Ctrl+C (or Cmd+C) with a selection, the browser's copy, which the
// terminal fills with the selection (without one, Ctrl+C interrupts the
// game); and Tab and Shift+Tab, which move the focus to the answer buttons
// and back, so that the keyboard is never trapped in the terminal.
function forBrowser(event) {
  if (event.type !== 'keydown' || event.altKey) return false;
  const command = event.ctrlKey || event.metaKey;
  if (event.key === 'Tab') return !command;
  return command && event.key.toLowerCase() === 'c' && terminal.hasSelection();
}
terminal.attachCustomKeyEventHandler((event) => !forBrowser(event));

const byId = (id) => document.getElementById(id);
const ended = byId('ended');
const howItEnded = byId('how-it-ended');
const again = byId('again');
const announcer = new Announcer(byId('announcer'));
const panel = new ReviewPanel(byId('review'), copyText);
const games = new GamesTable(byId('games'), byId('no-games'));

let session = null;
const type = (data) => session?.type(data);
terminal.onData(type);
typeAnywhere({ type, focus: () => terminal.focus() });

const buttons = new AnswerButtons(byId('answers'), {
  send: (answer) => type(`${kEraseLine}${answer}\r`),
  focusTerminal: () => terminal.focus(),
});

// Shows which boards the session plays, and says so if the address asked
// for a seed that the page did not understand.
function showBoards(boards) {
  byId('seed').textContent = boardsText(boards);
  byId('day-link').hidden = boards.day !== undefined;
  const misread = byId('misread');
  misread.hidden = boards.misread === undefined;
  misread.textContent = misread.hidden ? '' : misreadText(boards);
}

const latin1 = new TextDecoder('latin1');

// Starts a new session on the seed that the address gives, ending the one
// that runs, if any, without a word.
async function play() {
  const boards = seedFor(window.location.hash, Date.now());
  showBoards(boards);
  ended.hidden = true;
  panel.hide();
  terminal.reset();
  terminal.write(kReverseWraparound);
  terminal.focus();

  const reader = new GameReader();
  let ending = null;  // The review of the game that has just ended.
  let played = 0;
  // What the game wrote since it last waited for an answer.
  let said = '';
  const screen = new GameScreen({
    write: (text) => terminal.write(text),
    columns: () => terminal.cols,
    onLine: (stream, line) => {
      if (stream !== kStandardOutput) return;
      const game = reader.read(line);
      if (reader.ended === played) return;
      played = reader.ended;
      ending = game && { result: review(game), number: played };
      if (ending) games.add(ending.result);
    },
  });

  const previous = session;
  const current = new Session(createModule, {
    seconds: boards.seed,
    output: (stream, bytes) => {
      if (session !== current) return;
      const text = latin1.decode(bytes);
      said = (said + text).slice(-kSaidLimit);
      panel.hide();
      screen.show(stream, text);
    },
    echo: (text) => {
      if (session === current) terminal.write(text);
    },
    log: (text) => console.debug(text),
    wait: () => {
      if (session !== current) return;
      screen.flush();
      buttons.show(answersFor(said, reader.position));
      const words = announcement(said);
      if (ending && questionOf(said) === 'again') {
        const { result, number } = ending;
        panel.show(result, {
          address: replayAddress(window.location.href, boards.seed),
          line: shareLine(boards, number, result.total, result.best),
        });
        words.push(reviewSentence(result));
      }
      ending = null;
      announcer.say(words);
      said = '';
    },
  });
  session = current;
  // The session it replaces ends as at Ctrl+C, unseen.
  previous?.type(kInterrupt);

  const outcome = hasWebAssembly ? await current.run() : {};
  if (session !== current) return;
  screen.flush();
  panel.hide();
  buttons.show([]);
  const { text, again: canAgain } = describeEnd(outcome, hasWebAssembly);
  howItEnded.textContent = text;
  again.hidden = !canAgain;
  ended.hidden = false;
  if (canAgain) again.focus();
}

// A new address, from the replay link or typed, starts its session. The
// replay link of the session's own address changes nothing in it, so a
// click on it starts the session itself.
window.addEventListener('hashchange', play);
byId('replay').addEventListener('click', (event) => {
  const plain = event.button === 0 && !(event.ctrlKey || event.metaKey || event.shiftKey || event.altKey);
  if (plain && event.currentTarget.href === window.location.href) {
    event.preventDefault();
    play();
  }
});
again.addEventListener('click', play);
play();
