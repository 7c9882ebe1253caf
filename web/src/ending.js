// What the page says when a session has ended, in a player's words.

// The errors of a browser that will not load the WebAssembly, as a site's
// policy without 'wasm-unsafe-eval' makes it.
const kRefused = new Set(['CompileError', 'LinkError']);

// Returns { text, again } for the outcome of Session.run: the sentence to
// show, and whether a new session can help. `hasWebAssembly` is false in a
// browser without WebAssembly (or with it turned off, as a browser without
// its JIT compiler has), where no session can start.
export function describeEnd(outcome, hasWebAssembly) {
  if (!hasWebAssembly) {
    return {
      text:
        'The game cannot run in this browser: it needs WebAssembly, which ' +
        'is missing or turned off here. Turn WebAssembly on, or open the ' +
        'page in another browser.',
      again: false,
    };
  }
  if (outcome.aborted) {
    return { text: 'The game has ended: its input ran out.', again: true };
  }
  if (kRefused.has(outcome.error?.name)) {
    return {
      text:
        'The game could not start: this browser refused to load its ' +
        `WebAssembly (${outcome.error.message}).`,
      again: false,
    };
  }
  if (outcome.error) {
    const reason = outcome.error.message ?? String(outcome.error);
    return {
      text: `The game stopped on a fault of its own (${reason}).`,
      again: true,
    };
  }
  if (outcome.status !== 0) {
    return { text: 'The game was interrupted.', again: true };
  }
  return { text: 'The game has ended.', again: true };
}
