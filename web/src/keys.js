// Typing that reaches the game wherever the focus is: a key that types a
// character, Enter or Backspace, pressed while the focus is on the page
// itself (after a click on its header or on empty page), goes to the
// terminal, which takes the focus. Keys for a button, a link, a form field
// or the terminal itself stay theirs, and Tab still moves between them.

// The elements that take keys of their own.
const kControls = 'a[href], button, input, select, textarea, summary, [contenteditable], [tabindex]';

// Returns what the terminal receives for the key of `event`, or null for a
// key that types nothing.
export function typedBy(event) {
  if (event.ctrlKey || event.metaKey || event.altKey) return null;
  if (event.key === 'Enter') return '\r';
  if (event.key === 'Backspace') return '\x7f';
  return [...event.key].length === 1 ? event.key : null;
}

// Sends the keys pressed on the page itself to `type(data)`, and focuses
// the terminal with `focus()`.
export function typeAnywhere({ type, focus }) {
  document.addEventListener('keydown', (event) => {
    if (event.defaultPrevented || event.isComposing) return;
    const focused = document.activeElement;
    if (focused && focused !== document.body && focused.closest(kControls)) return;
    const data = typedBy(event);
    if (data === null) return;
    event.preventDefault();
    focus();
    type(data);
  });
}
