// The lesson page opened from a local server in one engine (chromium,
// firefox or webkit), through a driver of a few calls that every engine's
// adapter gives: evaluate, goto, reload, pointer, press, scriptErrors, close,
// and offline where the driver can take the network away.

import { launch as chromium } from "./chromium.mjs";
import { launch as firefox } from "./firefox.mjs";
import { launch as webkit } from "./webkit.mjs";
import { serveSite } from "../static_server.mjs";

const ENGINES = { chromium, firefox, webkit };
export const engineName = process.env.TAVRINE_ENGINE ?? "chromium";

export async function openLessonIn(root, { viewport = { width: 1024, height: 768 } } = {}) {
  const server = await serveSite(root);
  const engine = await ENGINES[engineName]({ viewport }).catch((e) => {
    server.close();
    throw e;
  });
  const ready = async () => {
    for (let k = 0; !(await engine.evaluate(() => document.documentElement.dataset.ready === "true")); ++k) {
      if (k === 200) throw new Error("the lesson did not start");
      await new Promise((r) => setTimeout(r, 50));
    }
    await engine.loaded?.();
  };
  const lesson = {
    engine, server,
    evaluate: engine.evaluate,
    // In Japanese, whatever languages the engine itself asks for.
    async open() { await engine.goto(`${server.url}?lang=ja`); await ready(); },
    async reload() { await engine.reload(); await ready(); },
    // The element's centre, in the viewport's CSS pixels.
    centre: (selector) => engine.evaluate((s) => {
      const r = document.querySelector(s).getBoundingClientRect();
      return [r.x + r.width / 2, r.y + r.height / 2];
    }, selector),
    async click(selector) {
      const [x, y] = await lesson.centre(selector);
      await engine.pointer("mouse", [{ type: "move", x, y }, { type: "down" }, { type: "up" }]);
    },
    text: (selector) => engine.evaluate((s) => document.querySelector(s).innerText.trim(), selector),
    attribute: (selector, name) => engine.evaluate(([s, n]) => document.querySelector(s).getAttribute(n), [selector, name]),
    // Two animation frames: what an event changed has been painted.
    settle: () => engine.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)))),
    async close() {
      try {
        return await engine.scriptErrors();
      } finally {
        await engine.close();
        server.close();
      }
    },
  };
  try {
    await lesson.open();
  } catch (e) {
    await lesson.close();
    throw e;
  }
  return lesson;
}
