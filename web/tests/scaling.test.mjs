// The page on a larger screen of twice the pixel density (the page opened
// again without the network is one of the cases of engines.test.mjs).

import { test } from "node:test";
import assert from "node:assert/strict";
import { openLesson, canvasPixels } from "./page_fixture.mjs";

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
