// A horizontal scroll bar of the desktop's kind, positions 0..100 with a
// step of 1 for its arrows, its trough and the keys. Every user move calls
// onScroll(position, false); when the move ends (key or button released,
// thumb let go) onScroll(position, true) runs once more with the position it
// ended on. Setting the
// position from the program calls nothing.

const MAX = 100;

const KEY_MOVES = {
  ArrowRight: (p) => p + 1, ArrowDown: (p) => p + 1,
  ArrowLeft: (p) => p - 1, ArrowUp: (p) => p - 1,
  PageDown: (p) => p + 1, PageUp: (p) => p - 1,
  Home: () => 0, End: () => MAX,
};

export class ScrollBar {
  constructor(element, position, onScroll) {
    this.element = element;
    this.position = position;
    this.onScroll = onScroll;
    this.moving = false;

    const make = (cls) => {
      const part = document.createElement("div");
      part.className = cls;
      part.setAttribute("aria-hidden", "true");
      return part;
    };
    this.back = make("arrow back");
    this.trough = make("trough");
    this.thumb = make("thumb");
    this.forward = make("arrow forward");
    this.trough.append(this.thumb);
    element.append(this.back, this.trough, this.forward);
    // The arrows and the thumb are as wide as the bar is high, as on the desktop.
    const side = `${element.offsetHeight}px`;
    this.back.style.width = side;
    this.forward.style.width = side;
    this.thumb.style.width = side;

    element.addEventListener("keydown", (e) => this.keyDown(e));
    element.addEventListener("keyup", (e) => {
      if (KEY_MOVES[e.key]) this.endScroll();
    });
    element.addEventListener("pointerdown", (e) => this.pointerDown(e));
    element.addEventListener("pointermove", (e) => this.pointerMove(e));
    element.addEventListener("pointerup", () => this.endScroll());
    element.addEventListener("pointercancel", () => this.endScroll());
    element.addEventListener("lostpointercapture", () => this.endScroll());
    this.show();
  }

  setPosition(position) {
    this.position = position;
    this.show();
  }

  show() {
    const travel = this.trough.clientWidth - this.thumb.offsetWidth;
    this.thumb.style.left = `${(travel * this.position) / MAX}px`;
    this.element.setAttribute("aria-valuenow", String(this.position));
  }

  scrollTo(position) {
    this.moving = true;
    this.position = Math.min(MAX, Math.max(0, position));
    this.onScroll(this.position, false);
    this.show();
  }

  endScroll() {
    if (!this.moving) return;
    this.moving = false;
    this.dragOffset = null;
    this.onScroll(this.position, true);
    this.show();
  }

  keyDown(e) {
    const move = KEY_MOVES[e.key];
    if (!move || e.altKey || e.ctrlKey || e.metaKey) return;
    e.preventDefault();
    this.scrollTo(move(this.position));
  }

  // The position the thumb's left edge stands for at trough offset x.
  positionAt(x) {
    const travel = this.trough.clientWidth - this.thumb.offsetWidth;
    return travel > 0 ? Math.round((x * MAX) / travel) : 0;
  }

  troughX(e) {
    const box = this.trough.getBoundingClientRect();
    const zoom = box.width / this.trough.clientWidth || 1;
    return (e.clientX - box.left) / zoom;
  }

  pointerDown(e) {
    if (e.button !== 0) return;
    e.preventDefault();
    this.element.focus();
    this.element.setPointerCapture(e.pointerId);
    if (e.target === this.back) return this.scrollTo(this.position - 1);
    if (e.target === this.forward) return this.scrollTo(this.position + 1);
    if (e.target === this.thumb) {
      this.dragOffset = this.troughX(e) - this.thumb.offsetLeft;
      this.moving = true;
      return;
    }
    // A click in the trough is one page step, 1, towards the click.
    const before = this.troughX(e) < this.thumb.offsetLeft;
    this.scrollTo(this.position + (before ? -1 : 1));
  }

  pointerMove(e) {
    if (this.dragOffset == null || !this.element.hasPointerCapture(e.pointerId)) return;
    const position = Math.min(MAX, Math.max(0, this.positionAt(this.troughX(e) - this.dragOffset)));
    if (position !== this.position) this.scrollTo(position);
  }
}
