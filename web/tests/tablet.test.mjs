// The page on a tablet (and on a projector's wide screen): the upright arrangement, the tangent point dragged
// with a finger, a pen and the mouse, a gesture the browser takes away, the
// sliders held and turned with the wheel, and Tab leaving the page.

import { test } from "node:test";
import assert from "node:assert/strict";
import { openLesson } from "./page_fixture.mjs";
import { opening } from "./texts.mjs";

const TABLET = { isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
const SHAPES = [
  ["landscape", { width: 1024, height: 768 }],
  ["portrait", { width: 768, height: 1024 }],
  ["projector", { width: 1920, height: 1080 }],
];
const settle = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0))));

// Counts what the announcer says from now on, once what was said before has
// been heard.
async function countSayings(page) {
  await settle(page);
  await page.evaluate(() => {
    window.sayings = [];
    window.sayingsHeard ??= new MutationObserver(() => window.sayings.push(document.getElementById("announcer").textContent))
      .observe(document.getElementById("announcer"), { childList: true }) ?? true;
  });
}

// Client coordinates of plot pixel (x, y), wherever the stage stands.
async function onPlot(page, x, y) {
  const box = await page.locator("#PaintBox1").boundingBox();
  return [box.x + (x * box.width) / 660, box.y + (y * box.height) / 660];
}

// The tangent slider's position that the lesson's own core gives for the
// point dragged from the plot's centre to column x, from the reset.
const expectedPosition = (page, x) => page.evaluate(async (x) => {
  const module = await (await import("./tavrine.js")).default();
  const lesson = new module.Lesson();
  lesson.Syokika();
  lesson.pointer("PaintBox1", module.PointerPhase.Down, 660, 660, 330, 330);
  lesson.pointer("PaintBox1", module.PointerPhase.Move, 660, 660, x, 330);
  lesson.pointer("PaintBox1", module.PointerPhase.Up, 660, 660, 0, 0);
  const position = lesson.view().tangentPosition;
  lesson.delete();
  return position;
}, x);

// One drag of the point from the plot's centre (the inflection point of
// y = x^3, where the lesson starts) to the right by `dx` plot pixels, in
// five moves, by the kind of pointer; `end` is "up" or "cancel".
async function dragPoint(page, cdp, kind, dx, end = "up") {
  const [x0, y0] = await onPlot(page, 330, 330);
  const [x1] = await onPlot(page, 330 + dx, 330);
  const moves = [1, 2, 3, 4, 5].map((k) => x0 + ((x1 - x0) * k) / 5);
  const mid = [];
  if (kind === "touch") {
    const touch = (type, x) => cdp.send("Input.dispatchTouchEvent", { type, touchPoints: type === "touchEnd" || type === "touchCancel" ? [] : [{ x, y: y0, id: 1 }] });
    await touch("touchStart", x0);
    for (const x of moves) { await touch("touchMove", x); mid.push(await slider(page)); }
    await touch(end === "up" ? "touchEnd" : "touchCancel", x1);
  } else {
    const mouse = (type, x, extra = {}) => cdp.send("Input.dispatchMouseEvent",
      { type, x, y: y0, button: "left", buttons: type === "mouseReleased" ? 0 : 1, clickCount: 1, pointerType: kind, ...extra });
    await mouse("mousePressed", x0);
    for (const x of moves) { await mouse("mouseMoved", x); mid.push(await slider(page)); }
    await mouse("mouseReleased", x1);
  }
  await settle(page);
  return mid;
}
const slider = (page) => page.getAttribute("#ScrollBar2", "aria-valuenow").then(Number);
const sayings = (page) => page.evaluate(() => window.sayings);

for (const [shape, viewport] of SHAPES) {
  test(`${shape}: every control shows whole, at least at the window's size, and the point drags`, async () => {
    const { page, browser, close } = await openLesson({ viewport, ...TABLET });
    try {
      // The stage fits the screen, and no control is smaller than in the
      // 1024 x 768 window nor overlaps another of the window's controls (the
      // page's own controls overlap none in any shape).
      const boxes = await page.$$eval("#stage > [id]:not(.offscreen), .groupbox > [id]:not(.caption)", (elements) => elements
        .filter((el) => !el.hidden && el.id !== "ended" && el.id !== "ShareView")
        .map((el) => ({ id: el.id, top: el.parentElement.id === "stage", r: el.getBoundingClientRect().toJSON(), w: el.offsetWidth, h: el.offsetHeight })));
      assert.equal(boxes.length, 34); // the window's 31, the choice of language, the share button and the slope curve's toggle
      for (const { id, r, w, h } of boxes) {
        assert.ok(r.left >= 0 && r.top >= 0 && r.right <= viewport.width && r.bottom <= viewport.height, `${id} on screen`);
        assert.ok(r.width >= w - 0.01 && r.height >= h - 0.01, `${id} at least its size (${r.width} for ${w})`);
      }
      const top = boxes.filter((b) => b.top);
      for (const a of top)
        for (const b of top)
          if (a !== b && (shape === "portrait" || ["LanguageChoice", "ShareButton", "SlopeCurveButton"].includes(a.id)))
            assert.ok(a.r.right <= b.r.left || b.r.right <= a.r.left || a.r.bottom <= b.r.top || b.r.bottom <= a.r.top,
              `${a.id} and ${b.id} do not overlap`);

      // A finger, then a pen, then the mouse: each drags the point; the
      // slider follows at each step and the reading is said once, at the end.
      const cdp = await browser.context.newCDPSession(page);
      for (const kind of ["touch", "pen", "mouse"]) {
        await countSayings(page);
        const start = await slider(page);
        const mid = await dragPoint(page, cdp, kind, 40);
        assert.ok(mid[0] > start && mid[4] > mid[0], `${kind}: the slider follows (${start} ${mid})`);
        const said = await sayings(page);
        assert.equal(said.length, 1, `${kind}: one reading, at the release (${said})`);
        assert.ok(said[0].startsWith(opening("tangent")), said[0]);
        assert.equal(await slider(page), await expectedPosition(page, 370), kind);
        // Back to the centre for the next pointer.
        await page.focus("#ScrollBar2");
        await page.keyboard.press("Home");
        for (let k = 0; k < 50; ++k) await page.keyboard.press("ArrowRight");
      }

      // The browser taking the gesture away ends the drag as a release does.
      await countSayings(page);
      await dragPoint(page, cdp, "touch", 30, "cancel");
      assert.equal(await slider(page), await expectedPosition(page, 360));
      assert.equal((await sayings(page)).length, 1, "the reading once the gesture is gone");
    } finally {
      await close();
    }
  });
}

test("a second finger changes nothing while the first holds the point", async () => {
  const { page, browser, close } = await openLesson({ viewport: { width: 768, height: 1024 }, ...TABLET });
  try {
    const cdp = await browser.context.newCDPSession(page);
    const [x0, y] = await onPlot(page, 330, 330);
    const [x1] = await onPlot(page, 380, 330);
    const [far, farY] = await onPlot(page, 100, 600);
    const touches = (type, points) => cdp.send("Input.dispatchTouchEvent", { type, touchPoints: points });
    await touches("touchStart", [{ x: x0, y, id: 1 }]);
    await touches("touchStart", [{ x: x0, y, id: 1 }, { x: far, y: farY, id: 2 }]);
    await touches("touchMove", [{ x: x0, y, id: 1 }, { x: far + 200, y: farY, id: 2 }]);
    assert.equal(await slider(page), 50, "the second finger moved nothing");
    await touches("touchMove", [{ x: x1, y, id: 1 }, { x: far + 200, y: farY, id: 2 }]);
    await touches("touchEnd", []);
    await settle(page);
    assert.equal(await slider(page), await expectedPosition(page, 380));
  } finally {
    await close();
  }
});

test("sliders repeat while held, stop at the pointer, and step with the wheel", async () => {
  const { page, close } = await openLesson();
  try {
    await countSayings(page);
    // Held on the trough to the right of the thumb: the thumb comes to the
    // pointer and stays there, then one end of the scroll.
    const bar = await page.locator("#ScrollBar2 .trough").boundingBox();
    const x = bar.x + bar.width * 0.8;
    await page.mouse.move(x, bar.y + bar.height / 2);
    await page.mouse.down();
    await page.waitForTimeout(3000);
    const thumb = await page.locator("#ScrollBar2 .thumb").boundingBox();
    assert.ok(thumb.x <= x && x < thumb.x + thumb.width, `the thumb under the pointer (${thumb.x} ${x})`);
    await page.mouse.up();
    assert.equal((await sayings(page)).length, 1, `${await sayings(page)}`);

    // Held on an arrow: more than one step.
    const before = await slider(page);
    const arrow = await page.locator("#ScrollBar2 .back").boundingBox();
    await page.mouse.move(arrow.x + arrow.width / 2, arrow.y + arrow.height / 2);
    await page.mouse.down();
    await page.waitForTimeout(1500);
    await page.mouse.up();
    assert.ok(before - (await slider(page)) > 2, "the held arrow repeats");

    // The wheel turned away steps the zoom slider right, towards left;
    // at rest, one end of the scroll says the new range.
    const zoom = await page.locator("#ScrollBar1").boundingBox();
    await page.mouse.move(zoom.x + zoom.width / 2, zoom.y + zoom.height / 2);
    await countSayings(page);
    for (const dy of [-100, -100, -100, 100]) await page.mouse.wheel(0, dy);
    await page.waitForTimeout(600);
    assert.equal(await page.getAttribute("#ScrollBar1", "aria-valuenow"), "53");
    const said = await sayings(page);
    assert.equal(said.length, 1, `${said}`);
    assert.ok(said[0].startsWith(opening("range")), said[0]);
  } finally {
    await close();
  }
});
