// What a screen reader hears of the game: a polite live region of the
// page's own, which receives what the game wrote once it waits for an
// answer, one element a line so that each reads as its own sentence.

export class Announcer {
  #region;

  constructor(region) {
    this.#region = region;
  }

  // Announces `lines`, replacing what was there before.
  say(lines) {
    this.#region.replaceChildren(
      ...lines.map((line) => {
        const element = document.createElement('p');
        element.textContent = line;
        return element;
      }),
    );
  }
}

// The terminal announces its output by itself through a live region of its
// own, which gives up on a board ("Too much output to announce") and would
// speak over the page's announcement; the rows stay readable one by one.
export function quietTerminal(terminal) {
  for (const region of terminal.element.querySelectorAll('[aria-live]')) {
    region.setAttribute('aria-live', 'off');
  }
}
