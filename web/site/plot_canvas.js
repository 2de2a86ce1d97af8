// Draws the plot's geometry, as the core cuts it to the area (fills, lines,
// polylines and dots that can reach it), on a canvas whose backing store has
// `scale` device pixels per plot pixel.
//
// 1-pixel lines are filled pixel runs, each plot pixel a rectangle whose
// edges are rounded to whole device pixels, so they stay sharp at any scale:
// a line covers its start pixel and leaves out its end pixel. Wide pens are
// canvas strokes with round caps and joins; canvas always smooths their
// edges, so they are stroked on a scratch canvas whose pixels are then made
// wholly opaque or wholly clear, the aliased look of the desktop's pens.
// A line's points may still lie millions of pixels outside the area: its
// pixels are taken only where they fall inside.

import { Kind, cssColor } from "./plot_geometry.js";

function fillPlotPixels(ctx, scale, x, y, w, h) {
  const x0 = Math.round(x * scale);
  const y0 = Math.round(y * scale);
  ctx.fillRect(x0, y0, Math.round((x + w) * scale) - x0, Math.round((y + h) * scale) - y0);
}

// The same rectangle added to the current path, so that a line's runs are
// filled at once.
function addPlotPixels(ctx, scale, x, y, w, h) {
  const x0 = Math.round(x * scale);
  const y0 = Math.round(y * scale);
  ctx.rect(x0, y0, Math.round((x + w) * scale) - x0, Math.round((y + h) * scale) - y0);
}

// Halves away from zero, as the lesson rounds pixels.
function roundoff(v) {
  return v < 0 ? -Math.floor(-v + 0.5) : Math.floor(v + 0.5);
}

// The pixels of a 1-pixel line from (ax, ay) to (bx, by) inside the area:
// one pixel per step along the longer axis, the other coordinate rounded,
// gathered into runs along the longer axis.
function thinLine(ctx, scale, geometry, ax, ay, bx, by) {
  const dx = bx - ax;
  const dy = by - ay;
  if (dx === 0 && dy === 0) return;
  const alongX = Math.abs(dx) >= Math.abs(dy);
  const [a0, b0, span, slope, size, crossSize] = alongX
    ? [ax, ay, dx, dy / dx, geometry.width, geometry.height]
    : [ay, ax, dy, dx / dy, geometry.height, geometry.width];
  const step = Math.sign(span);
  // The pixels along the longer axis from the start up to, not including,
  // the end, limited to the area.
  let first = a0;
  let last = a0 + span - step;
  if (step < 0) [first, last] = [last, first];
  first = Math.max(first, 0);
  last = Math.min(last, size - 1);
  let runStart = null;
  let runCross = 0;
  const flush = (end) => {
    if (runStart === null) return;
    const length = end - runStart;
    if (alongX) addPlotPixels(ctx, scale, runStart, runCross, length, 1);
    else addPlotPixels(ctx, scale, runCross, runStart, 1, length);
    runStart = null;
  };
  for (let a = first; a <= last; ++a) {
    const cross = b0 + roundoff((a - a0) * slope);
    if (cross < 0 || cross >= crossSize) { flush(a); continue; }
    if (runStart !== null && cross !== runCross) flush(a);
    if (runStart === null) { runStart = a; runCross = cross; }
  }
  flush(last + 1);
}

function widePath(ctx, item, points, first, count) {
  ctx.lineWidth = item.penWidth;
  ctx.lineCap = "round";
  ctx.lineJoin = "round";
  ctx.beginPath();
  ctx.moveTo(points[2 * first], points[2 * first + 1]);
  for (let k = first + 1; k < first + count; ++k) ctx.lineTo(points[2 * k], points[2 * k + 1]);
  ctx.stroke();
}

let scratch = null;

// The device pixels that the wide items can touch, within the canvas, as
// [left, top, width, height], or null: each point with its pen's reach and a
// pixel of smoothing around it. A segment stays within its ends' box.
function wideBounds(geometry, wideItems, scale, width, height) {
  const { points } = geometry;
  let x0 = Infinity, y0 = Infinity, x1 = -Infinity, y1 = -Infinity;
  for (const item of wideItems) {
    const reach = item.penWidth + 1;
    const count = item.kind === Kind.Dot ? 1 : item.kind === Kind.Line ? 2 : item.count;
    for (let k = item.first; k < item.first + count; ++k) {
      x0 = Math.min(x0, points[2 * k] - reach);
      x1 = Math.max(x1, points[2 * k] + reach + 1);
      y0 = Math.min(y0, points[2 * k + 1] - reach);
      y1 = Math.max(y1, points[2 * k + 1] + reach + 1);
    }
  }
  const left = Math.max(0, Math.floor(x0 * scale));
  const top = Math.max(0, Math.floor(y0 * scale));
  const right = Math.min(width, Math.ceil(x1 * scale));
  const bottom = Math.min(height, Math.ceil(y1 * scale));
  return right > left && bottom > top ? [left, top, right - left, bottom - top] : null;
}

// Wide items stroked on the scratch canvas, made aliased and laid over ctx.
function drawAliased(ctx, scale, geometry, wideItems) {
  const { width, height } = ctx.canvas;
  if (!scratch || scratch.canvas.width !== width || scratch.canvas.height !== height) {
    const canvas = document.createElement("canvas");
    canvas.width = width;
    canvas.height = height;
    scratch = canvas.getContext("2d", { willReadFrequently: true });
  }
  scratch.setTransform(1, 0, 0, 1, 0, 0);
  scratch.clearRect(0, 0, width, height);
  scratch.setTransform(scale, 0, 0, scale, 0, 0);
  const { points } = geometry;
  for (const item of wideItems) {
    const color = cssColor(item.color);
    scratch.fillStyle = color;
    scratch.strokeStyle = color;
    if (item.kind === Kind.Dot) {
      // A round spot of the pen's width, centred on the middle of its pixel.
      const p = 2 * item.first;
      scratch.beginPath();
      scratch.arc(points[p] + 0.5, points[p + 1] + 0.5, item.penWidth / 2, 0, 2 * Math.PI);
      scratch.fill();
    } else {
      widePath(scratch, item, points, item.first, item.kind === Kind.Line ? 2 : item.count);
    }
  }
  // Only where the strokes can be: reading the whole canvas back would
  // cost most of a repaint.
  const bounds = wideBounds(geometry, wideItems, scale, width, height);
  if (!bounds) return;
  const image = scratch.getImageData(...bounds);
  const data = image.data;
  for (let k = 3; k < data.length; k += 4) data[k] = data[k] >= 128 ? 255 : 0;
  scratch.putImageData(image, bounds[0], bounds[1]);
  ctx.drawImage(scratch.canvas, ...bounds, ...bounds);
}

export function drawGeometry(ctx, scale, geometry, { clear = false } = {}) {
  const { width, height, items, points } = geometry;
  let wide = [];
  const flushWide = () => {
    if (wide.length) drawAliased(ctx, scale, geometry, wide);
    wide = [];
  };
  ctx.save();
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  if (clear) ctx.clearRect(0, 0, ctx.canvas.width, ctx.canvas.height);
  ctx.beginPath();
  ctx.rect(0, 0, Math.round(width * scale), Math.round(height * scale));
  ctx.clip();
  for (const item of items) {
    if (item.kind === Kind.Dot || item.penWidth > 1) {
      wide.push(item);
      continue;
    }
    flushWide();
    const color = cssColor(item.color);
    ctx.fillStyle = color;
    ctx.strokeStyle = color;
    const p = 2 * item.first;
    switch (item.kind) {
      case Kind.Fill:
        fillPlotPixels(ctx, scale, points[p], points[p + 1], points[p + 2] - points[p], points[p + 3] - points[p + 1]);
        break;
      case Kind.Line:
        ctx.beginPath();
        thinLine(ctx, scale, geometry, points[p], points[p + 1], points[p + 2], points[p + 3]);
        ctx.fill();
        break;
      case Kind.Polyline:
        ctx.beginPath();
        for (let k = 0; k + 1 < item.count; ++k) {
          const q = p + 2 * k;
          thinLine(ctx, scale, geometry, points[q], points[q + 1], points[q + 2], points[q + 3]);
        }
        ctx.fill();
        break;
    }
  }
  flushWide();
  ctx.restore();
}
