// The page on a larger screen of twice the pixel density, and the page
// again with the network gone.

import { test } from "node:test";
import assert from "node:assert/strict";
import { cpSync, appendFileSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { openLesson, canvasPixels, site } from "./page_fixture.mjs";

test("the stage fills the window and the plot's lines stay sharp", async () => {
  const { page, close } = await openLesson({ viewport: { width: 1280, height: 1024 }, deviceScaleFactor: 2 });
  try {
    // 1280 / 1024 = 1.25 wide, centred in the 64 pixels left below; twice
    // that in device pixels.
    const box = await page.locator("#PaintBox1").boundingBox();
    assert.deepEqual([box.x, box.y, box.width, box.height], [10, 32 + 36.25, 825, 825]);
    assert.equal(await page.$eval("#PaintBox1", (c) => c.width), 1650);
    // The y axis, plot column 330, covers device columns 825 to 827 in pure
    // black, with the white area on both sides.
    const pixel = await canvasPixels(page);
    const row = Math.round(105 * 2.5);
    assert.deepEqual([824, 825, 826, 827, 828].map((x) => pixel(x, row)),
      [[255, 255, 255], [0, 0, 0], [0, 0, 0], [0, 0, 0], [255, 255, 255]]);
  } finally {
    await close();
  }
});

test("once loaded, the lesson opens without a network, as the server last had it", async () => {
  // A copy of the site, so that a newer build can be put on the server.
  const root = mkdtempSync(join(tmpdir(), "tavrine-site-"));
  cpSync(site, root, { recursive: true });
  const lesson = await openLesson({ root });
  const { page, browser } = lesson;
  try {
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForSelector("html[data-ready=true]");
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
    // A newer build reaches the store after a visit with the network.
    appendFileSync(join(root, "lesson.css"), "\n/* newer build */\n");
    await page.reload();
    await page.waitForSelector("html[data-ready=true]");
    const stored = () => page.evaluate(async () =>
      (await (await caches.match("lesson.css")).text()).includes("newer build"));
    for (let k = 0; k < 50 && !(await stored()); ++k) await page.waitForTimeout(100);
    assert.ok(await stored(), "the newer file did not reach the store");
    await browser.context.setOffline(true);
    await page.reload();
    await page.waitForSelector("html[data-ready=true]");
    assert.equal(await page.textContent("#LblSiki"), "y=x^3");
    await page.click("#BBtnSessenSu");
    assert.equal(await page.textContent("#BBtnSessenSu"), "接 線 ２ 本");
    // The faces came from the store too.
    await page.evaluate(() => document.fonts.ready);
    assert.ok(await page.evaluate(() =>
      [...document.fonts].some((f) => f.family.includes("Tavrine PMincho") && f.status === "loaded")));
  } finally {
    await lesson.close();
    rmSync(root, { recursive: true });
  }
});
