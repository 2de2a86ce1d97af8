// The plot heard in the page: the keys a pupil presses, the page's Web Audio
// rendered offline in chromium, and the samples compared with the ones the
// native build's core makes for the same lesson (TAVRINE_SOUND, written by
// write_sound).

import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { openLesson } from "./page_fixture.mjs";

const soundDir = process.env.TAVRINE_SOUND;
const RATE = 48000;
const RENDERED_SECONDS = 8;

function nativeSamples(lesson, file) {
  const bytes = readFileSync(join(soundDir, lesson, file));
  return new Float32Array(bytes.buffer, bytes.byteOffset, bytes.byteLength / 4);
}

// The page with its audio going to an offline context of two channels at
// 48 kHz, which the test renders once the keys are pressed.
async function pageWithOfflineAudio() {
  const lesson = await openLesson();
  await lesson.page.addInitScript(([rate, seconds]) => {
    globalThis.AudioContext = function OfflineSpeakers() {
      globalThis.offlineSound = new OfflineAudioContext({ numberOfChannels: 2, length: rate * seconds, sampleRate: rate });
      return globalThis.offlineSound;
    };
  }, [RATE, RENDERED_SECONDS]);
  await lesson.page.reload();
  await lesson.page.waitForSelector("html[data-ready=true]");
  return lesson;
}

async function rendered(page) {
  const channels = await page.evaluate(async () => {
    const buffer = await globalThis.offlineSound.startRendering();
    const encode = (data) => {
      const bytes = new Uint8Array(data.buffer);
      let binary = "";
      for (let k = 0; k < bytes.length; k += 0x8000) binary += String.fromCharCode(...bytes.subarray(k, k + 0x8000));
      return btoa(binary);
    };
    return [encode(buffer.getChannelData(0)), encode(buffer.getChannelData(1))];
  });
  return channels.map((text) => {
    const bytes = Buffer.from(text, "base64");
    return new Float32Array(bytes.buffer, bytes.byteOffset, bytes.byteLength / 4);
  });
}

// The rendering is the core's interleaved samples, channel by channel, and
// silence after them.
function assertSameSound([left, right], samples) {
  const frames = samples.length / 2;
  assert.ok(frames > 3 * RATE && frames < RENDERED_SECONDS * RATE, `${frames} frames`);
  let worst = 0;
  let worstAt = 0;
  for (let k = 0; k < left.length; ++k) {
    const l = k < frames ? samples[2 * k] : 0;
    const r = k < frames ? samples[2 * k + 1] : 0;
    const off = Math.max(Math.abs(left[k] - l), Math.abs(right[k] - r));
    if (off > worst) [worst, worstAt] = [off, k];
  }
  assert.ok(worst < 1e-5, `the page's sound is ${worst} off the core's at ${worstAt / RATE} s`);
}

test("Alt+T then H plays y = x^3 as the core makes it", async () => {
  const lesson = await pageWithOfflineAudio();
  try {
    const { page } = lesson;
    await page.keyboard.press("h");
    assert.equal(await page.textContent("#announcer"), "音はオフです。Alt+T でオンにします");
    await page.keyboard.press("Alt+t");
    assert.match(await page.textContent("#announcer"), /^音をオンにしました。/);
    await page.keyboard.press("h");
    assertSameSound(await rendered(page), nativeSamples("start", "curve.f32"));
  } finally {
    await lesson.close();
  }
});

test("Shift+H plays the tangent of y = x^3 - 3x, then the curve", async () => {
  const lesson = await pageWithOfflineAudio();
  try {
    const { page } = lesson;
    await page.click("#SbnKeisuC");
    await page.keyboard.press("-");
    await page.keyboard.press("3");
    await page.click("#BtnKettei");
    assert.equal(await page.textContent("#LblSiki"), "y=x^3-3x");
    await page.keyboard.press("Alt+t");
    await page.keyboard.press("Shift+H");
    assertSameSound(await rendered(page), nativeSamples("cubic", "tangent_then_curve.f32"));
  } finally {
    await lesson.close();
  }
});
