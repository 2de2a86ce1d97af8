// The plot's canvas checked against the plot the page's own core gives for a
// lesson: each line of the tangent layer must show in its colour where the
// lesson's geometry puts it. The page is anything with playwright's
// `evaluate(fn, arg)`, so that every engine's driver can be checked alike.

import assert from "node:assert/strict";
import { plotInPage, canvasPixels } from "./page_fixture.mjs";

const BLUE = [0, 0, 255];
const PURPLE = [128, 0, 128];
const GREEN = [0, 128, 0];

export function readPlot(flat) {
  const items = [];
  for (let k = 0, at = 3; k < flat[2]; ++k, at += 5)
    items.push({ kind: flat[at], color: flat[at + 1] >>> 0, penWidth: flat[at + 2], first: flat[at + 3], count: flat[at + 4] });
  const points = flat.slice(3 + 5 * flat[2] + 1);
  return { items, point: (k) => [points[2 * k], points[2 * k + 1]] };
}

// Engines may round a colour one level apart; a line a pixel or more away
// from where it belongs is another matter.
export const sameColour = (a, b) => a.every((v, k) => Math.abs(v - b[k]) <= 1);

// Whether the straight line between a and b shows in the colour where it
// crosses the middle of the area's visible part: some pixel of the colour
// within one pixel of it there.
export function lineShows(pixel, [ax, ay], [bx, by], rgb) {
  const inside = [];
  for (let k = 0; k <= 4000; ++k) {
    const x = ax + ((bx - ax) * k) / 4000;
    const y = ay + ((by - ay) * k) / 4000;
    if (x >= 2 && x <= 657 && y >= 2 && y <= 657) inside.push([Math.round(x), Math.round(y)]);
  }
  if (inside.length === 0) return false;
  const [x, y] = inside[Math.floor(inside.length / 2)];
  for (let dx = -1; dx <= 1; ++dx)
    for (let dy = -1; dy <= 1; ++dy) if (sameColour(pixel(x + dx, y + dy), rgb)) return true;
  return false;
}

// The tangent layer's lines of a plot (1-pixel lines in the colour), each
// as its two end points.
export function linesOf(plot, bgr) {
  return plot.items.filter((i) => i.kind === 1 && i.color === bgr).map((i) => [plot.point(i.first), plot.point(i.first + 1)]);
}

export async function expectTangentLayer(page, tokens, { second, chord }) {
  const plot = readPlot(await plotInPage(page, tokens));
  const pixel = await canvasPixels(page);
  const [tangent] = linesOf(plot, 0xff0000);
  assert.ok(lineShows(pixel, ...tangent, BLUE), `the tangent of "${tokens}"`);
  const purple = linesOf(plot, 0x800080);
  assert.equal(purple.length, second ? 1 : 0);
  if (second) assert.ok(lineShows(pixel, ...purple[0], PURPLE), `the second tangent of "${tokens}"`);
  const chords = linesOf(plot, 0x008000);
  assert.equal(chords.length, chord ? 1 : 0);
  if (chord) assert.ok(lineShows(pixel, ...chords[0], GREEN), `the chord of "${tokens}"`);
  return plot;
}
