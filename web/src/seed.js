// The seed of a session, which the page's address can give: the game seeds
// its generator with the clock's second when it starts, so a second names
// every board of a session, game after game, and the console program
// started at that second plays the same boards. Pure, tested under Node.

export const kLargestSeed = 4294967295;  // The seed is 32 bits wide.
const kDay = 86400;  // Seconds.
const kSeedLink = /^#seed=([0-9]{1,10})$/;

// Returns the seed that the address's # part `hash` asks for, at the
// moment `now` (in milliseconds since 1970-01-01 UTC), as { seed } with:
// - for "#seed=N", N, a whole number from 0 to kLargestSeed;
// - for "#day", `day`, today's date in UTC ("2026-12-10"), whose 00:00
//   UTC is the seed, so that everyone plays the same boards all day;
// - for no # part, the clock's second;
// - for anything else, the clock's second and `misread`, the # part that
//   was not understood.
export function seedFor(hash, now) {
  const clock = Math.floor(now / 1000);
  if (hash === '' || hash === '#') return { seed: clock };
  if (hash === '#day') {
    const seed = Math.floor(clock / kDay) * kDay;
    return { seed, day: new Date(seed * 1000).toISOString().slice(0, 10) };
  }
  const digits = kSeedLink.exec(hash)?.[1];
  if (digits !== undefined && Number(digits) <= kLargestSeed) {
    return { seed: Number(digits) };
  }
  return { seed: clock, misread: hash };
}

// Returns the words that name the boards of a session.
export function boardsText({ seed, day }) {
  return day === undefined ? `Seed ${seed}` : `Board of ${day} (seed ${seed})`;
}

// Returns the sentence that says a link's seed was not understood.
export function misreadText({ misread }) {
  const kLongest = 40;
  const shown = misread.length > kLongest ? `${misread.slice(0, kLongest)}…` : misread;
  return `The link's seed (${shown}) was not understood, so the boards come from the clock.`;
}

// Returns `address` with the # part that replays the session of `seed`.
export function replayAddress(address, seed) {
  const hash = address.indexOf('#');
  return `${hash < 0 ? address : address.slice(0, hash)}#seed=${seed}`;
}

// Returns the line to share for game number `game` of a session, whose
// player scored `total` where the board allowed `best`.
export function shareLine({ seed, day }, game, total, best) {
  const boards = day === undefined ? `seed ${seed}` : `board of ${day}`;
  const which = game > 1 ? `, game ${game}` : '';
  return `Tessan, ${boards}${which}: ${total}, best ${best}`;
}
