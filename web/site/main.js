// The lesson page: the lesson runs in the C++ core (tavrine.js/.wasm); this
// script passes the controls' events to it and applies the view it gives back.
// The controls themselves, their names and places, are written into the page
// from the core's control table when the page is built.

import createTavrine from "./tavrine.js";
import { readGeometry } from "./plot_geometry.js";
import { drawGeometry } from "./plot_canvas.js";
import { ScrollBar } from "./scroll_bar.js";
import { contrastPalette } from "./contrast.js";
import { lessonPaper } from "./paper.js";
import { LessonSound } from "./sound.js";
import { chooseLanguage } from "./language.js";

const $ = (id) => document.getElementById(id);

// The core instantiated from the fetch the page's head started, compiled as
// it arrives; a server that sends it under another type gets it fetched
// again and compiled whole. A failure ends the page's script as the core's
// own loading would.
const module = await new Promise((resolve, reject) => {
  createTavrine({
    instantiateWasm(imports, receive) {
      const url = new URL("tavrine.wasm", import.meta.url);
      WebAssembly.instantiateStreaming(self.tavrineWasm ?? fetch(url), imports)
        .catch(() => fetch(url).then((response) => response.arrayBuffer())
          .then((bytes) => WebAssembly.instantiate(bytes, imports)))
        .then(({ instance }) => receive(instance), reject);
      return {};
    },
  }).then(resolve, reject);
});
const PLOT_SIZE = module.plotSize;
// Before the lesson is made, so that it speaks the language from the start.
await chooseLanguage(module);
const lesson = new module.Lesson();
// What each control's event asks of the lesson: the selectors in the order
// of their entry targets (a..d, then the equation), each with the label of
// its coefficient.
const intents = module.controlIntents();
const idOf = (does) => intents.find((c) => c.does === does).id;
const selectorIds = intents.filter((c) => c.does === "Select")
  .sort((a, b) => a.argument - b.argument).map((c) => c.id);
const labelIds = selectorIds.map((id) => intents.find((c) => c.labelFor === id)?.id).filter(Boolean);
// A change of the reader's contrast setting repaints the plot and the
// lesson's colours, saying and playing nothing again.
const palette = contrastPalette(module, () => {
  baseKey = plotKey = null;
  apply({ ...lesson.view(), announcement: "", sound: module.SoundCue.None });
});
const sound = new LessonSound(module, lesson);
const canvas = $("PaintBox1");
const ctx = canvas.getContext("2d");
const base = document.createElement("canvas");
const baseCtx = base.getContext("2d");
let scale = 1; // device pixels per plot pixel
let baseKey = null; // the core's base revision the cached grid and curve were drawn for
let plotKey = null; // its plot revision the plot on screen was drawn for

// The whole stage scaled to fit the browser window and centred in it, never
// wider than the screen: the window's arrangement on a landscape screen, the
// upright one (controls.css) on a portrait screen. The plot's backing store is
// sized in device pixels so that its lines stay sharp.
function fitStage() {
  const stage = $("stage");
  const zoom = Math.min(innerWidth / stage.offsetWidth, innerHeight / stage.offsetHeight);
  const left = Math.max(0, (innerWidth - stage.offsetWidth * zoom) / 2);
  const top = Math.max(0, (innerHeight - stage.offsetHeight * zoom) / 2);
  stage.style.transform = `translate(${left}px, ${top}px) scale(${zoom})`;
  const device = Math.max(1, Math.round(PLOT_SIZE * zoom * devicePixelRatio));
  scale = device / PLOT_SIZE;
  for (const c of [canvas, base]) {
    c.width = device;
    c.height = device;
  }
  baseKey = plotKey = null;
  paint();
}

// The plot is drawn again when the core's revisions say that what it shows
// has changed: the grid and the curve (kept in `base`) with the base's, the
// tangent layer with the whole plot's.
function paint() {
  const [bases, key] = module.plotRevisions(lesson);
  if (key === plotKey) return;
  if (bases !== baseKey) {
    drawGeometry(baseCtx, scale, palette.plot(readGeometry(lesson.plotBase(PLOT_SIZE, PLOT_SIZE))));
    baseKey = bases;
  }
  ctx.drawImage(base, 0, 0);
  drawGeometry(ctx, scale, palette.plot(readGeometry(lesson.tangentLayer(PLOT_SIZE, PLOT_SIZE))));
  plotKey = key;
  canvas.dataset.painted = String(Number(canvas.dataset.painted || 0) + 1);
  if (canvas.dataset.painted === "1") performance.mark("tavrine-first-plot");
}

// A label's text stands in its first child, beside the hidden names it lends.
const shownText = (element) => (element.classList.contains("label") ? element.firstElementChild : element);
const liveNamed = [...document.querySelectorAll("[data-live-name]")];

// Each part of the page is written only when what it shows has changed: a
// slider's drag then touches little more than the plot.
const shown = new Map();
function show(key, value, write) {
  if (shown.get(key) === value) return;
  shown.set(key, value);
  write(value);
}

// Applies what the lesson shows and says after an event.
function apply(view) {
  view = sound.follow(view);
  paint();
  labelIds.forEach((id, k) => show(id, view.coefficientLabels[k], (t) => { shownText($(id)).textContent = t; }));
  show("LblSiki", view.equationText, (t) => {
    shownText($("LblSiki")).textContent = t;
    // The equation button is described with the equation it chooses, in words.
    const button = $(selectorIds.at(-1));
    button.setAttribute("aria-description", module.controlDescription(button.id, t));
  });
  selectorIds.forEach((id, k) => show(id, `${view.latchedSelector === k + 1} ${palette.caption(view.selectorColors[k])}`, () => {
    $(id).setAttribute("aria-checked", String(view.latchedSelector === k + 1));
    $(id).style.color = palette.caption(view.selectorColors[k]);
  }));
  [[idOf("SecondTangent"), view.toggles.secondTangent, view.secondTangentOn],
   [idOf("Chord"), view.toggles.chord, view.chordOn]].forEach(([id, look, on]) => show(
    id, `${look.caption} ${palette.caption(look.color)} ${look.visible} ${on}`, () => {
      const button = $(id);
      button.textContent = look.caption;
      button.style.color = palette.caption(look.color);
      button.setAttribute("aria-checked", String(on));
      if (!look.visible && document.activeElement === button) zoomBar.element.focus();
      button.hidden = !look.visible;
    }));
  show("zoom", view.zoomPosition, (position) => zoomBar.setPosition(position));
  show("tangent", view.tangentPosition, (position) => tangentBar.setPosition(position));
  for (const element of liveNamed) {
    show(`${element.id} name`, shownText(element).textContent,
      (text) => element.setAttribute("aria-label", module.controlName(element.id, text)));
  }
  show("plotDescription", view.plotDescription, (text) => { $("plotDescription").textContent = text; });
  show("sharing", view.sharing, showShare);
  show("slopeCurve", view.slopeCurveOn, (on) => $("SlopeCurveButton").setAttribute("aria-pressed", String(on)));
  if (view.announcement) $("announcer").textContent = view.announcement;
}

// Every control's event goes to the lesson with the control's id, and the
// page does what the lesson answers.
function follow(after) {
  const After = module.After;
  if (after === After.Ignored) return false;
  if (after === After.Quit) quit();
  else if (after === After.Copy) paper.copy();
  else if (after === After.Save) paper.save();
  else if (after === After.Print) paper.print();
  else apply(lesson.view());
  return true;
}
const paper = lessonPaper(module, lesson, () => apply(lesson.view()));
const bars = {};
for (const { id, does } of intents) {
  if (does === "Zoom" || does === "MoveTangent") {
    bars[does] = new ScrollBar($(id), 0, (position, ended) => follow(lesson.scroll(id, position, ended)),
      (e, position) => module.sliderKey(keyName(e), modifiersOf(e), position));
  } else if (does !== "Shows" && does !== "DragTangent") {
    $(id).addEventListener("click", () => follow(lesson.press(id)));
  }
}
const zoomBar = bars.Zoom;
const tangentBar = bars.MoveTangent;
// Speed buttons never take the keyboard focus.
for (const id of selectorIds) $(id).addEventListener("mousedown", (e) => e.preventDefault());

// The quit button ends the lesson; the browser closes the tab where it lets a page
// do so, and otherwise the page says that the lesson is over.
function quit() {
  window.close();
  for (const element of $("stage").children) element.inert = true;
  const ended = $("ended");
  ended.inert = false;
  ended.hidden = false;
}

// The lesson's keys, from wherever the focus is: the key table in the core
// says what each does. A key that presses a control clicks it; F11 and
// Escape leave the browser's full screen to the browser.
const modifierBits = module.modifierBits();
function keyName(e) {
  // A letter by the key it is, or by where it lies where Alt makes another
  // character of it (Alt+T gives "†" on a Mac).
  if (/^[a-z]$/i.test(e.key)) return e.key.toLowerCase();
  if (/^Key[A-Z]$/.test(e.code) && e.key.length === 1 && !/^[0-9-]$/.test(e.key)) return e.code.slice(3).toLowerCase();
  return e.key;
}
const modifiersOf = (e) => Object.entries(modifierBits).reduce((bits, [flag, bit]) => (e[flag] ? bits | bit : bits), 0);
document.addEventListener("keydown", (e) => {
  const { after, control } = lesson.key(keyName(e), modifiersOf(e), sound.playing !== null);
  if (after === module.After.Ignored) return;
  if (after === module.After.PressControl) {
    e.preventDefault();
    $(control).click();
    return;
  }
  if (after !== module.After.Presentation && after !== module.After.EndPresentation) e.preventDefault();
  follow(after);
});

// The tangent point is dragged along the curve with any pointer: the mouse,
// a finger or a pen. The first pointer that grabs it drives until it is
// lifted or the browser takes the gesture away; other pointers meanwhile
// change nothing. A finger elsewhere on the page still scrolls and zooms it.
let dragPointer = null;
function plotPoint(e) {
  const box = canvas.getBoundingClientRect();
  return [((e.clientX - box.left) * PLOT_SIZE) / box.width, ((e.clientY - box.top) * PLOT_SIZE) / box.height];
}
const Phase = module.PointerPhase;
const onPlot = (phase, e) => follow(lesson.pointer(canvas.id, phase, PLOT_SIZE, PLOT_SIZE, ...plotPoint(e)));
canvas.addEventListener("pointerdown", (e) => {
  if (dragPointer !== null || e.button !== 0) return;
  onPlot(Phase.Down, e);
  if (!lesson.draggingTangent()) return;
  e.preventDefault();
  dragPointer = e.pointerId;
  canvas.setPointerCapture(e.pointerId);
  canvas.classList.add("dragging");
});
canvas.addEventListener("pointermove", (e) => {
  if (e.pointerId !== dragPointer) {
    // Over the point, the mouse shows that it can take it.
    if (dragPointer === null && e.pointerType === "mouse")
      canvas.classList.toggle("grabbable", lesson.grabsTangentPoint(PLOT_SIZE, PLOT_SIZE, ...plotPoint(e)));
    return;
  }
  onPlot(Phase.Move, e);
});
function releasePoint(e) {
  if (e.pointerId !== dragPointer) return;
  dragPointer = null;
  canvas.classList.remove("dragging");
  onPlot(Phase.Up, e);
}
for (const type of ["pointerup", "pointercancel", "lostpointercapture"]) canvas.addEventListener(type, releasePoint);

// The page's own buttons do what their keys do: the slope curve's toggle,
// the share button.
const command = (name) => follow(lesson.command(name, sound.playing !== null));
$("SlopeCurveButton").addEventListener("click", () => command("SlopeCurve"));

// The share view: the lesson as a link and its QR code, over the lesson
// while the lesson says it is open (S, the share button, Escape). The QR
// code's generator is fetched when the view first opens, not at the start.
const shareView = $("ShareView");
const shareTexts = module.shareTexts();
const share = () => command("Share");
for (const id of ["ShareButton", "ShareClose"]) $(id).addEventListener("click", share);
// The browser closing the view itself (Escape, where it takes the key first)
// closes it in the lesson too.
shareView.addEventListener("close", () => { if (lesson.view().sharing) share(); });
let focusBeforeShare = null;
async function showShare(open) {
  if (!open) {
    if (!shareView.open) return;
    shareView.close();
    (focusBeforeShare?.isConnected ? focusBeforeShare : zoomBar.element).focus();
    return;
  }
  // The page's own address, but for the language chosen here: each pupil's
  // device opens the lesson in its pupil's language.
  const address = new URL(location.href);
  address.searchParams.delete("lang");
  const link = lesson.shareAddress(address.href);
  const { default: qrcodegen } = await import("./qrcodegen.js");
  // Medium error correction as on the desktop, and the quiet zone of four
  // modules that a reader needs around the code.
  const code = qrcodegen.QrCode.encodeText(link, qrcodegen.QrCode.Ecc.MEDIUM);
  const side = code.size + 8;
  let dark = "";
  for (let y = 0; y < code.size; ++y)
    for (let x = 0; x < code.size; ++x) if (code.getModule(x, y)) dark += `M${x + 4} ${y + 4}h1v1h-1z`;
  const svg = $("ShareCode");
  svg.setAttribute("viewBox", `0 0 ${side} ${side}`);
  svg.setAttribute("aria-label", link);
  svg.innerHTML = `<rect width="${side}" height="${side}" fill="#fff"/><path fill="#000" d="${dark}"/>`;
  $("ShareLink").value = link;
  $("ShareStatus").textContent = "";
  // The system's share sheet (Classroom, Teams, LoiLoNote...) where the browser has one.
  $("ShareSend").hidden = !navigator.canShare?.({ url: link });
  if (!lesson.view().sharing || shareView.open) return; // closed while the generator came
  focusBeforeShare = document.activeElement;
  shareView.showModal();
  $("ShareCopy").focus();
}
$("ShareCopy").addEventListener("click", async () => {
  const link = $("ShareLink");
  const copied = await (navigator.clipboard?.writeText(link.value).then(() => true, () => false) ?? false);
  $("ShareStatus").textContent = copied ? shareTexts.copied : shareTexts.copyFailed;
  // Not copied: the link selected, for the pupil to copy by hand.
  if (!copied) {
    link.focus();
    link.select();
  }
});
$("ShareSend").addEventListener("click", () =>
  navigator.share({ title: shareTexts.title, url: $("ShareLink").value }).catch(() => {}));

// For the page's tests and anyone inspecting the lesson from the browser's
// console: what the lesson shows and its plot, read-only.
globalThis.tavrine = Object.freeze({
  view: () => lesson.view(),
  plot: () => Array.from(lesson.plot(PLOT_SIZE, PLOT_SIZE)),
  smallestCaptionScale: module.smallestCaptionScale,
});

addEventListener("resize", fitStage);
// A lesson handed out as a link opens from the address's fragment, and again
// whenever the fragment changes.
if (location.hash) lesson.open(location.hash);
else lesson.Syokika();
addEventListener("hashchange", () => {
  if (!location.hash) return;
  lesson.open(location.hash);
  apply(lesson.view());
});
fitStage();
apply(lesson.view());
zoomBar.element.focus();
document.documentElement.dataset.ready = "true";

// The worker registered and its store brought up to date while the network
// is there; opened from the store without one, there is nothing to fetch.
if ("serviceWorker" in navigator && location.protocol !== "file:" && navigator.onLine) {
  navigator.serviceWorker.register("service_worker.js").catch(() => {});
  // With the faces of another language's letters, where the page used them.
  const fonts = performance.getEntriesByType("resource").map((entry) => new URL(entry.name).pathname)
    .filter((path) => path.includes("/fonts/")).map((path) => path.slice(path.indexOf("fonts/")));
  navigator.serviceWorker.controller?.postMessage({ refresh: fonts });
}
