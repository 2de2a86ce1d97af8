// The page in each language the lesson speaks: chosen by the address, by a
// browser's languages and from the page's own choice, remembered; every
// caption whole within its control (and a made-up wording 30 % longer, with
// accents, within it at the smallest size a caption may take); nothing shown
// or named in Japanese in chromium's accessibility tree, after a lesson too;
// and the Japanese page fetching no face of the other languages' letters.

import { test } from "node:test";
import assert from "node:assert/strict";
import { openLesson } from "./page_fixture.mjs";

const JAPANESE = /[\u3040-\u30ff\u31f0-\u31ff]/;
const HAN = /[\u3000-\u303f\u3400-\u9fff\uf900-\ufaff]/;

// Each caption's width against the room its control gives it, and the
// longer made-up caption's at the smallest size.
const captionWidths = (page) => page.evaluate(() => {
  const longer = (text) => {
    const marked = { a: "å", c: "ç", e: "é", i: "î", n: "ñ", o: "ö", u: "ü", y: "ý" };
    return [...(text + text.slice(0, Math.ceil(text.length * 0.3)))].map((c) => marked[c] ?? c).join("");
  };
  const range = document.createRange();
  const measure = document.createElement("canvas").getContext("2d");
  return [...document.querySelectorAll("#stage button:not([hidden]):not(dialog *), #stage .speed, #stage .label > span:first-child, .groupbox > .caption")]
    .filter((el) => el.textContent.trim())
    .map((el) => {
      range.selectNodeContents(el);
      const box = el.classList.contains("caption") ? el.parentElement : el.parentElement.classList.contains("label") ? el.parentElement : el;
      const room = el.classList.contains("caption") ? box.clientWidth - 8 : box.clientWidth;
      const style = getComputedStyle(el);
      measure.font = `${style.fontStyle} ${style.fontWeight} ${parseFloat(style.fontSize)}px ${style.fontFamily}`;
      return { id: box.id, text: el.textContent, width: range.getBoundingClientRect().width, room,
               longer: measure.measureText(longer(el.textContent)).width * globalThis.tavrine.smallestCaptionScale };
    });
});

async function accessibleTexts(page) {
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send("Accessibility.getFullAXTree");
  return nodes.flatMap((node) => [node.name?.value, node.description?.value, node.value?.value])
    .filter((text) => typeof text === "string" && text);
}

const fontsFetched = (page) => page.evaluate(() => performance.getEntriesByType("resource")
  .map((entry) => entry.name).filter((name) => /-more\.woff2|extra\.woff2/.test(name)).length);

test("each language in turn: captions whole, nothing in Japanese", async () => {
  const { page, close } = await openLesson();
  try {
    assert.equal(await fontsFetched(page), 0, "the Japanese page fetched another language's faces");
    const tags = await page.$$eval("#LanguageChoice option", (options) => options.map((o) => o.value));
    assert.equal(tags.length, 7);
    for (const tag of tags) {
      await page.goto(`${new URL(page.url()).origin}/?lang=${tag}`);
      await page.waitForSelector("html[data-ready=true]");
      await page.evaluate(() => document.fonts.ready);
      assert.equal(await page.getAttribute("html", "lang"), tag);
      for (const { id, text, width, room, longer } of await captionWidths(page)) {
        assert.ok(width <= room + 0.5, `${tag}: ${id} "${text}" takes ${width} of ${room} px`);
        if (tag === "en") assert.ok(longer <= room + 0.5, `${id}: "${text}" 30 % longer takes ${longer} of ${room} px`);
      }
      // Chromium's tree reads y = x^3 in the language's words; the label still shows it.
      const words = { ja: "y イコール x の 3 乗", en: "y equals x cubed" }[tag];
      if (words) {
        assert.equal(await page.textContent("#LblSiki > span:first-child"), "y=x^3");
        assert.ok((await accessibleTexts(page)).some((text) => text.includes(words)), `${tag}: ${words}`);
      }
      if (tag === "ja") continue;
      // A lesson: a coefficient typed and confirmed, both tangents, the chord.
      for (const id of ["Btn02", "BtnKettei", "BBtnSessenSu", "BBtnHojosen"]) await page.click(`#${id}`);
      // The choice of language names each language in itself, Japanese too.
      const ownNames = await page.$$eval("#LanguageChoice option", (options) => options.map((o) => o.text));
      const texts = [...await accessibleTexts(page), await page.textContent("#announcer"), await page.title()]
        .filter((text) => !ownNames.includes(text));
      // The share view over the lesson, in the language too.
      await page.click("#ShareButton");
      await page.waitForSelector("#ShareView[open]");
      texts.push(...await accessibleTexts(page), await page.textContent("#ShareView"));
      for (const text of texts) {
        assert.ok(!JAPANESE.test(text) && (tag.startsWith("zh") || !HAN.test(text)), `${tag}: "${text}"`);
      }
      assert.ok(await fontsFetched(page) > 0, `${tag}: its letters' faces`);
    }
  } finally {
    await close();
  }
});

test("a Spanish browser gets Spanish; a choice on the page is kept on the device", async () => {
  const { page, close } = await openLesson({ locale: "es-PE" });
  try {
    assert.equal(await page.getAttribute("html", "lang"), "es");
    assert.equal(await page.textContent("#BtnSyuryo"), "Salir");
    await Promise.all([page.waitForURL(/lang=vi/), page.selectOption("#LanguageChoice select", "vi")]);
    await page.waitForSelector("html[data-ready=true]");
    await page.goto(new URL(page.url()).origin);
    await page.waitForSelector("html[data-ready=true]");
    assert.equal(await page.getAttribute("html", "lang"), "vi");
    assert.equal(await page.$eval("#LanguageChoice select", (select) => select.selectedOptions[0].text), "Tiếng Việt");
  } finally {
    await close();
  }
});
