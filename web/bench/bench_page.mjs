// Measures the lesson page in Debian's headless chromium from a local server:
// navigation to the first painted plot, one tangent-slider step with its
// repaint (with the sound off and on), one drag step of the tangent point
// with its repaint, and the sizes the page downloads. Run by tools/bench-web.

import { gzipSync } from "node:zlib";
import { readFileSync, readdirSync, statSync } from "node:fs";
import { join } from "node:path";
import { launchChromium } from "../tests/browser.mjs";
import { serveSite } from "../tests/static_server.mjs";

const site = process.argv[2];
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const mid = sorted.length >> 1;
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};

const percentile = (values, q) => [...values].sort((a, b) => a - b)[Math.floor(q * (values.length - 1))];

const server = await serveSite(site);
const browser = await launchChromium();
const page = browser.context.pages()[0] ?? (await browser.context.newPage());

// Navigation to the first plot: from the start of the navigation to the moment
// the plot has been drawn, in the page's own clock; the first load is a
// warm-up that fills the HTTP cache, as a pupil's second visit would.
const navigations = [];
for (let k = 0; k < 11; ++k) {
  await page.goto(`${server.url}?run=${k}`);
  await page.waitForSelector("html[data-ready=true]");
  const t = await page.evaluate(() => performance.getEntriesByName("tavrine-first-plot")[0].startTime);
  if (k > 0) navigations.push(t);
}

// One tangent-slider step: the key press's handler, the lesson's new tangent
// point and the repaint of the plot, 100 steps back and forth.
const stepTimes = () => page.evaluate(() => {
  const bar = document.getElementById("ScrollBar2");
  const times = [];
  for (let k = 0; k < 100; ++k) {
    const key = k % 50 < 25 ? "ArrowRight" : "ArrowLeft";
    const t0 = performance.now();
    bar.dispatchEvent(new KeyboardEvent("keydown", { key, bubbles: true }));
    document.getElementById("PaintBox1").getContext("2d").getImageData(0, 0, 1, 1); // wait for the drawing
    times.push(performance.now() - t0);
  }
  return times;
});
const steps = await stepTimes();

// The same step with the sound on (Alt+T, a key the browser takes as the
// pupil's gesture, which lets the page's one AudioContext start): each step
// also makes the tone of the new slope and starts it in place of the one
// playing. The tones started are counted, so that a page that played
// nothing is not measured as one that did.
await page.evaluate(() => {
  const start = AudioBufferSourceNode.prototype.start;
  window.tonesStarted = 0;
  AudioBufferSourceNode.prototype.start = function (...args) {
    ++window.tonesStarted;
    return start.apply(this, args);
  };
});
await page.focus("#ScrollBar2");
await page.keyboard.press("Alt+KeyT");
const soundSteps = await stepTimes();
const tonesStarted = await page.evaluate(() => window.tonesStarted);
await page.keyboard.press("Alt+KeyT");

// One drag step of the tangent point: from the page receiving the pointer
// event to the end of the repaint, 100 moves back and forth with the mouse.
await page.evaluate(() => {
  window.dragTimes = [];
  const canvas = document.getElementById("PaintBox1");
  let start = 0;
  addEventListener("pointermove", () => { start = performance.now(); }, { capture: true });
  addEventListener("pointermove", () => {
    if (!canvas.classList.contains("dragging")) return;
    canvas.getContext("2d").getImageData(0, 0, 1, 1); // wait for the drawing
    window.dragTimes.push(performance.now() - start);
  });
});
const cdp = await browser.context.newCDPSession(page);
const plot = await page.locator("#PaintBox1").boundingBox();
const mouse = (type, x) => cdp.send("Input.dispatchMouseEvent",
  { type, x, y: plot.y + plot.height / 2, button: "left", buttons: type === "mouseReleased" ? 0 : 1, clickCount: 1 });
await page.focus("#ScrollBar2");
await page.keyboard.press("End");
await page.keyboard.press("Home");
for (let k = 0; k < 50; ++k) await page.keyboard.press("ArrowRight");
const centre = plot.x + plot.width / 2;
await mouse("mousePressed", centre);
for (let k = 0; k < 100; ++k) await mouse("mouseMoved", centre + (k % 50 < 25 ? k % 25 : 25 - (k % 25)) * 4);
await mouse("mouseReleased", centre);
const drags = await page.evaluate(() => window.dragTimes);

await browser.close();
server.close();

const gz = (name) => gzipSync(readFileSync(join(site, name)), { level: 9 }).length;
// The Japanese page's four faces; the faces of the other languages' letters,
// fetched only by a page in those languages, apart.
const faces = readdirSync(join(site, "fonts")).filter((name) => name.endsWith(".woff2"));
const bytesOf = (names) => names.reduce((sum, name) => sum + statSync(join(site, "fonts", name)).size, 0);
const otherLanguages = (name) => name.endsWith("-more.woff2") || name === "tavrine-extra.woff2";
const fontBytes = bytesOf(faces.filter((name) => !otherLanguages(name)));
const moreFontBytes = bytesOf(faces.filter(otherLanguages));
const kb = (bytes) => (bytes / 1024).toFixed(1);
const result = {
  navigationToFirstPlotMs: +median(navigations).toFixed(1),
  tangentStepMedianMs: +median(steps).toFixed(3),
  tangentStepSoundOnMedianMs: +median(soundSteps).toFixed(3),
  tangentStepSoundOnP95Ms: +percentile(soundSteps, 0.95).toFixed(3),
  tangentStepP95Ms: +percentile(steps, 0.95).toFixed(3),
  tonesStarted,
  dragStepMedianMs: +median(drags).toFixed(3),
  wasmAndJsGzipKB: +kb(gz("tavrine.wasm") + gz("tavrine.js")),
  pageScriptsGzipKB: +kb(["main.js", "plot_canvas.js", "plot_geometry.js", "scroll_bar.js", "contrast.js", "sound.js", "language.js", "lesson.css", "controls.css",
    "index.html"]
    .reduce((sum, name) => sum + gz(name), 0)),
  fontsKB: +kb(fontBytes),
  otherLanguagesFontsKB: +kb(moreFontBytes),
};
console.log(`navigation to first painted plot  ${result.navigationToFirstPlotMs} ms (median of 10)`);
console.log(`tangent-slider step with repaint  ${result.tangentStepMedianMs} ms (median of 100; 95th percentile ${result.tangentStepP95Ms} ms)`);
console.log(`the same with the sound on        ${result.tangentStepSoundOnMedianMs} ms (median of 100; 95th percentile ${result.tangentStepSoundOnP95Ms} ms; ${tonesStarted} tones started)`);
console.log(`tangent-point drag step, repainted ${result.dragStepMedianMs} ms (median of ${drags.length})`);
console.log(`tavrine.wasm + tavrine.js gzipped ${result.wasmAndJsGzipKB} KB`);
console.log(`page, styles and scripts gzipped  ${result.pageScriptsGzipKB} KB`);
console.log(`fonts (WOFF2)                     ${result.fontsKB} KB`);
console.log(`other languages' letters (WOFF2)  ${result.otherLanguagesFontsKB} KB`);
if (process.argv.includes("--json")) console.log(JSON.stringify(result));
