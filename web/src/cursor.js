// A cursor that blinks while the player types or the game writes, and
// holds still once the page has been idle for a few seconds, as editors do:
// a blinking cursor redraws the terminal for as long as it blinks, and
// nothing should run while the game only waits.

const kBlinkFor = 4000;  // Milliseconds after the last activity.

// Makes the cursor of `terminal`, which starts blinking, stop once idle.
export function blinkWhileBusy(terminal) {
  let timer = null;
  const wake = () => {
    // Setting an option redraws, even to the value it has.
    if (!terminal.options.cursorBlink) terminal.options.cursorBlink = true;
    clearTimeout(timer);
    timer = setTimeout(() => {
      terminal.options.cursorBlink = false;
    }, kBlinkFor);
  };
  terminal.onData(wake);
  terminal.onWriteParsed(wake);
  terminal.textarea?.addEventListener('focus', wake);
  wake();
}
