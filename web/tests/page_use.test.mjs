// A pupil's use of the lesson page in chromium: what the controls say and
// what the plot's canvas shows where the lesson's geometry puts its lines.

import { test } from "node:test";
import assert from "node:assert/strict";
import { openLesson, canvasPixels } from "./page_fixture.mjs";
import { expectTangentLayer, linesOf } from "./plot_checks.mjs";
import { KEYBOARD_ORDER, ROWS, TEXTS, filled, nameOf, sentence } from "./texts.mjs";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

const RED = [255, 0, 0];
const BLACK = [0, 0, 0];

// What a control shows, without the hidden names a label lends.
const text = (page, id) => page.innerText(`#${id}`);
const pressed = (page, id) => page.getAttribute(`#${id}`, "aria-checked");
const color = (page, id) => page.$eval(`#${id}`, (el) => getComputedStyle(el).color);
const sliderValue = (page, id) => page.getAttribute(`#${id}`, "aria-valuenow");

test("the lesson starts as the reset leaves it", async () => {
  const { page, close } = await openLesson();
  try {
    assert.deepEqual(
      await Promise.all(["LblKeisuA", "LblKeisuB", "LblKeisuC", "LblKeisuD", "LblSiki"].map((id) => text(page, id))),
      ["1", "0", "0", "0", "y=x^3"]);
    assert.equal(await pressed(page, "SbnKeisuA"), "true");
    assert.equal(await color(page, "SbnKeisuA"), "rgb(255, 0, 0)");
    assert.equal(await color(page, "SbnKeisuB"), "rgb(128, 0, 0)");
    assert.equal(await text(page, "BBtnSessenSu"), TEXTS.oneTangentAtReset);
    assert.equal(await color(page, "BBtnSessenSu"), "rgb(0, 0, 255)");
    assert.equal(await page.isVisible("#BBtnHojosen"), false);
    assert.equal(await text(page, "BtnSyuryo"), ROWS.BtnSyuryo.caption);
    assert.deepEqual([await sliderValue(page, "ScrollBar1"), await sliderValue(page, "ScrollBar2")], ["51", "50"]);
    assert.equal(await page.evaluate(() => document.activeElement.id), "ScrollBar1");

    // The keyboard order: the lesson's controls (the hidden button left
    // out), the choice of language, the share button, the slope curve's
    // toggle, the page's links,
    // then out of the page to the browser.
    const order = [];
    for (let k = 0; k < 23; ++k) {
      await page.keyboard.press("Tab");
      order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.tagName));
    }
    assert.deepEqual(order, [...KEYBOARD_ORDER.filter((id) => id !== "ScrollBar1" && id !== "BBtnHojosen"),
      "SELECT", "ShareButton", "SlopeCurveButton", "A", "A", "A", "A", "BODY"]);

    // The plot: grid, axes, the curve y = x^3 and the tangent at its inflection point.
    const plot = await expectTangentLayer(page, "start", { second: false, chord: false });
    const pixel = await canvasPixels(page);
    const axes = linesOf(plot, 0x000000);
    assert.equal(axes.length, 2);
    assert.deepEqual(pixel(axes[0][0][0], 100), BLACK, "the y axis");
    const curve = plot.items.find((i) => i.kind === 2);
    // The curve's points that lie inside the area, well away from the axes.
    const inside = Array.from({ length: curve.count }, (_, k) => plot.point(curve.first + k))
      .filter(([x, y]) => x > 340 && x < 650 && y > 10 && y < 320);
    assert.ok(inside.length > 10);
    const onCurve = inside[Math.floor(inside.length / 2)];
    assert.deepEqual(pixel(...onCurve), RED, `the curve at ${onCurve}`);
  } finally {
    await close();
  }
});

test("keypad entry, a refused bare minus, the equation text", async () => {
  const { page, close } = await openLesson();
  try {
    await page.click("#SbnKeisuB");
    assert.equal(await page.evaluate(() => document.activeElement.id), "ScrollBar1", "a speed button takes no focus");
    await page.click("#BtnMinus");
    await page.click("#Btn03");
    assert.equal(await text(page, "LblKeisuB"), "-3");
    assert.equal(await text(page, "LblSiki"), "y=x^3");
    await page.click("#BtnKettei");
    assert.equal(await text(page, "LblSiki"), "y=x^3-3x^2");
    assert.equal(await pressed(page, "SbnKeisuC"), "true");
    assert.equal(await pressed(page, "SbnKeisuB"), "false");
    assert.equal(await color(page, "SbnKeisuC"), "rgb(255, 0, 0)");
    // Said and described in words: the new equation and its inflection point.
    assert.ok((await page.textContent("#announcer"))
      .startsWith(sentence("confirmed") + sentence("curve", "y イコール x の 3 乗 マイナス 3 x の 2 乗")));
    assert.ok((await page.textContent("#plotDescription")).includes(sentence("inflection", "(1, マイナス 2)")));
    await expectTangentLayer(page, "b - 3 K", { second: false, chord: false });

    // d = "-" alone: "決定" is refused and nothing is drawn again.
    await page.click("#SbnKeisuD");
    await page.click("#BtnMinus");
    const painted = await page.getAttribute("#PaintBox1", "data-painted");
    await page.click("#BtnKettei");
    assert.equal(await text(page, "LblKeisuD"), "-");
    assert.equal(await text(page, "LblSiki"), "y=x^3-3x^2");
    assert.equal(await page.textContent("#announcer"), TEXTS.confirmationRefused);
    assert.equal(await pressed(page, "SbnKeisuD"), "true");
    assert.equal(await page.getAttribute("#PaintBox1", "data-painted"), painted);
    // a takes no "０"; the equation button takes no digits.
    await page.click("#SbnKeisuA");
    await page.click("#Btn00");
    assert.equal(await text(page, "LblKeisuA"), "1");
    await page.click("#SbnSiki");
    assert.equal(await color(page, "SbnSiki"), "rgb(0, 0, 255)");
    await page.click("#Btn07");
    assert.deepEqual(
      await Promise.all(["LblKeisuA", "LblKeisuB", "LblKeisuC", "LblKeisuD"].map((id) => text(page, id))),
      ["1", "-3", "0", "-"]);
    // The keyboard's own digits and "-" press the keypad's keys.
    await page.click("#SbnKeisuC");
    await page.keyboard.press("-");
    await page.keyboard.press("4");
    assert.equal(await text(page, "LblKeisuC"), "-4");
    assert.equal(await page.textContent("#announcer"), nameOf("LblKeisuC", "マイナス 4"));
  } finally {
    await close();
  }
});

test("the zoom keys and the tangent slider", async () => {
  const { page, close } = await openLesson();
  try {
    const keys = async (id, ...names) => {
      await page.focus(`#${id}`);
      for (const name of names) await page.keyboard.press(name);
      return sliderValue(page, id);
    };
    assert.equal(await keys("ScrollBar1", "End"), "100");
    assert.equal(await keys("ScrollBar1", "PageUp", "ArrowUp"), "98");
    assert.equal(await keys("ScrollBar1", "Home", "ArrowLeft"), "0");
    assert.equal(await keys("ScrollBar1", "ArrowRight", "ArrowDown", "PageDown"), "3");
    await expectTangentLayer(page, "z3", { second: false, chord: false });
    // Once the slider rests, the new range is said: 3 gives a view 35 wide.
    assert.ok((await page.textContent("#announcer")).startsWith(sentence("range", "マイナス 17 てん 5", "17 てん 5")));
    // At the right end the view is -2..2: the grid's lines stand 165 pixels apart.
    await keys("ScrollBar1", "End");
    const pixel = await canvasPixels(page);
    assert.deepEqual(pixel(165, 100), [192, 192, 192]);
    assert.deepEqual(pixel(330, 100), BLACK);

    assert.equal(await keys("ScrollBar2", ...Array(12).fill("ArrowRight")), "62");
    await expectTangentLayer(page, "z100 t62", { second: false, chord: false });
    // A click on the trough is one step towards the click.
    const box = await page.locator("#ScrollBar2").boundingBox();
    await page.mouse.click(box.x + box.width - 40, box.y + box.height / 2);
    assert.equal(await sliderValue(page, "ScrollBar2"), "63");
    // "決定" puts the tangent point back on the inflection point.
    await page.click("#BtnKettei");
    assert.equal(await sliderValue(page, "ScrollBar2"), "50");
  } finally {
    await close();
  }
});

test("both toggles and the hidden chord button", async () => {
  const { page, close } = await openLesson();
  try {
    await page.click("#BBtnSessenSu");
    assert.equal(await text(page, "BBtnSessenSu"), TEXTS.twoTangents);
    assert.equal(await color(page, "BBtnSessenSu"), "rgb(128, 0, 128)");
    assert.equal(await page.isVisible("#BBtnHojosen"), true);
    await page.focus("#ScrollBar2");
    for (let k = 0; k < 20; ++k) await page.keyboard.press("ArrowRight");
    await expectTangentLayer(page, "S t70", { second: true, chord: false });

    await page.click("#BBtnHojosen");
    assert.equal(await text(page, "BBtnHojosen"), TEXTS.chordOn);
    assert.equal(await color(page, "BBtnHojosen"), "rgb(128, 0, 128)");
    await expectTangentLayer(page, "S t70 H", { second: true, chord: true });

    // The chord button is in the keyboard order while it shows.
    await page.focus("#BBtnSessenSu");
    await page.keyboard.press("Tab");
    assert.equal(await page.evaluate(() => document.activeElement.id), "BBtnHojosen");

    // One tangent again: the chord goes with it and its button hides.
    await page.click("#BBtnSessenSu");
    assert.equal(await text(page, "BBtnSessenSu"), TEXTS.oneTangent);
    assert.equal(await page.isVisible("#BBtnHojosen"), false);
    await expectTangentLayer(page, "S t70 H S", { second: false, chord: false });
    await page.keyboard.press("Tab");
    assert.equal(await page.evaluate(() => document.activeElement.tagName), "SELECT", "past the hidden button");
    // Switched on again, the chord stays off until asked for.
    await page.click("#BBtnSessenSu");
    assert.equal(await text(page, "BBtnHojosen"), TEXTS.chordOff);
    await expectTangentLayer(page, "S t70 H S S", { second: true, chord: false });
  } finally {
    await close();
  }
});

// The slope curve's toggle in chromium's accessibility tree, pressed by a
// click and let go by D; the plot shows the dashed teal curve only meanwhile.
test("the slope curve's toggle", async () => {
  const { page, browser, close } = await openLesson();
  try {
    const cdp = await browser.context.newCDPSession(page);
    const node = async () => (await cdp.send("Accessibility.getFullAXTree")).nodes
      .find((n) => n.role?.value === "button" && n.name?.value === TEXTS.slopeCurve);
    const state = async () => {
      const found = await node();
      const pressedState = found.properties.find((p) => p.name === "pressed")?.value.value;
      const pixel = await canvasPixels(page);
      let teal = 0;
      for (let y = 0; y < 660; ++y) for (let x = 0; x < 660; ++x) if (pixel(x, y).join() === "0,128,128") ++teal;
      return { pressed: pressedState, description: found.description?.value, teal };
    };
    const off = await state();
    assert.deepEqual(off, { pressed: "false", description: TEXTS.slopeCurveDescription, teal: 0 });
    assert.equal(await page.getAttribute("#SlopeCurveButton", "aria-keyshortcuts"), "D");
    await page.click("#SlopeCurveButton");
    const on = await state();
    assert.equal(on.pressed, "true");
    assert.ok(on.teal > 500, `${on.teal} teal pixels`);
    assert.ok((await page.textContent("#announcer")).startsWith(TEXTS.slopeCurveShown));
    await page.keyboard.press("d");
    assert.deepEqual(await state(), off);
  } finally {
    await close();
  }
});

test("the quit button ends the lesson", async () => {
  const { page, close } = await openLesson();
  try {
    await page.click("#BtnSyuryo");
    assert.equal(await page.isVisible("#ended"), true);
    assert.equal(await page.$eval("#Btn05", (el) => el.closest("[inert]") !== null || el.inert), true);
  } finally {
    await close();
  }
});

// Every row of the core's key table pressed on the page, on a freshly loaded
// lesson each: the page does what the row says, from a keypad key's focus
// (a slider's keys on the focused tangent slider); F11 and Escape are left
// to the browser's own full screen as well.
test("every key of the key table", async () => {
  const { page, browser, server, close } = await openLesson();
  try {
    await browser.context.grantPermissions(["clipboard-read", "clipboard-write"], { origin: server.url });
    const rows = await page.evaluate(async () => (await (await import("./tavrine.js")).default()).keyTable());
    const held = { 1: "Shift", 2: "Control", 4: "Alt", 8: "Meta" };
    for (const row of rows) {
      await page.reload();
      await page.waitForSelector("html[data-ready=true]");
      const focus = row.onSlider ? "ScrollBar2" : "Btn08";
      await page.focus(`#${focus}`);
      await page.evaluate((control) => {
        globalThis.seen = { clicks: 0, leftToBrowser: null };
        if (control) document.getElementById(control).addEventListener("click", () => ++seen.clicks);
        addEventListener("keydown", (e) => { seen.leftToBrowser = !e.defaultPrevented; });
      }, row.control);
      // The print dialog would hold the page up: counted instead.
      await page.evaluate(() => { globalThis.printed = 0; window.print = () => ++globalThis.printed; });
      const downloaded = row.command === "SavePlot" ? page.waitForEvent("download") : null;
      const chord = Object.entries(held).filter(([bit]) => row.modifiers & bit).map(([, name]) => name);
      await page.keyboard.press([...chord, row.key].join("+"));
      const seen = await page.evaluate(() => globalThis.seen);
      const said = await page.textContent("#announcer");
      const at = `${row.name}: `;
      switch (row.command) {
        case "PressControl": assert.equal(seen.clicks, 1, `${at}presses ${row.control}`); break;
        case "SoundOnOff": assert.ok(said.startsWith(TEXTS.soundOn), `${at}${said}`); break;
        case "HearCurve": case "HearTangent": case "HearSlope": assert.equal(said, TEXTS.soundIsOff, at); break;
        case "SlopeCurve": assert.ok(said.startsWith(TEXTS.slopeCurveShown), `${at}${said}`); break;
        case "StopSound": case "Presentation": assert.equal(seen.leftToBrowser, true, at); break;
        case "CopyPlot": {
          // The picture and the equations, where the browser lets the page write them.
          await page.waitForFunction((t) => document.getElementById("announcer").textContent === t, TEXTS.plotCopied);
          const copied = await page.evaluate(async () => {
            const [item] = await navigator.clipboard.read();
            return { types: item.types, text: await (await item.getType("text/plain")).text() };
          });
          assert.ok(copied.types.includes("image/png"), `${at}${copied.types}`);
          assert.equal(copied.text.split("\n")[0], "y=x^3", at);
          break;
        }
        case "SavePlot": {
          const saved = await downloaded;
          assert.equal(saved.suggestedFilename(), "y=x^3.svg", at);
          assert.match(readFileSync(await saved.path(), "utf8"), /^<\?xml[^]*<title id="title">y=x\^3<\/title>/, at);
          assert.equal(said, filled(TEXTS.plotSaved, "y=x^3.svg"), at);
          break;
        }
        case "PrintPlot":
          assert.equal(await page.evaluate(() => globalThis.printed), 1, at);
          assert.equal(await page.locator("#printSheet svg").count(), 1, at);
          break;
        case "TouchPaper": assert.equal(said, TEXTS.touchPaperOn, at); break;
        default: {
          const expected = { SliderToStart: 0, SliderToEnd: 100 }[row.command] ?? 50 + row.step;
          assert.equal(await sliderValue(page, "ScrollBar2"), String(expected), at);
        }
      }
    }
  } finally {
    await close();
  }
});

// Ctrl+P, then the page printed by chromium (Page.printToPDF): the plot and
// its equations as text, and nothing of the controls.
test("the page on paper", async () => {
  const { page, close } = await openLesson({ at: "#a=1&b=0&c=-3&d=0&point=70" });
  const folder = mkdtempSync(join(tmpdir(), "tavrine-print-"));
  try {
    await page.evaluate(() => { window.print = () => {}; });
    await page.keyboard.press("Control+p");
    const pdf = join(folder, "page.pdf");
    writeFileSync(pdf, await page.pdf({ format: "A4" }));
    const text = execFileSync("pdftotext", [pdf, "-"], { encoding: "utf8" });
    assert.match(text, /y=x\^3-3x/);
    assert.match(text, /接線 y=2\.33x-4\.74/);
    for (const { caption } of Object.values(ROWS)) assert.ok(!caption || !text.includes(caption), `${caption} in ${text}`);
    assert.equal(execFileSync("pdfinfo", [pdf], { encoding: "utf8" }).match(/Pages: +(\d+)/)[1], "1");
  } finally {
    rmSync(folder, { recursive: true, force: true });
    await close();
  }
});
