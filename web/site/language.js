// The lesson in the pupil's language. The page is written in Japanese; the
// language is `?lang=` in the address, else the one chosen on this device
// before, else the first of the browser's languages the lesson speaks, else
// Japanese. Another language rewrites the page's texts from the core's
// catalogue before the lesson starts, and writes a caption too wide for its
// control smaller, down to the smallest size the core allows. The choice of
// language names each language in itself; choosing reloads the page in it.

const REMEMBERED = "tavrine-language";

const $ = (id) => document.getElementById(id);

function remembered() {
  try {
    return localStorage.getItem(REMEMBERED);
  } catch {
    return null; // storage refused: the browser's languages decide
  }
}

// Where a control's caption is written in the page's markup.
function captionElement(element) {
  if (element.classList.contains("groupbox")) return $(`${element.id}Caption`);
  if (element.classList.contains("label")) return element.firstElementChild;
  return element;
}

function relabel(module, texts) {
  for (const text of texts) {
    const element = $(text.id);
    if (text.caption) captionElement(element).textContent = text.caption;
    if (element.hasAttribute("aria-label")) element.setAttribute("aria-label", text.name);
    if (element.hasAttribute("aria-description")) element.setAttribute("aria-description", text.description);
    if (text.labelFor) $(`${text.labelFor}-name`).textContent = text.labelledName;
  }
  const stage = $("stage");
  const name = module.translated(stage.getAttribute("aria-label"));
  stage.setAttribute("aria-label", name);
  stage.setAttribute("aria-description", module.translated(stage.getAttribute("aria-description")));
  document.querySelector("h1").textContent = name;
  document.title = name;
  // The page's own texts: the end of the lesson, the share view, the links.
  for (const element of document.querySelectorAll("[data-translate]")) {
    if (element.textContent) element.textContent = module.translated(element.textContent);
    for (const name of ["aria-label", "aria-description"])
      if (element.hasAttribute(name)) element.setAttribute(name, module.translated(element.getAttribute(name)));
  }
}

// Each caption at its face's size, or smaller where the widest it can show
// would overflow its control; once the faces the captions need are loaded.
async function fitCaptions(module, controlTexts) {
  const measure = document.createElement("canvas").getContext("2d");
  const texts = controlTexts.filter((text) => text.caption);
  await Promise.all(texts.map((text) =>
    document.fonts.load(getComputedStyle(captionElement($(text.id))).font, text.captions.join(""))));
  for (const text of texts) {
    const element = captionElement($(text.id));
    const style = getComputedStyle(element);
    const size = parseFloat(style.fontSize);
    const fitted = module.fittedCaptionSize(text.id, size, (px) => {
      measure.font = `${style.fontStyle} ${style.fontWeight} ${px}px ${style.fontFamily}`;
      return Math.max(...text.captions.map((caption) => measure.measureText(caption).width));
    });
    if (fitted !== size) element.style.fontSize = `${fitted}px`;
  }
}

function offerChoice(module, tag) {
  const select = document.querySelector("#LanguageChoice select");
  select.setAttribute("aria-label", module.translated(module.languageChoiceName));
  for (const language of module.languages()) {
    const option = new Option(language.ownName, language.tag, false, language.tag === tag);
    option.lang = language.tag;
    select.add(option);
  }
  select.addEventListener("change", () => {
    try {
      localStorage.setItem(REMEMBERED, select.value);
    } catch {
      // not remembered; the address still carries the choice
    }
    const address = new URL(location.href);
    address.searchParams.set("lang", select.value);
    location.replace(address);
  });
}

// Sets the lesson's language and writes the page in it; returns its tag.
export async function chooseLanguage(module) {
  const asked = [new URLSearchParams(location.search).get("lang"), module.linkLanguage(location.hash),
    remembered(), ...navigator.languages];
  const tag = module.chooseLanguage(asked.filter(Boolean).join(","));
  document.documentElement.lang = tag;
  if (tag !== "ja") {
    document.querySelector('link[rel="manifest"]').href = `manifest-${tag}.webmanifest`;
    const faces = Object.assign(document.createElement("link"), { rel: "stylesheet", href: "languages.css" });
    const declared = new Promise((resolve) => { faces.onload = faces.onerror = resolve; });
    document.head.append(faces);
    const texts = module.controlTexts();
    relabel(module, texts);
    await declared;
    await fitCaptions(module, texts);
  }
  offerChoice(module, tag);
  return tag;
}
