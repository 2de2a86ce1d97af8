// Draws the plot's geometry, as the core cuts it to the area (fills, wide
// lines, polylines and dots that can reach it, the 1-pixel lines as the runs
// of pixels they cover), on a canvas whose backing store has `scale` device
// pixels per plot pixel.
//
// Fills have their edges rounded to whole device pixels, so the runs of the
// 1-pixel lines stay sharp at any scale. Wide pens are canvas strokes with
// round caps and joins; canvas always smooths their edges, so they are
// stroked on a scratch canvas whose pixels are then made wholly opaque or
// wholly clear, the aliased look of the desktop's pens.

import { Kind, cssColor } from "./plot_geometry.js";

function fillPlotPixels(ctx, scale, x, y, w, h) {
  const x0 = Math.round(x * scale);
  const y0 = Math.round(y * scale);
  ctx.fillRect(x0, y0, Math.round((x + w) * scale) - x0, Math.round((y + h) * scale) - y0);
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
  let color = null;
  for (const item of items) {
    if (item.kind !== Kind.Fill) {
      wide.push(item);
      continue;
    }
    flushWide();
    if (item.color !== color) {
      color = item.color;
      ctx.fillStyle = cssColor(color);
    }
    const p = 2 * item.first;
    fillPlotPixels(ctx, scale, points[p], points[p + 1], points[p + 2] - points[p], points[p + 3] - points[p + 1]);
  }
  flushWide();
  ctx.restore();
}
