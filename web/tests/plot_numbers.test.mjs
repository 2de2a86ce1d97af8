// The page's plots against the native build's for the lessons of
// lessons.txt, number for number: the same handlers and the same extended
// arithmetic, compiled for x86 and for WebAssembly.

import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { openLesson, plotInPage } from "./page_fixture.mjs";

const native = JSON.parse(readFileSync(process.env.TAVRINE_LESSON_PLOTS, "utf8"));

test("every lesson's plot in the page equals the native one", async () => {
  assert.ok(native.length >= 10);
  const lesson = await openLesson();
  try {
    for (const { lesson: tokens, plot } of native) {
      const inPage = await plotInPage(lesson.page, tokens);
      assert.equal(inPage.length, plot.length, `length of the plot of "${tokens}"`);
      const first = inPage.findIndex((v, k) => v !== plot[k]);
      assert.equal(first, -1, `"${tokens}": first difference at ${first}: page ${inPage[first]}, native ${plot[first]}`);
    }
  } finally {
    await lesson.close();
  }
});
