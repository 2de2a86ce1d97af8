// The lesson's colours or, where the reader asks for more contrast (or the
// system forces its own colours), the high-contrast palette's: the core's
// table (lesson/contrast_palette.h), read once through the bindings. The
// captions the control table colours switch in controls.css; these are the
// colours that change with the lesson: the selectors', the toggles' and the
// plot's.

import { cssColor } from "./plot_geometry.js";

export const HIGH_CONTRAST = "(prefers-contrast: more), (forced-colors: active)";

// `onChange` runs when the reader's setting changes, to repaint.
export function contrastPalette(module, onChange) {
  const query = matchMedia(HIGH_CONTRAST);
  const caption = new Map();
  const plot = new Map();
  for (const row of module.contrastPalette()) {
    caption.set(row.lesson, row.caption);
    plot.set(row.lesson, row.plot);
  }
  query.addEventListener("change", onChange);
  return {
    // A caption's colour (0xBBGGRR) as CSS.
    caption: (bgr) => cssColor(query.matches ? caption.get(bgr) ?? bgr : bgr),
    // The plot's geometry with its pens in the colours to draw.
    plot(geometry) {
      if (query.matches) {
        for (const item of geometry.items) item.color = plot.get(item.color) ?? item.color;
      }
      return geometry;
    },
  };
}
