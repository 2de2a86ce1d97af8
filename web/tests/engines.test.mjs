// The cases every engine must pass, written once against the engines'
// drivers (engines/): TAVRINE_ENGINE is chromium, firefox or webkit. Each
// case ends with no script error in the page.

import { test } from "node:test";
import assert from "node:assert/strict";
import { cpSync, appendFileSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { openLessonIn, engineName } from "./engines/lesson_in.mjs";
import { expectTangentLayer } from "./plot_checks.mjs";
import { canvasPixels, site } from "./page_fixture.mjs";
import { TEXTS, opening } from "./texts.mjs";
import { pageState } from "./page_state.mjs";

// Opens the lesson, runs the case, and closes the engine whatever happened.
async function withLesson(options, body, root = site) {
  const lesson = await openLessonIn(root, options);
  let errors;
  try {
    await body(lesson);
  } finally {
    errors = await lesson.close();
  }
  assert.deepEqual(errors, [], `${engineName}: the page's script errors`);
}

// What a link carries of what the page shows, in the native replay's words:
// not which selector is latched nor what was said, which belong to the last
// key pressed; "" where a part of the page does not show its lesson.
const carried = ({ state, wrong }) => (wrong.length ? "" : state.split("\t").filter((_, k) => ![5, 6, 18].includes(k)).join("\t"));
async function until(condition) {
  for (let k = 0; !(await condition()); ++k) {
    if (k === 200) throw new Error(`${engineName}: waited 10 s for ${condition}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

const slider = (lesson, id) => lesson.attribute(`#${id}`, "aria-valuenow").then(Number);
async function keys(lesson, id, ...names) {
  await lesson.evaluate((id) => document.getElementById(id).focus(), id);
  for (const name of names) await lesson.engine.press(name);
  return slider(lesson, id);
}
// The requests the page made for its core's WebAssembly (those of the
// service worker, which names itself, left out).
const wasmFetches = (server) =>
  server.requests.filter((r) => r.path === "/tavrine.wasm" && !r.referer.endsWith("service_worker.js")).length;

test(`${engineName}: a pupil's entry, selectors, toggles, sliders and quit, and the plot where the lesson puts it`, () =>
  withLesson({}, async (lesson) => {
    assert.equal(wasmFetches(lesson.server), 1, "the core fetched once");
    assert.equal(await lesson.text("#LblSiki"), "y=x^3");
    await expectTangentLayer(lesson, "start", { second: false, chord: false });
    // The y axis in black down plot column 330, white beside it.
    const pixel = await canvasPixels(lesson);
    assert.deepEqual([328, 330, 332].map((x) => pixel(x, 100)), [[255, 255, 255], [0, 0, 0], [255, 255, 255]]);

    for (const id of ["SbnKeisuB", "BtnMinus", "Btn03"]) await lesson.click(`#${id}`);
    assert.equal(await lesson.text("#LblKeisuB"), "-3");
    await lesson.click("#BtnKettei");
    assert.equal(await lesson.text("#LblSiki"), "y=x^3-3x^2");
    assert.equal(await lesson.attribute("#SbnKeisuC", "aria-checked"), "true");
    await lesson.settle();
    await expectTangentLayer(lesson, "b - 3 K", { second: false, chord: false });

    await lesson.click("#BBtnSessenSu");
    assert.equal(await lesson.text("#BBtnSessenSu"), TEXTS.twoTangents);
    // Handed out with S: the link, then S closes the view again.
    const sharing = () => lesson.evaluate(() => document.getElementById("ShareView").open);
    await lesson.engine.press("s");
    await until(sharing);
    const link = await lesson.evaluate(() => document.getElementById("ShareLink").value);
    assert.equal(link, new URL("#a=1&b=-3&c=0&d=0&tangents=2", lesson.server.url).href);
    const shared = carried(await lesson.evaluate(pageState));
    await lesson.engine.press("s");
    await until(async () => !(await sharing()));
    assert.equal(await keys(lesson, "ScrollBar2", ...Array(20).fill("ArrowRight")), 70);
    await lesson.click("#BBtnHojosen");
    assert.equal(await lesson.text("#BBtnHojosen"), TEXTS.chordOn);
    assert.equal(await keys(lesson, "ScrollBar1", "Home", "ArrowRight", "PageDown"), 2);
    await lesson.settle();
    await expectTangentLayer(lesson, "b - 3 K S t70 H z2", { second: true, chord: true });

    // The link opens the lesson as it was handed out, in the open page and
    // in a page loaded from it.
    await lesson.engine.goto(`${lesson.server.url}?lang=ja#${link.split("#")[1]}`);
    await until(async () => carried(await lesson.evaluate(pageState)) === shared);
    await lesson.reload();
    assert.equal(carried(await lesson.evaluate(pageState)), shared);

    // In a tab with more than one page behind it, which no engine lets a page
    // close (Firefox ESR 140 closes a tab of one page, and with it the
    // browser): the page says the lesson is over.
    await lesson.evaluate(() => history.pushState(null, "", location.href));
    await lesson.click("#BtnSyuryo");
    assert.equal(await lesson.evaluate(() => !document.getElementById("ended").hidden), true);
  }));

// The point dragged from the plot's centre (the inflection point of y = x^3,
// where the lesson starts) 40 plot pixels to the right, in five moves.
async function dragPoint(lesson, kind) {
  const [x0, y, scale] = await lesson.evaluate(() => {
    const r = document.getElementById("PaintBox1").getBoundingClientRect();
    return [r.x + r.width / 2, r.y + r.height / 2, r.width / 660];
  });
  const moves = [1, 2, 3, 4, 5].map((k) => ({ type: "move", x: x0 + 8 * k * scale, y }));
  await lesson.engine.pointer(kind, [{ type: "move", x: x0, y }, { type: "down" }, ...moves, { type: "up" }]);
  await lesson.settle();
}

test(`${engineName}: the upright arrangement, and the tangent point dragged with each pointer the driver sends`, () =>
  withLesson({ viewport: { width: 768, height: 1024 } }, async (lesson) => {
    // Every control on the screen, no two of the stage's own overlapping.
    const boxes = await lesson.evaluate(() => [...document.querySelectorAll("#stage > [id]:not(.offscreen), .groupbox > [id]:not(.caption)")]
      .filter((el) => !el.hidden && el.id !== "ended" && el.id !== "ShareView")
      .map((el) => ({ id: el.id, onStage: el.parentElement.id === "stage", ...el.getBoundingClientRect().toJSON() })));
    assert.equal(boxes.length, 34); // the window's 31, the choice of language, the share button and the slope curve's toggle
    for (const a of boxes) {
      assert.ok(a.left >= 0 && a.top >= 0 && a.right <= 768 && a.bottom <= 1024, `${a.id} on screen`);
      for (const b of boxes)
        assert.ok(a === b || !a.onStage || !b.onStage || a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top,
          `${a.id} and ${b.id} apart`);
    }
    // Upright: the plot above the keypad.
    const plot = boxes.find((b) => b.id === "PaintBox1");
    assert.ok(plot.bottom <= boxes.find((b) => b.id === "Btn05").top, "the keypad below the plot");

    // The position the lesson's own core gives for that drag.
    const expected = await lesson.evaluate(async () => {
      const module = await (await import("./tavrine.js")).default();
      const core = new module.Lesson();
      core.Syokika();
      core.pointer("PaintBox1", module.PointerPhase.Down, 660, 660, 330, 330);
      core.pointer("PaintBox1", module.PointerPhase.Move, 660, 660, 370, 330);
      core.pointer("PaintBox1", module.PointerPhase.Up, 660, 660, 0, 0);
      const position = core.view().tangentPosition;
      core.delete();
      return position;
    });
    assert.ok(expected > 50);
    for (const kind of lesson.engine.pointers) {
      await lesson.settle();
      await lesson.evaluate(() => {
        window.sayings = [];
        window.sayingsHeard ??= new MutationObserver(() => sayings.push(document.getElementById("announcer").textContent))
          .observe(document.getElementById("announcer"), { childList: true }) ?? true;
        window.pressedBy = [];
        window.pressesHeard ??= addEventListener("pointerdown", (e) => pressedBy.push(e.pointerType)) ?? true;
      });
      await dragPoint(lesson, kind);
      assert.deepEqual(await lesson.evaluate(() => pressedBy), [kind], "pressed by that kind of pointer");
      assert.equal(await slider(lesson, "ScrollBar2"), expected, `${kind}: the point follows`);
      const said = await lesson.evaluate(() => sayings);
      assert.equal(said.length, 1, `${kind}: the reading said once, at the release (${said})`);
      assert.ok(said[0].startsWith(opening("tangent")), said[0]);
      assert.equal(await keys(lesson, "ScrollBar2", "Home", ...Array(50).fill("ArrowRight")), 50);
    }
  }));

test(`${engineName}: once loaded, the lesson opens again without the network, its core fetched once a load`, async () => {
  // A copy of the site, so that a newer build can be put on the server.
  const root = mkdtempSync(join(tmpdir(), "tavrine-site-"));
  cpSync(site, root, { recursive: true });
  try {
    await withLesson({}, async (lesson) => {
      await lesson.evaluate(() => navigator.serviceWorker.ready.then(() => true));
      await lesson.reload();
      assert.equal(await lesson.evaluate(() => navigator.serviceWorker.controller !== null), true);
      assert.equal(wasmFetches(lesson.server), 2, "the core fetched once a load");
      // A newer build reaches the store after a visit with the network.
      appendFileSync(join(root, "lesson.css"), "\n/* newer build */\n");
      await lesson.reload();
      const stored = () => lesson.evaluate(async () =>
        (await (await caches.match("lesson.css")).text()).includes("newer build"));
      for (let k = 0; k < 50 && !(await stored()); ++k) await new Promise((r) => setTimeout(r, 100));
      assert.ok(await stored(), "the newer file reached the store");
      // The network taken away, or where the driver cannot, the server gone.
      if (lesson.engine.offline) await lesson.engine.offline();
      else lesson.server.close();
      await lesson.reload();
      assert.equal(await lesson.text("#LblSiki"), "y=x^3");
      await lesson.click("#BBtnSessenSu");
      assert.equal(await lesson.text("#BBtnSessenSu"), TEXTS.twoTangents);
      await lesson.evaluate(() => document.fonts.ready.then(() => true));
      assert.ok(await lesson.evaluate(() =>
        [...document.fonts].some((f) => f.family.includes("Tavrine PMincho") && f.status === "loaded")), "the faces from the store");
    }, root);
  } finally {
    rmSync(root, { recursive: true });
  }
});
