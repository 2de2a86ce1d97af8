// The page audited by axe-core in chromium for WCAG 2.1 A and AA and axe's
// best practice, with the rule that a control's name contains its caption:
// at the start, after a lesson and in portrait. Only the lesson's own
// palette may fall short of contrast, where the tests list it; with more
// contrast asked for, nothing may, and the plot's faint lines darken.

import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { openLesson, canvasPixels } from "./page_fixture.mjs";

const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");

const OPTIONS = {
  runOnly: { type: "tag", values: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "best-practice"] },
  // Experimental in axe, so off unless asked for: a pupil using voice
  // control says what she sees.
  rules: { "label-content-name-mismatch": { enabled: true } },
};

// The lesson's palette on the page: its red captions on the money green
// (2.71:1) and on the labels' tooltip yellow (3.93:1), and the latched
// selector's red on its pressed face (2.92:1). Each finding as "target
// foreground on background".
const RED_ON_GREEN = "#ff0000 on #c0dcc0";
const RED_ON_YELLOW = "#ff0000 on #ffffe1";
const COEFFICIENTS = ["LblKeisuA", "LblKeisuB", "LblKeisuC", "LblKeisuD"];
const paletteFindings = (latched) => [
  `#GroupBox2Caption ${RED_ON_GREEN}`, `#Label2 > span ${RED_ON_GREEN}`, `#LblSiki > span ${RED_ON_YELLOW}`,
  ...COEFFICIENTS.map((id) => `#${id} > span:nth-child(1) ${RED_ON_YELLOW}`), `#${latched} #ff0000 on #dcdcdc`,
];

// Where axe cannot tell (a caption partly under a neighbour, text too short
// to be sure of, a link it takes for an image), the contrast is measured
// here from the element's colour and the background it stands on, against
// the ratio axe asks of that text. Likewise a name that axe cannot match to
// a one-character caption must contain it.
async function undecided(page, incomplete) {
  return page.evaluate((incomplete) => {
    const hex = (css) => "#" + css.match(/\d+/g).slice(0, 3).map((c) => Number(c).toString(16).padStart(2, "0")).join("");
    const luminance = (css) => {
      const [r, g, b] = css.match(/\d+/g).slice(0, 3).map((c) => {
        const v = Number(c) / 255;
        return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
      });
      return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const background = (el) => {
      for (; el; el = el.parentElement) {
        const color = getComputedStyle(el).backgroundColor;
        if (color !== "rgba(0, 0, 0, 0)") return color;
      }
      return "rgb(255, 255, 255)";
    };
    const found = [];
    for (const { rule, target, expected } of incomplete) {
      const el = document.querySelector(target);
      if (rule === "label-content-name-mismatch") {
        const name = el.getAttribute("aria-label") ?? "";
        if (!name.includes(el.textContent.trim())) found.push(`${rule}: ${target} "${el.textContent}" named "${name}"`);
        continue;
      }
      const fg = getComputedStyle(el).color;
      const bg = background(el);
      const [hi, lo] = [luminance(fg), luminance(bg)].sort((a, b) => b - a);
      if ((hi + 0.05) / (lo + 0.05) < parseFloat(expected)) found.push(`${target} ${hex(fg)} on ${hex(bg)}`);
    }
    return found;
  }, incomplete);
}

async function audit(page) {
  await page.evaluate(() => document.fonts.ready);
  if (!(await page.evaluate(() => "axe" in window))) await page.addScriptTag({ content: axeSource });
  const { violations, incomplete } = await page.evaluate((options) => window.axe.run(document, options), OPTIONS);
  const contrast = [];
  const others = [];
  for (const v of violations) {
    for (const node of v.nodes) {
      const data = node.any.find((c) => c.id === "color-contrast")?.data;
      if (v.id === "color-contrast") contrast.push(`${node.target.join(" ")} ${data.fgColor} on ${data.bgColor}`);
      else others.push(`${v.id}: ${node.target.join(" ")} ${node.failureSummary.replace(/\s+/g, " ")}`);
    }
  }
  const open = incomplete.flatMap((v) => v.nodes.map((node) => ({
    rule: v.id, target: node.target.join(" "), expected: node.any[0]?.data?.expectedContrastRatio,
  })));
  for (const finding of await undecided(page, open)) {
    (finding.startsWith("label-content-name-mismatch") ? others : contrast).push(finding);
  }
  const unknown = open.filter((n) => n.rule !== "color-contrast" && n.rule !== "label-content-name-mismatch");
  others.push(...unknown.map((n) => `undecided ${n.rule}: ${n.target}`));
  return { contrast, others };
}

// What the audit finds in the lesson's colours and with more contrast.
async function auditBoth(page) {
  await page.emulateMedia({ contrast: "no-preference" });
  const lesson = await audit(page);
  lesson.contrast.sort();
  await page.emulateMedia({ contrast: "more" });
  const high = await audit(page);
  await page.emulateMedia({ contrast: null });
  return { lesson, high };
}

// Nothing but the lesson's own palette falls short, and with more contrast
// asked for, nothing at all.
function check({ lesson, high }, expectedContrast) {
  assert.deepEqual({ lesson, high }, {
    lesson: { contrast: [...expectedContrast].sort(), others: [] },
    high: { contrast: [], others: [] },
  });
}

test("at the start, landscape", async () => {
  const lesson = await openLesson();
  try {
    check(await auditBoth(lesson.page), paletteFindings("SbnKeisuA"));
  } finally {
    await lesson.close();
  }
});

test("after a lesson, both tangents and the chord on", async () => {
  const lesson = await openLesson();
  const { page } = lesson;
  try {
    for (const id of ["SbnKeisuB", "Btn03", "BtnKettei", "BBtnSessenSu", "BBtnHojosen"]) await page.click(`#${id}`);
    assert.equal(await page.textContent("#LblSiki"), "y=x^3+3x^2");
    check(await auditBoth(page), paletteFindings("SbnKeisuC"));

    // The plot repaints as the setting changes: the grid's silver and the
    // inflection point's lime give way to the palette's grey and green.
    const colours = async (contrast) => {
      const painted = await page.$eval("#PaintBox1", (c) => Number(c.dataset.painted));
      await page.emulateMedia({ contrast });
      await page.waitForFunction((n) => Number(document.getElementById("PaintBox1").dataset.painted) > n, painted);
      const pixel = await canvasPixels(page);
      const seen = new Set();
      for (let y = 0; y < 660; ++y) for (let x = 0; x < 660; ++x) seen.add(pixel(x, y).join(","));
      return ["192,192,192", "0,255,0", "128,128,128", "0,153,0", "255,0,0"].filter((c) => seen.has(c));
    };
    assert.deepEqual(await colours("more"), ["128,128,128", "0,153,0", "255,0,0"]);
    assert.deepEqual(await colours("no-preference"), ["192,192,192", "0,255,0", "255,0,0"]);
  } finally {
    await lesson.close();
  }
});

test("in portrait, 768 x 1024", async () => {
  const lesson = await openLesson({ viewport: { width: 768, height: 1024 } });
  try {
    check(await auditBoth(lesson.page), paletteFindings("SbnKeisuA"));
  } finally {
    await lesson.close();
  }
});
