// Opens the built lesson page from a local server in Debian's chromium and
// gathers every console error and uncaught exception, which fail the test.

import assert from "node:assert/strict";
import { launchChromium } from "./browser.mjs";
import { serveSite } from "./static_server.mjs";

export const site = process.env.TAVRINE_SITE ?? new URL("../../build-web/site", import.meta.url).pathname;

// `at`: what follows the page's address, a lesson's fragment for one.
export async function openLesson({ root = site, at = "", ...options } = {}) {
  const server = await serveSite(root);
  const browser = await launchChromium(options);
  const page = browser.context.pages()[0] ?? (await browser.context.newPage());
  const errors = [];
  page.on("console", (m) => { if (m.type() === "error") errors.push(m.text()); });
  page.on("pageerror", (e) => errors.push(e.message));
  await page.goto(server.url + at);
  await page.waitForSelector("html[data-ready=true]");
  return {
    page, browser, server, errors,
    async close() {
      await browser.close();
      server.close();
      assert.deepEqual(errors, [], "the page wrote errors to its console");
    },
  };
}

// The plot the page's own WebAssembly core gives for a lesson played from its
// reset (tokens as in lessons.txt), read in the page.
export async function plotInPage(page, tokens) {
  return page.evaluate(async (tokens) => {
    const module = await (await import("./tavrine.js")).default();
    const lesson = new module.Lesson();
    lesson.Syokika();
    const intents = module.controlIntents();
    const id = (does, argument = 0) => intents.find((c) => c.does === does && c.argument === argument).id;
    for (const t of tokens.split(" ").filter((t) => t && t !== "start")) {
      if (/^[a-e]$/.test(t)) lesson.press(id("Select", t.charCodeAt(0) - 96));
      else if (/^[0-9]$/.test(t)) lesson.press(id("Digit", Number(t)));
      else if (t === "-") lesson.press(id("Minus"));
      else if (t === "K") lesson.press(id("Confirm"));
      else if (t[0] === "z") lesson.scroll(id("Zoom"), Number(t.slice(1)), false);
      else if (t[0] === "t") lesson.scroll(id("MoveTangent"), Number(t.slice(1)), false);
      else if (t === "S") lesson.press(id("SecondTangent"));
      else if (t === "H") lesson.press(id("Chord"));
      else if (t === "D") lesson.command("SlopeCurve", false);
      else throw new Error(`unknown token ${t}`);
    }
    const flat = Array.from(lesson.plot(660, 660));
    lesson.delete();
    return flat;
  }, tokens);
}

// The plot canvas's pixels as [r, g, b] by plot pixel (the page at scale 1).
export async function canvasPixels(page) {
  const { width, data: encoded } = await page.evaluate(() => {
    const c = document.getElementById("PaintBox1");
    const image = c.getContext("2d").getImageData(0, 0, c.width, c.height);
    // As one string: an array of millions of numbers is slow to hand over.
    let binary = "";
    for (let k = 0; k < image.data.length; k += 0x8000)
      binary += String.fromCharCode(...image.data.subarray(k, k + 0x8000));
    return { width: c.width, data: btoa(binary) };
  });
  const data = Buffer.from(encoded, "base64");
  return (x, y) => {
    const at = 4 * (y * width + x);
    return [data[at], data[at + 1], data[at + 2]];
  };
}
