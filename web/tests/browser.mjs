// Debian's chromium, headless, driven by playwright-core, with a fresh
// profile each time and nothing reaching out to the network by itself.

import { chromium } from "playwright-core";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

// A tablet is emulated with { isMobile: true, hasTouch: true }.
export async function launchChromium({ viewport = { width: 1024, height: 768 }, deviceScaleFactor = 1,
  isMobile = false, hasTouch = false, locale = "ja-JP" } = {}) {
  const profile = mkdtempSync(join(tmpdir(), "tavrine-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    viewport,
    deviceScaleFactor,
    isMobile,
    hasTouch,
    // A Japanese browser unless a test asks for another: the page follows
    // the browser's languages.
    locale,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  return {
    context,
    close: async () => {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}
