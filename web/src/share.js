// Copying text to share, with the clipboard's own interface where the
// browser offers it and, where it does not or refuses, with the older
// command that copies a selection.

// Returns a promise that `text` was copied; it rejects if the browser
// would not copy it.
export async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
    return;
  } catch {
    // Not offered, or not allowed here: try the selection.
  }
  const field = document.createElement('textarea');
  field.value = text;
  field.setAttribute('readonly', '');
  field.className = 'visually-hidden';
  document.body.append(field);
  const focused = document.activeElement;
  field.select();
  const copied = document.execCommand('copy');
  field.remove();
  focused?.focus();
  if (!copied) throw new Error('not copied');
}
