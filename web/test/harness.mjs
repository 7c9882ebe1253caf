// Running one session of the browser edition's module under Node, or of
// the console program with its clock fixed by libfaketime.
import { spawn } from 'node:child_process';
import { existsSync, readFileSync, readdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { Session } from '../src/session.js';
import { modulePath, nativeProgram, wasmPath } from './paths.mjs';

const program = nativeProgram();

// libfaketime itself rather than the faketime command, which stands between
// the test and the program: it would take the signals sent to the program
// and add words of its own to standard error when the program aborts.
const libfaketime =
  process.env.TESSAN_LIBFAKETIME ??
  readdirSync('/usr/lib')
    .map((folder) => `/usr/lib/${folder}/faketime/libfaketime.so.1`)
    .find(existsSync);
if (!libfaketime) throw new Error('libfaketime is missing: apt-get install faketime');

// The module with its WebAssembly handed over, as the page hands it (the
// runtime would otherwise fetch the file, which Node cannot by its path).
const createModule = createRequire(import.meta.url)(modulePath());
const wasmBinary = readFileSync(wasmPath());
const createTessan = (settings) => createModule({ ...settings, wasmBinary });

// The clock of both runs: a moment given in UTC, and its seconds.
export function clock(stamp) {
  return { stamp, seconds: Date.parse(`${stamp.replace(' ', 'T')}Z`) / 1000 };
}

// Starts a session of the module with the browser's clock at `seconds`,
// or, with `seeded`, the browser's clock as it is and `seconds` handed to
// the module as the page hands it the seed of a session. Returns the
// session, its end (a promise of { outcome, stdout, stderr, log }) and
// what it has written so far.
export function startWeb(seconds, { seeded = false } = {}) {
  const written = { 1: [], 2: [] };
  const log = [];
  const realNow = Date.now;
  if (!seeded) Date.now = () => seconds * 1000;
  const session = new Session(createTessan, {
    output: (stream, bytes) => written[stream].push(Buffer.from(bytes)),
    echo: () => {},
    log: (text) => log.push(text),
    seconds: seeded ? seconds : undefined,
  });
  const end = session.run().then((outcome) => ({
    outcome,
    stdout: Buffer.concat(written[1]).toString('latin1'),
    stderr: Buffer.concat(written[2]).toString('latin1'),
    log,
  }));
  // The module reads the clock once, at the start of main().
  end.finally(() => {
    Date.now = realNow;
  });
  const stdout = () => Buffer.concat(written[1]).toString('latin1');
  return { session, end, stdout };
}

// Runs a whole session of the module on `keys`, typed at once; `options`
// as for startWeb.
export async function runWeb(seconds, keys, options) {
  const { session, end } = startWeb(seconds, options);
  session.type(keys);
  return end;
}

// Starts the console program at the fixed moment `stamp` with `input` on
// its standard input; returns the child and its end (a promise of
// { outcome, stdout, stderr }), the outcome in the terms of Session.run.
export function startNative(stamp, input = null) {
  // A time without "@" stops the clock there: both runs see the same second.
  const child = spawn(program, [], {
    env: { ...process.env, LD_PRELOAD: libfaketime, FAKETIME: stamp, TZ: 'UTC' },
    stdio: ['pipe', 'pipe', 'pipe'],
  });
  const chunks = { stdout: [], stderr: [] };
  child.stdout.on('data', (chunk) => chunks.stdout.push(chunk));
  child.stderr.on('data', (chunk) => chunks.stderr.push(chunk));
  if (input !== null) child.stdin.end(input, 'latin1');
  const end = new Promise((resolve) => {
    child.on('close', (status, signal) =>
      resolve({
        outcome: signal === 'SIGABRT' ? { aborted: true } : { status, signal },
        stdout: Buffer.concat(chunks.stdout).toString('latin1'),
        stderr: Buffer.concat(chunks.stderr).toString('latin1'),
      }),
    );
  });
  const stdout = () => Buffer.concat(chunks.stdout).toString('latin1');
  return { child, end, stdout };
}

export function runNative(stamp, input) {
  return startNative(stamp, input).end;
}

// Resolves once `read()` includes `text`. Keeps time with performance.now(),
// since the web sessions fix Date.now().
export async function until(read, text, timeout = 10000) {
  const deadline = performance.now() + timeout;
  while (!read().includes(text)) {
    if (performance.now() > deadline) throw new Error(`no "${text}" in time`);
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}

// The moment of second `seconds` since 1970-01-01 UTC, as clock() gives it.
export function moment(seconds) {
  return clock(new Date(seconds * 1000).toISOString().slice(0, 19).replace('T', ' '));
}
