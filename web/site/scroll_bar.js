// A horizontal scroll bar of the desktop's kind, positions 0..100 with a
// step of 1 for its arrows, its trough, the keys and each turn of the wheel.
// Every user move calls onScroll(position, false); when the move ends (key or
// button released, thumb let go, the wheel at rest) onScroll(position, true)
// runs once more with the position it ended on. Setting the position from the
// program calls nothing.

const MAX = 100;
// A held arrow or trough steps again after the desktop's scroll bars' delay,
// then at their rate; the trough stops once the thumb has reached the pointer.
export const REPEAT_DELAY_MS = 500;
const REPEAT_INTERVAL_MS = 50;
// The wheel's turns count as one move until it has rested this long.
const WHEEL_REST_MS = 250;
// One notch of a mouse wheel, as the browser reports it in pixels; a
// touchpad's smaller deltas add up to notches.
const WHEEL_NOTCH_PX = 100;
const WHEEL_PX_PER = [1, 40, 800]; // by deltaMode: pixels, lines, pages

export class ScrollBar {
  // keyMove(e, position): where a key moves the focused bar, or -1 when the
  // key is not a slider's (the lesson's key table says).
  constructor(element, position, onScroll, keyMove) {
    this.element = element;
    this.position = position;
    this.onScroll = onScroll;
    this.keyMove = keyMove;
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
      if (this.keyMove(e, this.position) >= 0) this.endScroll();
    });
    element.addEventListener("pointerdown", (e) => this.pointerDown(e));
    element.addEventListener("pointermove", (e) => this.pointerMove(e));
    element.addEventListener("pointerup", () => this.endScroll());
    element.addEventListener("pointercancel", () => this.endScroll());
    element.addEventListener("lostpointercapture", () => this.endScroll());
    element.addEventListener("wheel", (e) => this.wheel(e), { passive: false });
    this.wheelTravel = 0;
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
    this.stopRepeat();
    clearTimeout(this.wheelRest);
    this.wheelTravel = 0;
    if (!this.moving) return;
    this.moving = false;
    this.dragOffset = null;
    this.onScroll(this.position, true);
    this.show();
  }

  keyDown(e) {
    const position = this.keyMove(e, this.position);
    if (position < 0) return;
    e.preventDefault();
    this.scrollTo(position);
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
    this.pointerX = this.troughX(e);
    if (e.target === this.back) return this.holdStep(() => -1);
    if (e.target === this.forward) return this.holdStep(() => 1);
    if (e.target === this.thumb) {
      this.dragOffset = this.pointerX - this.thumb.offsetLeft;
      this.moving = true;
      return;
    }
    // A press in the trough is one page step, 1, towards the press, and
    // more while it is held, until the thumb has reached the pointer.
    const towards = this.pointerX < this.thumb.offsetLeft ? -1 : 1;
    this.holdStep(() => {
      const left = this.thumb.offsetLeft;
      const reached = this.pointerX >= left && this.pointerX < left + this.thumb.offsetWidth;
      return reached ? 0 : towards;
    });
  }

  // One step now and, while the press lasts, the desktop's repeats.
  holdStep(step) {
    this.scrollTo(this.position + step());
    const again = () => {
      const delta = step();
      if (delta !== 0 && this.position + delta >= 0 && this.position + delta <= MAX)
        this.scrollTo(this.position + delta);
      this.repeat = setTimeout(again, REPEAT_INTERVAL_MS);
    };
    this.repeat = setTimeout(again, REPEAT_DELAY_MS);
  }

  stopRepeat() {
    clearTimeout(this.repeat);
    this.repeat = null;
  }

  // As on the window's scroll bars: the wheel turned away from the pupil
  // moves the thumb right, turned towards her left; a sideways wheel or a
  // touchpad's sideways swipe moves it the way it goes.
  wheel(e) {
    if (e.ctrlKey) return; // the browser's zoom
    e.preventDefault();
    const sideways = Math.abs(e.deltaX) > Math.abs(e.deltaY);
    const px = (sideways ? e.deltaX : -e.deltaY) * WHEEL_PX_PER[e.deltaMode];
    if (Math.sign(px) !== Math.sign(this.wheelTravel)) this.wheelTravel = 0;
    this.wheelTravel += px;
    if (Math.abs(this.wheelTravel) >= WHEEL_NOTCH_PX || e.deltaMode !== 0) {
      this.wheelTravel = 0;
      this.scrollTo(this.position + Math.sign(px));
    }
    clearTimeout(this.wheelRest);
    this.wheelRest = setTimeout(() => this.endScroll(), WHEEL_REST_MS);
  }

  pointerMove(e) {
    if (this.repeat) this.pointerX = this.troughX(e);
    if (this.dragOffset == null || !this.element.hasPointerCapture(e.pointerId)) return;
    const position = Math.min(MAX, Math.max(0, this.positionAt(this.troughX(e) - this.dragOffset)));
    if (position !== this.position) this.scrollTo(position);
  }
}
