// The page as an app on a tablet's home screen: chromium finds nothing that
// keeps it from being installed, every icon it names is there at its size
// and kept for use offline, and the maskable icon's plot stays within the
// circle that every launcher's mask keeps.

import { test } from "node:test";
import assert from "node:assert/strict";
import { openLesson } from "./page_fixture.mjs";

test("chromium can install the page, with its icons kept offline", async () => {
  const lesson = await openLesson();
  const { page } = lesson;
  try {
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cdp = await lesson.browser.context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);

    const { errors, data } = await cdp.send("Page.getAppManifest");
    assert.deepEqual(errors, []);
    const manifest = JSON.parse(data);
    assert.equal(manifest.theme_color, await page.getAttribute("meta[name=theme-color]", "content"));
    const icons = [...manifest.icons, { src: await page.getAttribute("link[rel=apple-touch-icon]", "href"), sizes: "180x180" }];
    assert.deepEqual(icons.filter((i) => i.type === "image/png").map((i) => `${i.sizes} ${i.purpose ?? "any"}`),
      ["192x192 any", "512x512 any", "512x512 maskable"]);
    const found = await page.evaluate(async (icons) => Promise.all(icons.map(async ({ src, sizes, purpose }) => {
      const image = new Image();
      image.src = src;
      await image.decode();
      // Each served from the service worker's store, for a launch offline.
      const kept = (await caches.match(src)) !== undefined;
      let plotOutsideSafeZone = 0;
      let plotPixels = 0;
      if (purpose === "maskable") {
        const canvas = new OffscreenCanvas(image.width, image.height);
        const ctx = canvas.getContext("2d");
        ctx.drawImage(image, 0, 0);
        const { data, width } = ctx.getImageData(0, 0, image.width, image.height);
        for (let k = 0; k < data.length; k += 4) {
          if (data[k] !== 255 || data[k + 1] !== 255 || data[k + 2] !== 255) continue;
          const x = (k / 4) % width - width / 2 + 0.5;
          const y = Math.floor(k / 4 / width) - width / 2 + 0.5;
          ++plotPixels;
          if (Math.hypot(x, y) > 0.4 * width) ++plotOutsideSafeZone;
        }
      }
      return { src, sizes: sizes === "any" ? "any" : `${image.naturalWidth}x${image.naturalHeight}`, kept, plotPixels, plotOutsideSafeZone };
    })), icons);
    for (const icon of found) {
      assert.ok(icon.kept, `${icon.src} is not kept offline`);
      assert.equal(icon.sizes, icons.find((i) => i.src === icon.src).sizes, icon.src);
      assert.equal(icon.plotOutsideSafeZone, 0, `${icon.src}: the plot reaches outside the safe zone`);
    }
    assert.ok(found.find((i) => i.src.includes("maskable")).plotPixels > 50000);
  } finally {
    await lesson.close();
  }
});
