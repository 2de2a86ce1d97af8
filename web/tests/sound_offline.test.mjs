// The plot heard in the page: the page's Web Audio rendered offline in
// chromium after a pupil's keys, against the native core's samples for the
// same lesson (TAVRINE_SOUND, from write_sound).

import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { openLesson } from "./page_fixture.mjs";
import { TEXTS } from "./texts.mjs";

const RATE = 48000;
const floats = (bytes) => new Float32Array(bytes.buffer, bytes.byteOffset, bytes.byteLength / 4);

// The page with its speakers replaced by an offline context of two channels
// at 48 kHz; `play` presses the keys, and the context is rendered after.
async function heard(play) {
  const lesson = await openLesson();
  try {
    const { page } = lesson;
    await page.addInitScript((rate) => {
      globalThis.AudioContext = function OfflineSpeakers() {
        globalThis.offlineSound = new OfflineAudioContext({ numberOfChannels: 2, length: rate * 8, sampleRate: rate });
        return globalThis.offlineSound;
      };
    }, RATE);
    await page.reload();
    await page.waitForSelector("html[data-ready=true]");
    await play(page);
    const channels = await page.evaluate(async () => {
      const buffer = await globalThis.offlineSound.startRendering();
      return [0, 1].map((c) => {
        const bytes = new Uint8Array(buffer.getChannelData(c).buffer);
        let binary = "";
        for (let k = 0; k < bytes.length; k += 0x8000) binary += String.fromCharCode(...bytes.subarray(k, k + 0x8000));
        return btoa(binary);
      });
    });
    return channels.map((text) => floats(Buffer.from(text, "base64")));
  } finally {
    await lesson.close();
  }
}

// The rendering is the core's interleaved samples, then silence.
function assertCoreSound([left, right], lesson, file) {
  const samples = floats(readFileSync(join(process.env.TAVRINE_SOUND, lesson, file)));
  assert.ok(samples.length > 6 * RATE, `${samples.length} samples`);
  let worst = 0;
  for (let k = 0; k < left.length; ++k) {
    const [l, r] = 2 * k < samples.length ? [samples[2 * k], samples[2 * k + 1]] : [0, 0];
    worst = Math.max(worst, Math.abs(left[k] - l), Math.abs(right[k] - r));
  }
  assert.ok(worst < 1e-5, `the page's sound is ${worst} off the core's`);
}

test("H says how to switch the sound on; Alt+T then H plays y = x^3", async () => {
  assertCoreSound(await heard(async (page) => {
    await page.keyboard.press("h");
    assert.equal(await page.textContent("#announcer"), TEXTS.soundIsOff);
    await page.keyboard.press("Alt+t");
    assert.ok((await page.textContent("#announcer")).startsWith(TEXTS.soundOn));
    await page.keyboard.press("h");
  }), "start", "curve.f32");
});

test("Shift+H plays the tangent of y = x^3 - 3x, then the curve", async () => {
  assertCoreSound(await heard(async (page) => {
    await page.click("#SbnKeisuC");
    await page.keyboard.type("-3");
    await page.click("#BtnKettei");
    assert.equal(await page.textContent("#LblSiki"), "y=x^3-3x");
    await page.keyboard.press("Alt+t");
    await page.keyboard.press("Shift+H");
  }), "cubic", "tangent_then_curve.f32");
});
