// The lesson page: the lesson runs in the C++ core (tavrine.js/.wasm); this
// script passes the controls' events to it and shows what it reads back.

import createTavrine from "./tavrine.js";
import { readGeometry, cssColor } from "./plot_geometry.js";
import { drawGeometry } from "./plot_canvas.js";
import { ScrollBar } from "./scroll_bar.js";

const STAGE_WIDTH = 1024;
const STAGE_HEIGHT = 768;
const PLOT_SIZE = 660;

const $ = (id) => document.getElementById(id);
const selectorIds = ["SbnKeisuA", "SbnKeisuB", "SbnKeisuC", "SbnKeisuD", "SbnSiki"];
const labelIds = ["LblKeisuA", "LblKeisuB", "LblKeisuC", "LblKeisuD"];

const module = await createTavrine();
const lesson = new module.Lesson();
const canvas = $("PaintBox1");
const ctx = canvas.getContext("2d");
const base = document.createElement("canvas");
const baseCtx = base.getContext("2d");
let scale = 1; // device pixels per plot pixel
let baseStale = true;

// The whole stage scaled to the browser window, the plot's backing store
// sized in device pixels so that its lines stay sharp.
function fitStage() {
  const zoom = Math.min(innerWidth / STAGE_WIDTH, innerHeight / STAGE_HEIGHT);
  $("stage").style.transform = `scale(${zoom})`;
  const device = Math.max(1, Math.round(PLOT_SIZE * zoom * devicePixelRatio));
  scale = device / PLOT_SIZE;
  for (const c of [canvas, base]) {
    c.width = device;
    c.height = device;
  }
  baseStale = true;
  paint();
}

function paint() {
  if (baseStale) {
    drawGeometry(baseCtx, scale, readGeometry(lesson.plotBase(PLOT_SIZE, PLOT_SIZE)));
    baseStale = false;
  }
  ctx.drawImage(base, 0, 0);
  drawGeometry(ctx, scale, readGeometry(lesson.tangentLayer(PLOT_SIZE, PLOT_SIZE)));
  $("plotDescription").textContent = lesson.description();
  canvas.dataset.painted = String(Number(canvas.dataset.painted || 0) + 1);
  if (canvas.dataset.painted === "1") performance.mark("tavrine-first-plot");
}

function announce(text) {
  $("announcer").textContent = text;
}

// Carries the lesson's texts, colours and states to the controls.
function showControls() {
  for (let n = 1; n <= 4; ++n) $(labelIds[n - 1]).textContent = lesson.coefficientLabel(n);
  $("LblSiki").textContent = lesson.equationText();
  const latched = lesson.latchedSelector();
  selectorIds.forEach((id, k) => {
    const button = $(id);
    button.setAttribute("aria-pressed", String(latched === k + 1));
    button.style.color = cssColor(lesson.selectorColor(k + 1));
  });
  ["BBtnSessenSu", "BBtnHojosen"].forEach((id, k) => {
    const button = $(id);
    button.textContent = lesson.toggleCaption(k + 1);
    button.style.color = cssColor(lesson.toggleColor(k + 1));
    const visible = lesson.toggleVisible(k + 1);
    if (!visible && document.activeElement === button) zoomBar.element.focus();
    button.hidden = !visible;
  });
  zoomBar.setPosition(lesson.zoomPosition());
  tangentBar.setPosition(lesson.tangentPosition());
}

// What the lesson says after a change, numbered as in the core.
const Change = Object.freeze({ Confirmed: 0, SecondTangent: 1, Chord: 2, Zoom: 3, TangentPoint: 4 });


// A slider speaks once it comes to rest, not at every step.
const zoomBar = new ScrollBar($("ScrollBar1"), lesson.zoomPosition(), (position, ended) => {
  lesson.ScrollBar1Scroll(position);
  baseStale = true;
  paint();
  if (ended) announce(lesson.announcement(Change.Zoom));
});
const tangentBar = new ScrollBar($("ScrollBar2"), lesson.tangentPosition(), (position, ended) => {
  lesson.ScrollBar2Scroll(position);
  paint();
  if (ended) announce(lesson.announcement(Change.TangentPoint));
});

function wire(id, handler) {
  $(id).addEventListener("click", () => {
    if (!lesson) return;
    handler();
    showControls();
  });
}

// After a key or a selector: the coefficient being typed, as its label reads.
function announceEntry() {
  const target = lesson.latchedSelector();
  if (target >= 1 && target <= 4)
    announce(`係数 ${"abcd"[target - 1]}：${lesson.coefficientLabel(target)}`);
  else announce("曲線の方程式を選択");
}

for (let digit = 1; digit <= 9; ++digit) {
  wire(`Btn0${digit}`, () => { lesson.DigitClick(digit); announceEntry(); });
}
wire("Btn00", () => { lesson.Btn00Click(); announceEntry(); });
wire("BtnMinus", () => { lesson.BtnMinusClick(); announceEntry(); });
wire("BtnKettei", () => {
  if (lesson.BtnKetteiClick()) {
    baseStale = true;
    paint();
    announce(lesson.announcement(Change.Confirmed));
  } else {
    // A refused confirmation changes nothing on screen; say why.
    announce("決定できません。符号だけの係数があります");
  }
});
selectorIds.forEach((id, k) => {
  // Speed buttons never take the keyboard focus.
  $(id).addEventListener("mousedown", (e) => e.preventDefault());
  wire(id, () => { lesson.SelectorClick(k + 1); announceEntry(); });
});
wire("BBtnSessenSu", () => {
  lesson.BBtnSessenSuClick();
  paint();
  announce(lesson.announcement(Change.SecondTangent));
});
wire("BBtnHojosen", () => {
  lesson.BBtnHojosenClick();
  paint();
  announce(lesson.announcement(Change.Chord));
});

// "終　了": the lesson ends; the browser closes the tab where it lets a page
// do so, and otherwise the page says that the lesson is over.
$("BtnSyuryo").addEventListener("click", () => {
  window.close();
  for (const element of $("stage").children) element.inert = true;
  const ended = $("ended");
  ended.inert = false;
  ended.hidden = false;
});

// No control takes the digits or "-": from wherever the focus is, they press
// the keypad's key. With Ctrl, Alt or Meta a key is a shortcut, not a digit.
document.addEventListener("keydown", (e) => {
  if (e.ctrlKey || e.altKey || e.metaKey) return;
  const key = /^[0-9]$/.test(e.key) ? $(`Btn0${e.key}`) : e.key === "-" ? $("BtnMinus") : null;
  if (!key) return;
  e.preventDefault();
  key.click();
});

// The keyboard order runs round within the lesson, as in the desktop window.
document.addEventListener("keydown", (e) => {
  if (e.key !== "Tab") return;
  const order = [...document.querySelectorAll("#stage [tabindex='0'], #stage button")].filter(
    (el) => !el.hidden && el.offsetParent !== null);
  const at = order.indexOf(document.activeElement);
  const next = e.shiftKey ? (at <= 0 ? order.length - 1 : at - 1) : (at + 1) % order.length;
  e.preventDefault();
  order[next].focus();
});

addEventListener("resize", fitStage);
lesson.Syokika();
showControls();
fitStage();
zoomBar.element.focus();
document.documentElement.dataset.ready = "true";

if ("serviceWorker" in navigator && location.protocol !== "file:") {
  navigator.serviceWorker.register("service_worker.js").catch(() => {});
}
