// Debian's chromium through playwright-core (as the other browser tests),
// its pointers sent through the DevTools protocol so that the pen and the
// finger are real pen and touch input.

import { launchChromium } from "../browser.mjs";

export async function launch({ viewport }) {
  const browser = await launchChromium({ viewport, hasTouch: true });
  const page = browser.context.pages()[0] ?? (await browser.context.newPage());
  const errors = [];
  // Chromium fetches a page's icon itself, past the page's service worker,
  // so with the network gone that fetch fails whatever the page does; it is
  // no error of the page's.
  const ownIconOffline = (m) => m.location().url?.endsWith("/icon.svg") && m.text().includes("ERR_INTERNET_DISCONNECTED");
  page.on("console", (m) => {
    if (m.type() === "error" && !ownIconOffline(m)) errors.push(`${m.text()} ${m.location().url ?? ""}`.trim());
  });
  page.on("pageerror", (e) => errors.push(e.message));
  const cdp = await browser.context.newCDPSession(page);
  const MOUSE = { down: "mousePressed", move: "mouseMoved", up: "mouseReleased" };
  const TOUCH = { down: "touchStart", move: "touchMove", up: "touchEnd" };
  let held = false;
  return {
    name: "chromium",
    pointers: ["mouse", "pen", "touch"],
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    async pointer(kind, steps) {
      let x = 0, y = 0;
      for (const step of steps) {
        if (step.type === "move") ({ x, y } = step);
        if (kind === "touch" && (held || step.type === "down"))
          await cdp.send("Input.dispatchTouchEvent", { type: TOUCH[step.type], touchPoints: step.type === "up" ? [] : [{ x, y, id: 1 }] });
        else if (kind !== "touch")
          await cdp.send("Input.dispatchMouseEvent", { type: MOUSE[step.type], x, y, button: "left", clickCount: 1,
            buttons: step.type === "up" || (step.type === "move" && !held) ? 0 : 1, pointerType: kind });
        if (step.type !== "move") held = step.type === "down";
      }
    },
    press: (key) => page.keyboard.press(key),
    offline: () => browser.context.setOffline(true),
    scriptErrors: async () => errors,
    close: () => browser.close(),
  };
}
