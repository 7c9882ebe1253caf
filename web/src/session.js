// One session of the game in a fresh instance of its WebAssembly module,
// behind the line discipline of a terminal in canonical mode: typed
// characters are echoed and collected, Backspace erases, Enter hands the
// line with its line feed to the game, Ctrl+U erases the line, Ctrl+C
// interrupts and Ctrl+D on an empty line ends input. Lines typed or pasted
// before the game asks for them wait in a queue, one read per line.
//
// Nothing here touches the page, so that the tests can run it under Node.

const kInterrupt = '\x03';
const kEndOfInput = '\x04';
const kEraseLine = '\x15';
const kErase = new Set(['\x7f', '\b']);
const kLineEnd = new Set(['\r', '\n']);
// Escape sequences, as keys such as the arrows and F1 send them: the game
// has no use for them, so they are dropped whole.
const kEscapeSequence = /\x1b(\[[0-?]*[ -/]*[@-~]|O.|.)?/gs;

const encoder = new TextEncoder();

export class Session {
  #createModule;
  #output;
  #echo;
  #log;
  #wait;
  #seconds;
  #editing = [];  // The line being typed, one character an entry.
  #lines = [];  // Lines not read yet; one of no bytes is the end of input.
  #reader = null;  // Resolves the game's read while it waits.
  #interrupted = false;
  #over = false;

  // `createModule` is the module's factory (createTessan). `output(stream,
  // bytes)` receives what the game writes on standard output (1) or
  // standard error (2); `echo(text)` what the terminal shows of the typing;
  // `log(text)` the runtime's own diagnostics, which are not the game's;
  // `wait()` learns that the game has begun to wait for a line that has not
  // been typed yet; and `seconds`, if given, is the clock's second that the
  // game reads when it starts, the seed of its boards (else it reads the
  // browser's clock).
  constructor(createModule, { output, echo, log = () => {}, wait = () => {}, seconds }) {
    this.#createModule = createModule;
    this.#output = output;
    this.#echo = echo;
    this.#log = log;
    this.#wait = wait;
    this.#seconds = seconds;
  }

  // True while the game waits for a line.
  get waiting() {
    return this.#reader !== null;
  }

  // Runs the game to its end and returns how it ended: { status } for an
  // exit, { aborted: true } for the abnormal end that the game reports
  // itself (the end of input), or { error } if the module could not start
  // or failed in any other way.
  async run() {
    let reported = false;
    try {
      const clock = this.#seconds === undefined ? {} : { tessanSeconds: () => this.#seconds };
      const module = await this.#createModule({
        ...clock,
        tessanRead: (size) => this.#read(size),
        tessanWrite: (stream, bytes) => this.#output(stream, bytes),
        print: this.#log,
        printErr: this.#log,
        tessanReport: () => {
          reported = true;
        },
        // exit() ends this instance only, never the page or the process.
        quit: (status, toThrow) => {
          throw toThrow;
        },
      });
      // main() returns to us at its first read; the promise settles when it
      // has really finished.
      const status = await module.ccall('main', 'number', [], [], {
        async: true,
      });
      return { status };
    } catch (error) {
      if (error?.name === 'ExitStatus') return { status: error.status };
      if (reported) return { aborted: true };
      return { error };
    } finally {
      this.#over = true;
      this.#reader = null;
    }
  }

  // Takes keys and pasted text as a terminal receives them.
  type(data) {
    for (const character of data.replace(kEscapeSequence, '')) {
      if (this.#over) return;
      if (kLineEnd.has(character)) {
        this.#echo('\n');
        this.#send(this.#editing.join('') + '\n');
      } else if (kErase.has(character)) {
        if (this.#editing.pop() !== undefined) this.#echo('\b \b');
      } else if (character === kEraseLine) {
        this.#echo('\b \b'.repeat(this.#editing.length));
        this.#editing = [];
      } else if (character === kInterrupt) {
        this.#echo('^C\n');
        this.#interrupt();
      } else if (character === kEndOfInput) {
        // As on a terminal: Ctrl+D hands over what is typed without a line
        // end; on an empty line that is nothing, which is the end of input.
        this.#send(this.#editing.join(''));
      } else if (character === '\t' || character >= ' ') {
        this.#editing.push(character);
        this.#echo(character === '\t' ? ' ' : character);
      }
    }
  }

  #send(line) {
    this.#editing = [];
    this.#lines.push(encoder.encode(line));
    this.#handOver();
  }

  #interrupt() {
    this.#editing = [];
    this.#lines = [];
    this.#interrupted = true;
    this.#handOver();
  }

  // Answers the waiting read, if there is one and something to answer.
  #handOver() {
    if (this.#reader === null) return;
    const answer = this.#take(this.#reader.size);
    if (answer === undefined) return;
    const { resolve } = this.#reader;
    this.#reader = null;
    resolve(answer);
  }

  // Returns the answer to a read of `size` bytes: null after an interrupt,
  // the next line or its first `size` bytes, or undefined if nothing is
  // there yet.
  #take(size) {
    if (this.#interrupted) return null;
    if (this.#lines.length === 0) return undefined;
    const line = this.#lines[0];
    if (line.length <= size) return this.#lines.shift();
    this.#lines[0] = line.subarray(size);
    return line.subarray(0, size);
  }

  // The game's read: a promise that the typing resolves, so that nothing
  // runs while the game waits.
  #read(size) {
    const answer = this.#take(size);
    if (answer !== undefined) return Promise.resolve(answer);
    return new Promise((resolve) => {
      this.#reader = { size, resolve };
      this.#wait();
    });
  }
}
