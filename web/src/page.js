// The page: an 80-column terminal in which one session of the game runs at
// a time, and the offer of a new session once it has ended.
import { Terminal } from '@xterm/xterm';
import './page.css';
import { Session } from './session.js';

// Standard error in a colour of its own (bright red), standard output as
// the game writes it.
const kErrorColour = '\x1b[91m';
const kDefaultColour = '\x1b[39m';

const terminal = new Terminal({
  cols: 80,
  rows: 30,
  convertEol: true,  // The game ends its lines with a line feed alone.
  screenReaderMode: true,
  cursorBlink: true,
  fontFamily: 'ui-monospace, "DejaVu Sans Mono", Menlo, Consolas, monospace',
  fontSize: 15,
  scrollback: 5000,
});
terminal.open(document.getElementById('terminal'));
// For whoever drives the page from outside, the tests among them.
window.tessanTerminal = terminal;

const ended = document.getElementById('ended');
const howItEnded = document.getElementById('how-it-ended');
const again = document.getElementById('again');

let session = null;
terminal.onData((data) => session?.type(data));

function describe(outcome) {
  if (outcome.aborted) return 'The game has ended: its input ran out.';
  if (outcome.error) return `The game could not run: ${outcome.error}.`;
  if (outcome.status !== 0) return 'The game was interrupted.';
  return 'The game has ended.';
}

async function play() {
  ended.hidden = true;
  terminal.reset();
  terminal.focus();
  session = new Session(globalThis.createTessan, {
    output: (stream, bytes) => {
      if (stream === 2) terminal.write(kErrorColour);
      terminal.write(bytes);
      if (stream === 2) terminal.write(kDefaultColour);
    },
    echo: (text) => terminal.write(text),
    log: (text) => console.debug(text),
  });
  const outcome = await session.run();
  howItEnded.textContent = describe(outcome);
  ended.hidden = false;
  again.focus();
}

again.addEventListener('click', play);
play();
