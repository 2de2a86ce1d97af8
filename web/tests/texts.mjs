// The program's words, for the tests to compare what the page shows and says
// with: its sentences by name (texts.json) and the control table
// (controls.json), both written by the native build in one folder;
// TAVRINE_TEXTS names texts.json, else the one tools/test builds.
import { readFileSync } from "node:fs";
import { dirname, join } from "node:path";

const path = process.env.TAVRINE_TEXTS ?? new URL("../../build/tests/texts.json", import.meta.url).pathname;
export const TEXTS = JSON.parse(readFileSync(path, "utf8"));
const controls = JSON.parse(readFileSync(join(dirname(path), "controls.json"), "utf8"));
export const ROWS = Object.fromEntries(controls.map((row) => [row.id, row]));
// The lesson's controls in the keyboard order the control table gives.
export const KEYBOARD_ORDER = controls.filter((row) => row.keyboard !== null)
  .sort((a, b) => a.keyboard - b.keyboard).map((row) => row.id);

// A text with its places {1}.. filled, as the program fills them.
export const filled = (text, ...values) =>
  values.reduce((out, value, n) => out.replaceAll(`{${n + 1}}`, String(value)), text);
// One sentence of the plot's reading, closed as the reading closes it.
export const sentence = (name, ...values) => filled(TEXTS[name], ...values) + TEXTS.sentenceEnd;
// What a sentence of the reading says before its first place.
export const opening = (name) => TEXTS[name].slice(0, TEXTS[name].indexOf("{1}"));
// A control's accessible name; a live control's goes on with what it shows.
export const nameOf = (id, shown) =>
  shown === undefined ? ROWS[id].name : filled(TEXTS.nameAndValue, ROWS[id].plainName, shown);
