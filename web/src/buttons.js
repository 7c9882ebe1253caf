// Buttons for the answers that the waiting question takes, for players
// with no dependable keyboard (a phone's garbles the terminal's input) or
// who would rather tap. A button's text is the answer it sends; the empty
// line is the button "Enter".

export class AnswerButtons {
  #group;
  #send;
  #focusTerminal;
  #shown = '';  // The answers shown, joined, to keep the buttons if equal.
  #sent = false;  // One answer per question, however often it is tapped.

  // `group` holds the buttons; `send(answer)` types an answer; and
  // `focusTerminal()` gives the keyboard back to the terminal after a click
  // with a mouse (after a tap it would open the phone's keyboard, and a
  // player using the keyboard keeps the focus on the buttons).
  constructor(group, { send, focusTerminal }) {
    this.#group = group;
    this.#send = send;
    this.#focusTerminal = focusTerminal;
  }

  // Shows the buttons for `answers` ([] for none).
  show(answers) {
    this.#sent = false;
    const key = answers.join('\n');
    if (key === this.#shown && this.#group.childElementCount === answers.length) return;
    this.#shown = key;
    const hadFocus = this.#group.contains(document.activeElement);
    this.#group.replaceChildren(...answers.map((answer) => this.#button(answer)));
    if (hadFocus) this.#group.firstElementChild?.focus();
  }

  #button(answer) {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = answer === '' ? 'Enter' : answer;
    button.addEventListener('click', (event) => {
      if (!this.#sent) {
        this.#sent = true;
        this.#send(answer);
      }
      if (event.pointerType === 'mouse') this.#focusTerminal();
    });
    return button;
  }
}
