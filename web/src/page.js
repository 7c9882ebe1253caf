// The page: a terminal that fits its window, in which one session of the
// game runs at a time; buttons for the answers the game waits for; a live
// region that tells a screen reader what the game said; and the offer of a
// new session once one has ended.
import { Terminal } from '@xterm/xterm';
import './page.css';
import { Announcer, quietTerminal } from './announcer.js';
import { AnswerButtons } from './buttons.js';
import { blinkWhileBusy } from './cursor.js';
import { describeEnd } from './ending.js';
import { followWindow, guessFontSize } from './layout.js';
import { announcement, answersFor } from './records.js';
import { Session } from './session.js';
import { fromEmbeddedBytes } from './wasm.js';

// Standard error in a colour of its own (bright red), standard output as
// the game writes it.
const kErrorColour = '\x1b[91m';
const kDefaultColour = '\x1b[39m';
// Backspace at the start of a row that continues the one above goes back
// to the end of that one, so that erasing a long line erases all of it.
const kReverseWraparound = '\x1b[?45h';
const kEraseLine = '\x15';
// The most of what the game wrote between two answers that the page keeps
// to read its question and announce: lines typed ahead may make that long.
const kSaidLimit = 16384;

const hasWebAssembly = typeof WebAssembly === 'object';
const createModule = hasWebAssembly ? fromEmbeddedBytes(globalThis.createTessan) : null;

const box = document.getElementById('terminal');
const terminal = new Terminal({
  cols: 80,
  rows: 24,
  convertEol: true,  // The game ends its lines with a line feed alone.
  screenReaderMode: true,
  cursorBlink: true,
  fontFamily: 'ui-monospace, "DejaVu Sans Mono", Menlo, Consolas, monospace',
  // Near what fits the box, so that fitting it seldom redraws.
  fontSize: guessFontSize(box.clientWidth, box.clientHeight),
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

const ended = document.getElementById('ended');
const howItEnded = document.getElementById('how-it-ended');
const again = document.getElementById('again');
const announcer = new Announcer(document.getElementById('announcer'));

let session = null;
terminal.onData((data) => session?.type(data));

const buttons = new AnswerButtons(document.getElementById('answers'), {
  send: (answer) => session?.type(`${kEraseLine}${answer}\r`),
  focusTerminal: () => terminal.focus(),
});

const latin1 = new TextDecoder('latin1');

async function play() {
  ended.hidden = true;
  terminal.reset();
  terminal.write(kReverseWraparound);
  terminal.focus();
  // What the game wrote since it last waited for an answer.
  let said = '';
  session = new Session(createModule, {
    output: (stream, bytes) => {
      said = (said + latin1.decode(bytes)).slice(-kSaidLimit);
      if (stream === 2) terminal.write(kErrorColour);
      terminal.write(bytes);
      if (stream === 2) terminal.write(kDefaultColour);
    },
    echo: (text) => terminal.write(text),
    log: (text) => console.debug(text),
    wait: () => {
      buttons.show(answersFor(said));
      announcer.say(announcement(said));
      said = '';
    },
  });
  const outcome = hasWebAssembly ? await session.run() : {};
  buttons.show([]);
  const { text, again: canAgain } = describeEnd(outcome, hasWebAssembly);
  howItEnded.textContent = text;
  again.hidden = !canAgain;
  ended.hidden = false;
  if (canAgain) again.focus();
}

again.addEventListener('click', play);
play();
