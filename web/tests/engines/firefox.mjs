// Debian's Firefox ESR through WebDriver BiDi (puppeteer-core), headless, with
// a fresh profile that puppeteer makes and removes.

import puppeteer from "puppeteer-core";

const ACTION = { down: "pointerDown", move: "pointerMove", up: "pointerUp" };

export async function launch({ viewport }) {
  const browser = await puppeteer.launch({
    browser: "firefox", executablePath: process.env.FIREFOX ?? "/usr/bin/firefox-esr", headless: true,
    // Nothing reaching out to the network by itself.
    extraPrefsFirefox: { "app.update.enabled": false, "browser.shell.checkDefaultBrowser": false,
                         "network.captive-portal-service.enabled": false, "toolkit.telemetry.enabled": false },
  });
  let page;
  try {
    page = (await browser.pages())[0] ?? (await browser.newPage());
    // The browsing context's viewport alone: puppeteer's setViewport also
    // overrides the screen's orientation, a command Firefox ESR 140 (Debian's
    // own, without its security updates) does not know.
    await page.mainFrame().browsingContext.setViewport({ viewport, devicePixelRatio: null });
  } catch (e) {
    await browser.close();
    throw e;
  }
  const errors = [];
  page.on("console", (m) => { if (m.type() === "error") errors.push(m.text()); });
  page.on("pageerror", (e) => errors.push(e.message));
  return {
    name: "firefox",
    // Firefox's actions have no pen ("Unimplemented pointerMove for
    // pointerType pen").
    pointers: ["mouse", "touch"],
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    // The BiDi actions sent to the page's browsing context as they are, one
    // pointer source for the whole gesture.
    pointer: (kind, steps) => page.mainFrame().browsingContext.performActions([{
      type: "pointer", id: kind, parameters: { pointerType: kind },
      actions: steps.map(({ type, x, y }) => type === "move"
        ? { type: ACTION[type], x: Math.round(x), y: Math.round(y) } : { type: ACTION[type], button: 0 }),
    }]),
    press: (key) => page.keyboard.press(key),
    scriptErrors: async () => errors,
    close: () => browser.close(),
  };
}
