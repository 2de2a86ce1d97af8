// The lesson on paper from the page: the plot as the core draws it (its SVG
// drawing, with the equations beneath), copied to the clipboard as a
// picture and text, downloaded as a file named after the equation, and
// printed from a sheet that only the print stylesheet shows (lesson.css).
// What is said after each is the core's sentence.

import { HIGH_CONTRAST } from "./contrast.js";

const SVG = "image/svg+xml";

// The drawing rendered to PNG at `scale` pixels for each of its own (its
// view box is the plot's layout pixels and the caption beneath).
async function pngOf(svg, scale) {
  const [, width, height] = svg.match(/viewBox="0 0 ([\d.]+) ([\d.]+)"/).map(Number);
  const url = URL.createObjectURL(new Blob([svg], { type: SVG }));
  try {
    const image = new Image();
    image.src = url;
    await image.decode();
    const canvas = document.createElement("canvas");
    canvas.width = Math.round(width * scale);
    canvas.height = Math.round(height * scale);
    const context = canvas.getContext("2d");
    context.fillStyle = "#fff";
    context.fillRect(0, 0, canvas.width, canvas.height);
    context.drawImage(image, 0, 0, canvas.width, canvas.height);
    return await new Promise((done) => canvas.toBlob(done, "image/png"));
  } finally {
    URL.revokeObjectURL(url);
  }
}

// `show` applies the lesson's view after each, to say how it went.
export function lessonPaper(module, lesson, show) {
  const highContrast = () => matchMedia(HIGH_CONTRAST).matches;
  const picture = () => lesson.paperSvg(false, highContrast());
  const done = (outcome, detail = "") => {
    lesson.paperDone(outcome, detail);
    show();
  };

  // The sheet print shows: the plot at its width on paper, its equations as
  // text beneath. Filled again for each print, as the lesson may have moved.
  const sheet = document.createElement("div");
  sheet.id = "printSheet";
  document.body.append(sheet);
  function fillSheet() {
    const texts = lesson.paperTexts();
    // The drawing carries its own width and height in cm, and the reader's
    // contrast as the window prints it.
    const drawing = new DOMParser().parseFromString(lesson.paperSvg(true, highContrast()), SVG).documentElement;
    sheet.replaceChildren(document.importNode(drawing, true));
    for (const line of texts.printLines) {
      const p = document.createElement("p");
      p.textContent = line;
      sheet.append(p);
    }
  }
  // The browser's own print (its menu, or Ctrl+P where the page does not
  // see the key) prints the same sheet.
  addEventListener("beforeprint", fillSheet);

  return {
    // Called within the key's event: a browser lets the clipboard be
    // written only there, so the picture is handed over as a promise.
    copy() {
      // No clipboard the page may write pictures to (no ClipboardItem, or a
      // page not served over https): said at once, nothing drawn for it.
      if (typeof ClipboardItem === "undefined" || !navigator.clipboard?.write) {
        done(module.PaperOutcome.CopyRefused);
        return;
      }
      const texts = lesson.paperTexts();
      const svg = picture();
      const png = pngOf(svg, texts.pictureScale);
      png.catch(() => {}); // a picture that cannot be drawn is the write's refusal
      try {
        const items = {
          "image/png": png,
          "text/plain": new Blob([texts.text], { type: "text/plain" }),
        };
        if (ClipboardItem.supports?.(SVG)) items[SVG] = new Blob([svg], { type: SVG });
        navigator.clipboard.write([new ClipboardItem(items)]).then(
          () => done(module.PaperOutcome.Copied),
          () => done(module.PaperOutcome.CopyRefused));
      } catch {
        // A browser whose clipboard takes none of these kinds.
        done(module.PaperOutcome.CopyRefused);
      }
    },
    save() {
      const { fileName } = lesson.paperTexts();
      const url = URL.createObjectURL(new Blob([picture()], { type: SVG }));
      const link = document.createElement("a");
      link.href = url;
      link.download = fileName;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
      done(module.PaperOutcome.Saved, fileName);
    },
    print() {
      fillSheet();
      window.print();
    },
  };
}
