// The share view on the page: S and the share button open it over the
// lesson with the lesson's link as a QR code, which reads from a screenshot
// scaled down to a third as a camera at the back of a classroom sees it and
// opens the same lesson on a second page, and as text; the lesson behind it takes no key and is out of a screen reader's
// reach; copy (the button, or Ctrl+C in the link's field), the system's
// share sheet where the browser has one, and S or Escape close it and give
// the focus back. A fragment that holds no lesson
// opens the lesson's reset, is handed out as that lesson's own link, and
// makes the page fetch nothing from anywhere else.

import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { openLesson } from "./page_fixture.mjs";
import { ROWS, TEXTS } from "./texts.mjs";
import { pageState } from "./page_state.mjs";

function qrAtAThird(png) {
  const dir = mkdtempSync(join(tmpdir(), "tavrine-share-"));
  try {
    writeFileSync(join(dir, "shot.png"), png);
    execFileSync("convert", [join(dir, "shot.png"), "-resize", "33.333%", join(dir, "third.png")]);
    return execFileSync("zbarimg", ["--raw", "-q", join(dir, "third.png")], { encoding: "utf8" }).trim();
  } catch {
    return null;
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

const opened = (page) => page.evaluate(() => document.getElementById("ShareView").open);
const focused = (page) => page.evaluate(() => document.activeElement.id);
const equation = (page) => page.textContent("#LblSiki > span");

// The names chromium's accessibility tree gives what a screen reader can reach.
async function reachable(page, cdp) {
  const { nodes } = await cdp.send("Accessibility.getFullAXTree");
  return nodes.filter((n) => !n.ignored && n.name?.value).map((n) => `${n.role.value}: ${n.name.value}`);
}

test("S or the share button hands the lesson out as a link and its QR code", async () => {
  const { page, browser, server, close } = await openLesson();
  try {
    const cdp = await browser.context.newCDPSession(page);
    // Every request from here on, the QR code's generator fetched on the
    // first share included: none may leave for another origin.
    const requests = [];
    page.on("request", (request) => requests.push(request.url()));
    const link = new URL("#a=1&b=-3&c=0&d=0&tangents=2", server.url).href;
    for (const id of ["SbnKeisuB", "BtnMinus", "Btn03", "BtnKettei", "BBtnSessenSu"]) await page.click(`#${id}`);
    const lesson = await equation(page);

    const button = await page.$("#ShareButton");
    assert.equal(await button.textContent(), TEXTS.shareButton);
    assert.equal(await button.getAttribute("aria-description"), TEXTS.shareButtonDescription);
    assert.equal(await button.getAttribute("aria-keyshortcuts"), "S");

    await page.focus("#ScrollBar2");
    await page.keyboard.press("s");
    await page.waitForFunction(() => document.getElementById("ShareView").open);
    assert.equal(await page.inputValue("#ShareLink"), link);
    assert.equal(qrAtAThird(await page.screenshot()), link);
    // Opened on a second page: all that a link carries of the lesson, not
    // which selector is latched nor what was said.
    const second = await browser.context.newPage();
    await second.goto(link);
    await second.waitForSelector("html[data-ready=true]");
    const carried = ({ state, wrong }) => [wrong, state.split("\t").filter((_, k) => ![5, 6, 18].includes(k))];
    assert.deepEqual(carried(await second.evaluate(pageState)), carried(await page.evaluate(pageState)));
    await second.close();
    assert.equal(await focused(page), "ShareCopy");
    const tree = await reachable(page, cdp);
    assert.ok(tree.includes(`dialog: ${TEXTS.shareTitle}`), tree.join("\n"));
    assert.ok(!tree.some((n) => n.endsWith(ROWS.BtnSyuryo.name)), "the lesson behind the view is out of reach");

    // A key of the lesson changes nothing behind the view.
    await page.keyboard.press("5");
    await page.keyboard.press("ArrowLeft");
    assert.equal(await equation(page), lesson);
    assert.equal(await opened(page), true);

    // Copied, or where the browser refuses, said so with the link selected.
    await browser.context.grantPermissions(["clipboard-read", "clipboard-write"], { origin: server.url });
    await page.click("#ShareCopy");
    await page.waitForFunction((t) => document.getElementById("ShareStatus").textContent === t, TEXTS.shareCopied);
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link);
    await page.evaluate(() => { navigator.clipboard.writeText = () => Promise.reject(new Error("refused")); });
    await page.click("#ShareCopy");
    await page.waitForFunction((t) => document.getElementById("ShareStatus").textContent === t, TEXTS.shareCopyFailed);
    assert.deepEqual(await page.evaluate(() => {
      const field = document.activeElement;
      return [field.id, field.value.slice(field.selectionStart, field.selectionEnd)];
    }), ["ShareLink", link]);
    // Ctrl+C in the field copies its text, not the plot: behind the view the
    // lesson takes no key.
    await page.evaluate(() => { delete navigator.clipboard.writeText; return navigator.clipboard.writeText(""); });
    await page.keyboard.press("Control+c");
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link);

    // Escape closes it, the focus back where it was.
    await page.keyboard.press("Escape");
    await page.waitForFunction(() => !document.getElementById("ShareView").open);
    assert.equal(await focused(page), "ScrollBar2");

    // The share button, with the system's share sheet where there is one;
    // S closes it again.
    await page.evaluate(() => {
      navigator.canShare = () => true;
      navigator.share = (data) => { window.shared = data; return Promise.resolve(); };
    });
    await page.click("#ShareButton");
    await page.waitForFunction(() => document.getElementById("ShareView").open);
    await page.click("#ShareSend");
    assert.deepEqual(await page.evaluate(() => window.shared), { title: TEXTS.shareTitle, url: link });
    await page.keyboard.press("s");
    await page.waitForFunction(() => !document.getElementById("ShareView").open);
    assert.equal(await focused(page), "ShareButton");
    assert.equal(await equation(page), lesson);

    // A fragment that is no lesson: the lesson's reset, shared as its own
    // link; nothing fetched from elsewhere, no markup made of it.
    const alerts = [];
    page.on("dialog", (dialog) => alerts.push(dialog.message()) && dialog.dismiss());
    const hostile = "a=1&b=<img src=https://evil.example/x onerror=alert(1)>&lang=\"><script>alert(2)</script>";
    await page.evaluate((f) => { location.hash = f; }, hostile);
    await page.waitForFunction((t) => document.getElementById("announcer").textContent === t, TEXTS.linkHeldNoLesson);
    await page.keyboard.press("s");
    await page.waitForFunction(() => document.getElementById("ShareView").open);
    assert.equal(await page.inputValue("#ShareLink"), new URL("#a=1&b=0&c=0&d=0", server.url).href);
    assert.equal(await page.evaluate(() => document.querySelectorAll("img").length), 0);
    assert.deepEqual(alerts, []);
    assert.ok(requests.some((url) => url.endsWith("/qrcodegen.js")), requests.join("\n"));
    assert.deepEqual(requests.filter((url) => !url.startsWith(new URL(server.url).origin)), []);
  } finally {
    await close();
  }
});
