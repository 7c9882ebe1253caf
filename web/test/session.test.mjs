// The browser edition's module under Node against the console program: the
// same input, started in the same second, must give the same bytes on
// standard output and standard error and the same kind of end.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  clock,
  moment,
  runNative,
  runWeb,
  startNative,
  startWeb,
  until,
} from './harness.mjs';

const kMoments = [
  clock('2026-01-02 03:04:05'),
  clock('2026-07-14 18:00:00'),
  clock('2031-11-30 23:59:59'),
];

// How a run ended, in words that both kinds of run share.
function ending({ outcome }) {
  if (outcome.aborted) return 'abnormal end';
  return `exit ${outcome.status}`;
}

function assertSameRun(web, native) {
  assert.equal(web.stdout, native.stdout);
  assert.equal(web.stderr, native.stderr);
  assert.equal(ending(web), ending(native));
}

// The keys that give the console program's `input` in the page: the lines
// as typed, then Ctrl+D where input ends (twice after a last line without
// a line end: the first hands that line over, the second ends input).
function keysFor(input) {
  return input + (input === '' || input.endsWith('\n') ? '\x04' : '\x04\x04');
}

describe('the module and the console program', () => {
  const sessions = {
    'games with invalid moves, help and quit':
      '\nP\n \n\np\np\nq\nr\ns\nyes\ns\nr\nq\np\nhelp\n\nq\np\nr\ns\nquit\n',
    'moves of several characters, Y and an unknown answer':
      'go\npq\nqp\nr\nsss\nY\nr\ns\np\nq\nno\n',
    'aiuto, then exit': '\nq\nr\ns\np\naiuto\ns\np\nq\nr\nexit\n',
    'a blank before y ends silently': '\np\nq\nr\ns\n y\n',
    'a start line far longer than the read buffer':
      `${'x'.repeat(200000)}\np\nq\nr\ns\n${'y'.repeat(70000)}\ns\nr\nq\np\nquit\n`,
  };
  const endsOfInput = {
    'at the start prompt': '',
    'at a move prompt': '\np\nq\n',
    'at the play-again prompt': '\np\nq\nr\ns\n',
    'after a short last line without a line end': '\np\nq\nr\ns\ny',
    'after a move letter without a line end': '\np',
  };

  for (const { stamp, seconds } of kMoments) {
    describe(`started at ${stamp} UTC`, () => {
      for (const [name, input] of Object.entries(sessions)) {
        it(name, async () => {
          assertSameRun(
            await runWeb(seconds, keysFor(input)),
            await runNative(stamp, input),
          );
        });
      }
    });
  }

  describe('end of input: the report on standard error', () => {
    const { stamp, seconds } = kMoments[0];
    for (const [name, input] of Object.entries(endsOfInput)) {
      it(name, async () => {
        const web = await runWeb(seconds, keysFor(input));
        assertSameRun(web, await runNative(stamp, input));
        assert.equal(ending(web), 'abnormal end');
        assert.match(web.stderr, /end of file\napparent state: unit 5/);
      });
    }
  });

  it('Ctrl+C at a move prompt ends as an interrupt does', async () => {
    const { stamp, seconds } = kMoments[1];
    const kPrompt = 'do you want to change?\n';

    const native = startNative(stamp);
    native.child.stdin.write('\nq\n');
    await until(native.stdout, `${kPrompt}\n\n\n Let's change q`);
    await until(() => native.stdout().slice(-kPrompt.length), kPrompt);
    native.child.kill('SIGINT');

    const web = startWeb(seconds);
    web.session.type('\nq\n');
    await until(web.stdout, `${kPrompt}\n\n\n Let's change q`);
    assert.ok(web.session.waiting);
    web.session.type('\x03');

    const [webRun, nativeRun] = await Promise.all([web.end, native.end]);
    assertSameRun(webRun, nativeRun);
    assert.equal(webRun.stderr, 'Interrupt\n');
    assert.equal(ending(webRun), 'exit 1');
  });
});

describe('the seed that the page hands the module', () => {
  // The smallest and the largest seed, and a second of the past year.
  const kSeeds = [0, 4294967295, 1782045296];
  const input = '\np\nq\nr\ns\ny\ns\nr\nq\np\nhelp\n\nq\np\nr\ns\nquit\n';
  for (const seconds of kSeeds) {
    it(`${seconds}: the console program's boards at that second`, async () => {
      const native = await runNative(moment(seconds).stamp, input);
      const web = await runWeb(seconds, keysFor(input), { seeded: true });
      assertSameRun(web, native);
      // Three games, each on boards of its own.
      assert.equal((native.stdout.match(/GAME OVER/g) ?? []).length, 3);
    });
  }
});

describe('the line discipline of the page', () => {
  const { seconds } = kMoments[2];

  // The keys give the same run as `lines` typed plainly.
  async function assertTypedAs(keys, lines) {
    const typed = await runWeb(seconds, keys);
    const plain = await runWeb(seconds, lines);
    assert.equal(typed.stdout, plain.stdout);
    assert.equal(ending(typed), ending(plain));
  }

  it('Backspace and Ctrl+U erase, escape sequences are dropped', async () => {
    await assertTypedAs(
      '\rx\x7fp\rqq\b\b\x1b[Aq\rrubbish\x15r\r\x1bOPs\rquit\r',
      '\np\nq\nr\ns\nquit\n',
    );
  });

  it('Backspace on an empty line erases nothing', async () => {
    await assertTypedAs('\r\x7f\x7fp\rq\rr\rs\rquit\r', '\np\nq\nr\ns\nquit\n');
  });

  it('pasted lines wait and are read one at a time', async () => {
    const { session, end, stdout } = startWeb(seconds);
    session.type('\rp\r');
    await until(stdout, "Let's change p");
    session.type('q\rr\rs\rquit\r');
    const pasted = await end;
    assert.equal((pasted.stdout.match(/Let's change/g) ?? []).length, 4);
    assert.equal(ending(pasted), 'exit 0');
  });

  it('Ctrl+D on a line hands it over without a line end', async () => {
    const run = await runWeb(seconds, '\rp\x04\x04');
    assert.equal(ending(run), 'abnormal end');
    assert.match(run.stderr, /^read start: end of file\n/);
  });

  it('typing after the end changes nothing', async () => {
    const web = startWeb(seconds);
    web.session.type('\rp\rq\rr\rs\rquit\r');
    const { stdout } = await web.end;
    web.session.type('y\r\x03\x04');
    await new Promise((resolve) => setTimeout(resolve, 50));
    assert.equal(web.stdout(), stdout);
  });
});

describe('waiting for a line', () => {
  it('costs no processor time while the game waits', async () => {
    const { session, end, stdout } = startWeb(kMoments[0].seconds);
    await until(stdout, 'Press any key to begin');
    assert.ok(session.waiting);
    const before = process.cpuUsage();
    await new Promise((resolve) => setTimeout(resolve, 500));
    const used = process.cpuUsage(before);
    // A loop that polled for the line would use most of the half second;
    // the engine's own threads may use a little of it.
    assert.ok(used.user + used.system < 150000, `${JSON.stringify(used)} µs`);
    assert.ok(session.waiting);
    session.type('\x03');
    assert.equal(ending(await end), 'exit 1');
  });
});
