// The plot's geometry as the lesson hands it over: one run of 32-bit
// integers (see web/lesson_bindings.cpp), read into items and points.

export const Kind = Object.freeze({ Area: 0, Line: 1, Polyline: 2, Dot: 3, Fill: 4 });

export function readGeometry(flat) {
  const width = flat[0];
  const height = flat[1];
  const itemCount = flat[2];
  const items = [];
  let at = 3;
  for (let k = 0; k < itemCount; ++k, at += 5) {
    items.push({
      kind: flat[at], color: flat[at + 1] >>> 0, penWidth: flat[at + 2],
      first: flat[at + 3], count: flat[at + 4],
    });
  }
  const pointCount = flat[at++];
  const points = Int32Array.from(flat.subarray(at, at + 2 * pointCount));
  return { width, height, items, points };
}

// 0xBBGGRR as a CSS colour.
export function cssColor(bgr) {
  const r = bgr & 0xff;
  const g = (bgr >>> 8) & 0xff;
  const b = (bgr >>> 16) & 0xff;
  return `rgb(${r}, ${g}, ${b})`;
}
