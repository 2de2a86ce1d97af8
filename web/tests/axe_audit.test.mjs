// The page audited by axe-core in chromium for WCAG 2.1 A and AA, axe's best
// practice and the rule that a control's name contains its caption: at the
// start, after a lesson and in portrait. Only the lesson's own palette may
// fall short of contrast; with more contrast asked for nothing may, and the
// plot's faint pens darken as the setting changes.

import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { openLesson, canvasPixels } from "./page_fixture.mjs";

const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
const OPTIONS = {
  runOnly: { type: "tag", values: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "best-practice"] },
  // Experimental in axe, so asked for: a pupil using voice control says what she sees.
  rules: { "label-content-name-mismatch": { enabled: true } },
};

// The lesson's palette: its red captions on the money green (2.71:1) and on
// the labels' tooltip yellow (3.93:1), the latched selector's red on its
// pressed face (2.92:1), as "target foreground on background"; the green and
// the yellow as the page's build wrote them from the core.
const paletteFindings = (latched, { green, yellow }) => [
  `#GroupBox2Caption #ff0000 on ${green}`, `#Label2 > span #ff0000 on ${green}`, `#LblSiki > span #ff0000 on ${yellow}`,
  ...["A", "B", "C", "D"].map((c) => `#LblKeisu${c} > span:nth-child(1) #ff0000 on ${yellow}`), `#${latched} #ff0000 on #dcdcdc`,
].sort();

// axe's findings. What it leaves undecided (a caption partly under its
// neighbour, text too short to judge, one-character captions) is decided
// here: the contrast of the element's colour on the first background behind
// it against the ratio axe asks of that text, and whether the name contains
// the caption.
async function audit(page) {
  await page.evaluate(() => document.fonts.ready);
  if (!(await page.evaluate(() => "axe" in window))) await page.addScriptTag({ content: axeSource });
  return page.evaluate(async (options) => {
    const { violations, incomplete } = await window.axe.run(document, options);
    const channels = (css) => css.match(/\d+/g).slice(0, 3).map(Number);
    const hex = (css) => "#" + channels(css).map((c) => c.toString(16).padStart(2, "0")).join("");
    const luminance = (css) => 0.05 + channels(css).map((c) => c / 255)
      .map((v) => (v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4))
      .reduce((sum, v, k) => sum + v * [0.2126, 0.7152, 0.0722][k], 0);
    const found = { contrast: [], others: [] };
    for (const { id, nodes } of violations) {
      for (const { target, any, failureSummary } of nodes) {
        if (id === "color-contrast") found.contrast.push(`${target} ${any[0].data.fgColor} on ${any[0].data.bgColor}`);
        else found.others.push(`${id}: ${target} ${failureSummary.replace(/\s+/g, " ")}`);
      }
    }
    for (const { id, nodes } of incomplete) {
      for (const { target, any } of nodes) {
        const el = document.querySelector(target);
        if (id === "label-content-name-mismatch") {
          const name = el.getAttribute("aria-label") ?? "";
          if (!name.includes(el.textContent.trim())) found.others.push(`${id}: ${target} "${el.textContent}" named "${name}"`);
        } else if (id === "color-contrast") {
          let back = el;
          while (getComputedStyle(back).backgroundColor === "rgba(0, 0, 0, 0)") back = back.parentElement;
          const [fg, bg] = [getComputedStyle(el).color, getComputedStyle(back).backgroundColor];
          const ratio = Math.max(luminance(fg), luminance(bg)) / Math.min(luminance(fg), luminance(bg));
          if (ratio < parseFloat(any[0].data.expectedContrastRatio)) found.contrast.push(`${target} ${hex(fg)} on ${hex(bg)}`);
        } else {
          found.others.push(`undecided ${id}: ${target}`);
        }
      }
    }
    found.contrast.sort();
    return found;
  }, OPTIONS);
}

// Nothing but the lesson's palette falls short, and with more contrast
// asked for, nothing at all.
async function check(page, latched) {
  await page.emulateMedia({ contrast: "no-preference" });
  const lesson = await audit(page);
  await page.emulateMedia({ contrast: "more" });
  const high = await audit(page);
  const faces = await page.evaluate(() => {
    const style = getComputedStyle(document.documentElement);
    return { green: style.getPropertyValue("--money-green").trim(), yellow: style.getPropertyValue("--tooltip").trim() };
  });
  assert.deepEqual({ lesson, high }, {
    lesson: { contrast: latched ? paletteFindings(latched, faces) : [], others: [] }, high: { contrast: [], others: [] },
  });
}

for (const [name, viewport, keys, latched] of [
  ["at the start", { width: 1024, height: 768 }, [], "SbnKeisuA"],
  ["after a lesson, both tangents and the chord on", { width: 1024, height: 768 },
    ["SbnKeisuB", "Btn03", "BtnKettei", "BBtnSessenSu", "BBtnHojosen"], "SbnKeisuC"],
  ["in portrait, 768 x 1024", { width: 768, height: 1024 }, [], "SbnKeisuA"],
  // Only the view can be seen or reached: the lesson's palette behind it is
  // out of the audit.
  ["with the share view open", { width: 1024, height: 768 }, ["ShareButton"], null],
]) {
  test(name, async () => {
    const lesson = await openLesson({ viewport });
    const { page } = lesson;
    try {
      for (const id of keys) await page.click(`#${id}`);
      if (keys.includes("ShareButton")) await page.waitForSelector("#ShareView[open]");
      await check(page, latched);
    } finally {
      await lesson.close();
    }
  });
}

test("the plot repaints as the reader's contrast setting changes", async () => {
  const lesson = await openLesson();
  const { page } = lesson;
  try {
    for (const id of ["SbnKeisuB", "Btn03", "BtnKettei", "BBtnSessenSu", "BBtnHojosen"]) await page.click(`#${id}`);
    // The grid's silver and the inflection point's lime give way to the
    // palette's grey and green; the curve's red stays.
    for (const [contrast, expected] of [["more", "128,128,128 0,153,0 255,0,0"], ["no-preference", "192,192,192 0,255,0 255,0,0"]]) {
      const painted = await page.$eval("#PaintBox1", (c) => Number(c.dataset.painted));
      await page.emulateMedia({ contrast });
      await page.waitForFunction((n) => Number(document.getElementById("PaintBox1").dataset.painted) > n, painted);
      const pixel = await canvasPixels(page);
      const seen = new Set();
      for (let y = 0; y < 660; ++y) for (let x = 0; x < 660; ++x) seen.add(pixel(x, y).join(","));
      const pens = ["192,192,192", "0,255,0", "128,128,128", "0,153,0", "255,0,0"];
      assert.equal(pens.filter((c) => seen.has(c)).join(" "), expected);
    }
  } finally {
    await lesson.close();
  }
});
