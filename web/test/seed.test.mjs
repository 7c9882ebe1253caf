// The seed that the page's address gives, under Node.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import { boardsText, misreadText, replayAddress, seedFor, shareLine } from '../src/seed.js';

// 2026-12-10 23:30:00.250 UTC; in the time zone below, already the 11th.
const kNow = Date.parse('2026-12-10T23:30:00.250Z');
const kClock = 1796945400;
const kToday = 1796860800;  // 2026-12-10 00:00:00 UTC.

describe('the seed that an address asks for', () => {
  // A local date that differs from the UTC date must not count.
  let zone;
  before(() => {
    zone = process.env.TZ;
    process.env.TZ = 'Pacific/Kiritimati';
  });
  after(() => {
    if (zone === undefined) delete process.env.TZ;
    else process.env.TZ = zone;
  });

  const kCases = [
    ['no # part', '', { seed: kClock }],
    ['a bare #', '#', { seed: kClock }],
    ['the smallest seed', '#seed=0', { seed: 0 }],
    ['the largest seed', '#seed=4294967295', { seed: 4294967295 }],
    ['a seed with leading zeros', '#seed=0042', { seed: 42 }],
    ['the board of the day', '#day', { seed: kToday, day: '2026-12-10' }],
    ['one more than the largest', '#seed=4294967296', { seed: kClock, misread: '#seed=4294967296' }],
    ['a negative seed', '#seed=-1', { seed: kClock, misread: '#seed=-1' }],
    ['no digits', '#seed=', { seed: kClock, misread: '#seed=' }],
    ['letters', '#seed=abc', { seed: kClock, misread: '#seed=abc' }],
    ['digits then letters', '#seed=12x', { seed: kClock, misread: '#seed=12x' }],
    ['a fraction', '#seed=1.5', { seed: kClock, misread: '#seed=1.5' }],
    ['eleven digits', '#seed=00000000001', { seed: kClock, misread: '#seed=00000000001' }],
    ['another # part', '#play', { seed: kClock, misread: '#play' }],
    ['a day in capitals', '#DAY', { seed: kClock, misread: '#DAY' }],
  ];
  for (const [name, hash, expected] of kCases) {
    it(name, () => assert.deepEqual(seedFor(hash, kNow), expected));
  }

  it('the day begins at 00:00 UTC and ends before the next', () => {
    assert.deepEqual(seedFor('#day', kToday * 1000), { seed: kToday, day: '2026-12-10' });
    assert.deepEqual(seedFor('#day', (kToday + 86400) * 1000 - 1), {
      seed: kToday,
      day: '2026-12-10',
    });
  });
});

describe('what the page says of a seed', () => {
  it('names the boards', () => {
    assert.equal(boardsText({ seed: 7 }), 'Seed 7');
    assert.equal(boardsText({ seed: kToday, day: '2026-12-10' }), 'Board of 2026-12-10 (seed 1796860800)');
  });

  it('says in one sentence that a link was not understood', () => {
    assert.equal(
      misreadText({ misread: '#seed=abc' }),
      "The link's seed (#seed=abc) was not understood, so the boards come from the clock.",
    );
    assert.match(misreadText({ misread: `#seed=${'9'.repeat(500)}` }), /^[^.]{0,80}…\) was not/);
  });

  it('links to the same boards', () => {
    const kCases = [
      ['file:///home/me/tessan.html', 'file:///home/me/tessan.html#seed=5'],
      ['https://example.org/tessan.html#day', 'https://example.org/tessan.html#seed=5'],
      ['https://example.org/?a=b#seed=9', 'https://example.org/?a=b#seed=5'],
    ];
    for (const [address, replay] of kCases) assert.equal(replayAddress(address, 5), replay);
  });

  it('gives a line to share', () => {
    const day = { seed: kToday, day: '2026-12-10' };
    assert.equal(shareLine(day, 1, 17, 20), 'Tessan, board of 2026-12-10: 17, best 20');
    assert.equal(shareLine(day, 3, 14, 14), 'Tessan, board of 2026-12-10, game 3: 14, best 14');
    assert.equal(shareLine({ seed: 0 }, 1, 9, 12), 'Tessan, seed 0: 9, best 12');
  });
});
