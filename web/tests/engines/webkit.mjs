// WebKitGTK's MiniBrowser, driven through WebKitWebDriver with the classic
// WebDriver protocol (JSON over HTTP, spoken with fetch), on a private Xvfb:
// MiniBrowser has no headless mode. Classic WebDriver has no console to
// listen to and cannot run a script before the page's own (MiniBrowser's
// console-to-stdout setting is not applied to an automated view), so the
// page's script errors are gathered by a listener put in once it is ready.

import { spawn } from "node:child_process";
import { existsSync, readdirSync } from "node:fs";
import { createServer } from "node:net";
import { startXvfb } from "./xvfb.mjs";

// Debian ships MiniBrowser beside the WebKitGTK library that the driver
// depends on: the 4.1 API on Debian 12, and on 13 the 4.1 or the 6.0 one.
const MINIBROWSER = readdirSync("/usr/lib").flatMap((triplet) =>
  ["webkit2gtk-4.1", "webkitgtk-6.0"].map((api) => `/usr/lib/${triplet}/${api}/MiniBrowser`)).find(existsSync);

const freePort = () => new Promise((resolve) => {
  const probe = createServer().listen(0, "127.0.0.1", () => {
    const { port } = probe.address();
    probe.close(() => resolve(port));
  });
});

// WebDriver's key codes for the named keys the tests press.
const KEYS = { Tab: "\uE004", Home: "\uE011", End: "\uE010", ArrowLeft: "\uE012", ArrowRight: "\uE014",
               PageUp: "\uE00E", PageDown: "\uE00F" };

export async function launch({ viewport }) {
  const x = await startXvfb();
  const port = await freePort();
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], {
    env: { ...process.env, DISPLAY: x.display }, stdio: ["ignore", "pipe", "pipe"],
  });
  driver.stdout.resume();
  driver.stderr.resume();
  const base = `http://127.0.0.1:${port}`;
  const call = async (method, path, body) => {
    const response = await fetch(`${base}${path}`, {
      method, headers: { "Content-Type": "application/json" }, body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`${method} ${path}: ${value?.error} ${value?.message}`);
    return value;
  };
  // The driver takes a moment to listen; without a session, nothing is left running.
  let session;
  for (let k = 0; !session; ++k) {
    try {
      session = await call("POST", "/session", { capabilities: { alwaysMatch: {
        "webkitgtk:browserOptions": { binary: MINIBROWSER, args: ["--automation"] },
      } } });
    } catch (e) {
      if (k === 50 || !/fetch failed/.test(e.message)) {
        driver.kill();
        x.stop();
        throw e;
      }
      await new Promise((r) => setTimeout(r, 100));
    }
  }
  const at = `/session/${session.sessionId}`;
  const evaluate = async (fn, arg) => {
    const value = await call("POST", `${at}/execute/async`, {
      script: `const done = arguments[1];
        Promise.resolve().then(() => (${fn})(arguments[0])).then((v) => done({ v }), (e) => done({ e: String(e) }));`,
      args: [arg ?? null],
    });
    if ("e" in value) throw new Error(value.e);
    return value.v;
  };
  const actions = (source) => call("POST", `${at}/actions`, { actions: [source] });

  // The window made as large as the page's viewport is to be.
  await call("POST", `${at}/window/rect`, { width: viewport.width, height: viewport.height });
  const inner = await evaluate(() => [innerWidth, innerHeight]);
  await call("POST", `${at}/window/rect`,
    { width: 2 * viewport.width - inner[0], height: 2 * viewport.height - inner[1] });

  // What the page's listener heard since it was put in.
  const errors = [];
  const harvest = async () => errors.push(...(await evaluate(() => window.heardErrors ?? [])));

  return {
    name: "webkit",
    // WebKitWebDriver's actions know the mouse only: pen and touch sources
    // are refused as unsupported.
    pointers: ["mouse"],
    evaluate,
    goto: (url) => call("POST", `${at}/url`, { url }),
    async reload() {
      await harvest();
      await call("POST", `${at}/refresh`, {});
    },
    loaded: () => evaluate(() => {
      window.heardErrors = [];
      addEventListener("error", (e) => heardErrors.push(e.message));
      addEventListener("unhandledrejection", (e) => heardErrors.push(String(e.reason)));
      const error = console.error;
      console.error = (...args) => { heardErrors.push(args.join(" ")); error(...args); };
    }),
    async scriptErrors() {
      await harvest();
      return errors;
    },
    async pointer(kind, steps) {
      await actions({ type: "pointer", id: kind, parameters: { pointerType: kind }, actions: steps.map(({ type, x, y }) =>
        type === "move" ? { type: "pointerMove", x: Math.round(x), y: Math.round(y), duration: 0 }
                        : { type: type === "down" ? "pointerDown" : "pointerUp", button: 0 }) });
    },
    async press(key) {
      const value = KEYS[key] ?? key;
      await actions({ type: "key", id: "keyboard", actions: [{ type: "keyDown", value }, { type: "keyUp", value }] });
    },
    async close() {
      await call("DELETE", at).catch(() => {});
      driver.kill();
      x.stop();
    },
  };
}
