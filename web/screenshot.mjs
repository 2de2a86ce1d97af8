// Takes a picture of the lesson page for the README: the page right after
// start-up in headless chromium, at 1024 x 768 or at the size given as
// WIDTHxHEIGHT (a tablet held upright: 768x1024), in Japanese or in the
// language given. Run by tools/screenshot-web.

import { launchChromium } from "./tests/browser.mjs";
import { serveSite } from "./tests/static_server.mjs";

const [site, out, size = "1024x768", lang = "ja"] = process.argv.slice(2);
const [width, height] = size.split("x").map(Number);
const server = await serveSite(site);
const browser = await launchChromium({ viewport: { width, height } });
const page = browser.context.pages()[0] ?? (await browser.context.newPage());
await page.goto(`${server.url}?lang=${lang}`);
await page.waitForSelector("html[data-ready=true]");
await page.evaluate(() => document.fonts.ready);
await page.screenshot({ path: out });
await browser.close();
server.close();
