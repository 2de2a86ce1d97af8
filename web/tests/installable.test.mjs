// The page as an app on a tablet's home screen: chromium finds nothing that
// keeps it from being installed, every icon named is there at its size and
// kept for use offline, and the maskable icon's plot stays within the circle
// (80 % across) that every launcher's mask keeps.

import { test } from "node:test";
import assert from "node:assert/strict";
import { openLesson } from "./page_fixture.mjs";

test("chromium can install the page, with its icons kept offline", async () => {
  const lesson = await openLesson();
  const { page } = lesson;
  try {
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cdp = await lesson.browser.context.newCDPSession(page);
    assert.deepEqual((await cdp.send("Page.getInstallabilityErrors")).installabilityErrors, []);
    const { errors, data } = await cdp.send("Page.getAppManifest");
    assert.deepEqual(errors, []);
    const manifest = JSON.parse(data);
    assert.equal(manifest.theme_color, await page.getAttribute("meta[name=theme-color]", "content"));
    const icons = [...manifest.icons, { src: await page.getAttribute("link[rel=apple-touch-icon]", "href"), sizes: "180x180" }];
    const found = await page.evaluate((icons) => Promise.all(icons.map(async ({ src, sizes, purpose }) => {
      const image = new Image();
      image.src = src;
      await image.decode();
      // White pixels, the plot's, outside the maskable icon's safe circle.
      let outside = 0;
      if (purpose === "maskable") {
        const ctx = new OffscreenCanvas(image.width, image.height).getContext("2d");
        ctx.drawImage(image, 0, 0);
        const { data, width } = ctx.getImageData(0, 0, image.width, image.height);
        for (let k = 0; k < data.length; k += 4) {
          const [x, y] = [((k / 4) % width) + 0.5 - width / 2, Math.floor(k / 4 / width) + 0.5 - width / 2];
          if (data[k] + data[k + 1] + data[k + 2] === 765 && Math.hypot(x, y) > 0.4 * width) ++outside;
        }
      }
      const size = sizes === "any" ? "any" : `${image.naturalWidth}x${image.naturalHeight}`;
      return `${src} ${size} ${purpose ?? "any"} kept:${(await caches.match(src)) !== undefined} outside:${outside}`;
    })), icons);
    assert.deepEqual(found, [
      "icon.svg any any kept:true outside:0", "icon-192.png 192x192 any kept:true outside:0",
      "icon-512.png 512x512 any kept:true outside:0", "icon-maskable-512.png 512x512 maskable kept:true outside:0",
      "apple-touch-icon.png 180x180 any kept:true outside:0",
    ]);
  } finally {
    await lesson.close();
  }
});
