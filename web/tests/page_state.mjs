// What the lesson page shows, in the words of the native lesson's replay
// (tests/replay_session.cpp), run in the page: the page's random test and the
// desktop's share test compare the two.

export function pageState() {
  const v = globalThis.tavrine.view();
  let h = 2166136261;
  for (const x of globalThis.tavrine.plot()) h = Math.imul(h ^ x, 16777619) >>> 0;
  const look = (l) => [l.caption, l.color, Number(l.visible)];
  const state = [...v.coefficientLabels, v.equationText, v.latchedSelector, v.selectorColors.map((c) => `${c},`).join(""),
    ...look(v.toggles.secondTangent), ...look(v.toggles.chord), Number(v.secondTangentOn), Number(v.chordOn),
    v.zoomPosition, v.tangentPosition, v.plotDescription, v.announcement, h].join("\t");
  const $ = (id) => document.getElementById(id);
  const shown = [
    ...["LblKeisuA", "LblKeisuB", "LblKeisuC", "LblKeisuD"].map((id, k) => [id, $(id).firstElementChild.textContent, v.coefficientLabels[k]]),
    ["LblSiki", $("LblSiki").firstElementChild.textContent, v.equationText],
    ...["SbnKeisuA", "SbnKeisuB", "SbnKeisuC", "SbnKeisuD", "SbnSiki"].map((id, k) =>
      [id, $(id).getAttribute("aria-checked"), String(v.latchedSelector === k + 1)]),
    ...[["BBtnSessenSu", v.toggles.secondTangent, v.secondTangentOn], ["BBtnHojosen", v.toggles.chord, v.chordOn]].map(
      ([id, l, on]) => [id, `${$(id).textContent} ${!$(id).hidden} ${$(id).getAttribute("aria-checked")}`, `${l.caption} ${l.visible} ${on}`]),
    ["ScrollBar1", $("ScrollBar1").getAttribute("aria-valuenow"), String(v.zoomPosition)],
    ["ScrollBar2", $("ScrollBar2").getAttribute("aria-valuenow"), String(v.tangentPosition)],
    ["plotDescription", $("plotDescription").textContent, v.plotDescription],
  ];
  return { state, wrong: shown.filter(([, is, should]) => is !== should) };
}
