// Long runs of random use of the page, played at once on the page in chromium
// and on the native lesson (tests/replay_session.cpp): clicks on every
// control, keys, slider steps with the arrows, the trough, the keys and the
// wheel, and drags of the plot with the mouse, a pen and a finger. After every
// event the page's lesson (its view and plot) must equal the native one, and
// what the page shows must be what its lesson says; the JS heap must stay flat
// and the console clean.
//
// The fixed-seed run is long; the fresh-seed run is shorter and names its
// seed, so a failure can be replayed with TAVRINE_RANDOM_SEED=<seed> (and its
// length set with TAVRINE_RANDOM_EVENTS).

import { test } from "node:test";
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { createInterface } from "node:readline";
import { openLesson } from "./page_fixture.mjs";
import { pageState } from "./page_state.mjs";

const REPLAY = process.env.TAVRINE_REPLAY ?? new URL("../../build/tests/replay_session", import.meta.url).pathname;
const PLOT = { x: 8, y: 29 }; // the plot's corner on the 1024 x 768 page, at scale 1
const KEYS = ["Btn00", "Btn01", "Btn02", "Btn03", "Btn04", "Btn05", "Btn06", "Btn07", "Btn08", "Btn09", "BtnMinus"];
const SELECTORS = ["SbnKeisuA", "SbnKeisuB", "SbnKeisuC", "SbnKeisuD", "SbnSiki"];
const BARS = ["ScrollBar1", "ScrollBar2"];
const STEP_KEYS = { ArrowRight: 1, ArrowDown: 1, PageDown: 1, ArrowLeft: -1, ArrowUp: -1, PageUp: -1 };
const POSITION = { ScrollBar1: 15, ScrollBar2: 16 };

function generator(seed) {
  let a = seed >>> 0;
  const next = () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = Math.imul(a ^ (a >>> 15), 1 | a);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  return { int: (n) => Math.floor(next() * n), pick: (list) => list[Math.floor(next() * list.length)], chance: (p) => next() < p };
}

function nativeLesson() {
  const child = spawn(REPLAY, [], { stdio: ["pipe", "pipe", "inherit"] });
  const pending = [];
  const lines = [];
  createInterface({ input: child.stdout }).on("line", (line) => (pending.length ? pending.shift()(line) : lines.push(line)));
  const read = async () => {
    const fields = (lines.length ? lines.shift() : await new Promise((r) => pending.push(r))).split("\t");
    return { point: fields.pop().split(" ").map(Number), fields, state: fields.join("\t") };
  };
  return { read, play: (event) => (child.stdin.write(`${event}\n`), read()), close: () => child.stdin.end() };
}

async function run(seed, count) {
  const random = generator(seed);
  const { page, browser, close } = await openLesson({ hasTouch: true });
  const cdp = await browser.context.newCDPSession(page);
  const native = nativeLesson();
  const boxes = Object.fromEntries(await page.$$eval("[id]", (els) => els.map((el) => [el.id, el.getBoundingClientRect().toJSON()])));
  // The chord's button starts hidden: its place from its style.
  boxes.BBtnHojosen = await page.$eval("#BBtnHojosen", (el) => Object.fromEntries(
    ["left", "top", "width", "height"].map((k) => [k === "left" ? "x" : k === "top" ? "y" : k, parseFloat(getComputedStyle(el)[k])])));
  const centre = (id) => [boxes[id].x + boxes[id].width / 2, boxes[id].y + boxes[id].height / 2];
  const mouse = (type, [x, y], pointerType = "mouse", extra = {}) => cdp.send("Input.dispatchMouseEvent",
    { type, x, y, button: "left", buttons: type === "mouseReleased" ? 0 : 1, clickCount: 1, pointerType, ...extra });
  // The press and the release are sent together, so that a busy machine
  // seldom holds the release back past a slider's press-and-hold delay.
  const click = (at) => Promise.all([mouse("mousePressed", at), mouse("mouseReleased", at)]);
  const heap = async () => { await cdp.send("HeapProfiler.collectGarbage"); return (await cdp.send("Runtime.getHeapUsage")).usedSize; };
  let now = await native.read();
  let played = 0;
  let heapAt1000 = null;

  // Plays one event on the page and the native lesson, then compares; an
  // event that the page saw otherwise comes back from onPage.
  const play = async (event, onPage) => {
    const seen = await onPage();
    if (typeof seen === "string") event = seen;
    now = await native.play(event);
    // A finger's moves reach the page with its next frame: a few frames'
    // grace before what the page shows counts.
    let { state, wrong } = await page.evaluate(pageState);
    for (let frame = 0; frame < 10 && state !== now.state; ++frame)
      ({ state, wrong } = await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r)))).then(() => page.evaluate(pageState)));
    const where = `seed ${seed}, event ${played}: ${event}`;
    assert.deepEqual(wrong, [], `${where}: the page shows what its lesson does not`);
    if (state !== now.state) {
      const mine = state.split("\t");
      const diff = now.fields.map((f, k) => (f === mine[k] ? null : `field ${k}: page "${mine[k]}", native "${f}"`)).filter(Boolean);
      assert.fail(`${where}: the page's lesson differs from the native one\n${diff.join("\n")}`);
    }
    if (++played === 1000) heapAt1000 = await heap();
  };

  // A drag on the plot: a press near the tangent point or anywhere, a few
  // moves, the release or (a finger only) the gesture taken away.
  const drag = async () => {
    const kind = random.pick(["mouse", "pen", "touch"]);
    const near = random.chance(0.75);
    // Not at the very edge, where a finger's touch goes to the slider or
    // label next to the plot instead.
    const clamp = (v) => Math.min(640, Math.max(0, v));
    const px = clamp(near ? now.point[0] + random.int(25) - 12 : random.int(660));
    const py = clamp(near ? now.point[1] + random.int(25) - 12 : random.int(660));
    const at = (x, y) => [PLOT.x + x, PLOT.y + y];
    const touch = (type, x, y) => cdp.send("Input.dispatchTouchEvent",
      { type, touchPoints: type === "touchEnd" || type === "touchCancel" ? [] : [{ x: at(x, y)[0], y: at(x, y)[1], id: 1 }] });
    await play(`press ${px} ${py}`, () => (kind === "touch" ? touch("touchStart", px, py) : mouse("mousePressed", at(px, py), kind)));
    let x = px;
    for (let k = random.int(6); k > 0; --k) {
      x = random.chance(0.8) ? Math.min(1000, Math.max(-8, x + random.int(81) - 40)) : random.int(1000) - 8;
      const y = random.int(700);
      await play(`move ${x}`, () => (kind === "touch" ? touch("touchMove", x, y) : mouse("mouseMoved", at(x, y), kind)));
    }
    const cancel = kind === "touch" && random.chance(0.25);
    await play("release", () => (kind === "touch" ? touch(cancel ? "touchCancel" : "touchEnd", x, py) : mouse("mouseReleased", at(x, py), kind)));
  };

  // An arrow or the trough clicked: one step; but where the page handled the
  // release only after the repeat delay (a busy machine holds events back),
  // it saw the press held and rightly stepped again, to where it stands.
  await page.evaluate(() => {
    window.barPress = {};
    for (const type of ["pointerdown", "pointerup"])
      addEventListener(type, (e) => { if (e.target.closest?.(".scrollbar")) barPress[type] = performance.now(); }, true);
  });
  const repeatDelay = await page.evaluate(async () => (await import("./scroll_bar.js")).REPEAT_DELAY_MS);
  const clickStep = async (bar, at) => {
    await click(at);
    const { pointerdown, pointerup } = await page.evaluate(() => barPress);
    if (pointerup - pointerdown >= repeatDelay) return `jump ${bar} ${await page.getAttribute(`#${bar}`, "aria-valuenow")}`;
  };

  // A slider moved one way or another.
  const slide = async () => {
    const bar = random.pick(BARS);
    const { x, y, width, height } = boxes[bar];
    const position = Number(now.fields[POSITION[bar]]);
    const travel = width - 3 * height; // the trough less the thumb
    const thumbX = x + height + (travel * position) / 100 + height / 2;
    switch (random.int(6)) {
      case 0: { // an arrow
        const forward = random.chance(0.5);
        return play(`step ${bar} ${forward ? 1 : -1}`, () => clickStep(bar, [forward ? x + width - height / 2 : x + height / 2, y + height / 2]));
      }
      case 1: { // the trough, on the far side from the thumb
        const right = thumbX < x + width / 2;
        return play(`step ${bar} ${right ? 1 : -1}`, () => clickStep(bar, [right ? x + width - height - 3 : x + height + 2, y + height / 2]));
      }
      case 2: // the thumb pressed and let go where it is
        return play(`thumb ${bar}`, () => click([thumbX, y + height / 2]));
      case 3: { // Home or End
        const end = random.chance(0.5);
        return play(`jump ${bar} ${end ? 100 : 0}`, async () => {
          await page.focus(`#${bar}`);
          await page.keyboard.press(end ? "End" : "Home");
        });
      }
      case 4: { // a turn or three of the wheel, then rest
        if (!random.chance(0.05)) return slide();
        const turns = Array.from({ length: 1 + random.int(3) }, () => (random.chance(0.5) ? 1 : -1));
        return play(`wheel ${bar} ${turns.join(" ")}`, async () => {
          for (const t of turns) await mouse("mouseWheel", [x + width / 2, y + height / 2], "mouse", { deltaX: 0, deltaY: -100 * t, button: "none", buttons: 0 });
          await page.waitForTimeout(400);
        });
      }
      default: { // an arrow key
        const key = random.pick(Object.keys(STEP_KEYS));
        return play(`step ${bar} ${STEP_KEYS[key]}`, async () => {
          await page.focus(`#${bar}`);
          await page.keyboard.press(key);
        });
      }
    }
  };

  try {
    while (played < count) {
      const roll = random.int(100);
      if (roll < 25) {
        const id = random.pick(KEYS);
        await play(`click ${id}`, () => click(centre(id)));
      } else if (roll < 35) {
        const id = random.pick(KEYS);
        const key = id === "BtnMinus" ? "-" : id[4];
        await play(`click ${id}`, () => page.keyboard.press(key));
      } else if (roll < 42) {
        await play("click BtnKettei", () => click(centre("BtnKettei")));
      } else if (roll < 50) {
        const id = random.pick(SELECTORS);
        await play(`click ${id}`, () => click(centre(id)));
      } else if (roll < 56) {
        const id = random.pick(["BBtnSessenSu", "BBtnHojosen"]);
        await play(`click ${id}`, () => click(centre(id)));
      } else if (roll < 80) {
        await slide();
      } else {
        await drag();
      }
    }
    const growth = heapAt1000 === null ? 0 : (await heap()) - heapAt1000;
    assert.ok(growth < 1 << 20, `seed ${seed}: the JS heap grew by ${growth} bytes from the 1,000th event to the last`);
  } finally {
    native.close();
    await close();
  }
}

test("10,000 random events from a fixed seed", { timeout: 900_000 }, async () => {
  await run(Number(process.env.TAVRINE_RANDOM_SEED ?? 20261209), Number(process.env.TAVRINE_RANDOM_EVENTS ?? 10_000));
});

test("random events from a fresh seed", { timeout: 900_000, skip: process.env.TAVRINE_RANDOM_SEED !== undefined }, async () => {
  const seed = Date.now() % 2 ** 31;
  console.log(`# fresh seed ${seed} (replay with TAVRINE_RANDOM_SEED=${seed})`);
  await run(seed, Number(process.env.TAVRINE_RANDOM_EVENTS ?? 1_000));
});
