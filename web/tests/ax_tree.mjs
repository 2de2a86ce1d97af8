// Prints how chromium's accessibility tree presents each control of the
// lesson page after the lesson's reset, as JSON by control id: role, name,
// description, the controls it is labelled by, and whether it is in the tree
// at all (a hidden control is not).
//
//   TAVRINE_SITE=build-web/site TAVRINE_CONTROLS=controls.json node ax_tree.mjs

import { readFileSync } from "node:fs";
import { openLesson } from "./page_fixture.mjs";

const ids = JSON.parse(readFileSync(process.env.TAVRINE_CONTROLS, "utf8")).map((row) => row.id);
const lesson = await openLesson();
try {
  const cdp = await lesson.browser.context.newCDPSession(lesson.page);
  const { root } = await cdp.send("DOM.getDocument", { depth: -1 });
  const domIds = new Map(); // backend node id -> element id
  (function walk(node) {
    const at = (node.attributes ?? []).indexOf("id");
    if (at >= 0) domIds.set(node.backendNodeId, node.attributes[at + 1]);
    for (const child of node.children ?? []) walk(child);
  })(root);
  // The control an element belongs to: itself, or the innermost control it lies in.
  const owners = await lesson.page.evaluate((ids) => {
    const owner = {};
    for (const element of document.querySelectorAll("[id]")) {
      let at = element;
      while (at && !ids.includes(at.id)) at = at.parentElement;
      owner[element.id] = at?.id ?? null;
    }
    return owner;
  }, ids);
  const { nodes } = await cdp.send("Accessibility.getFullAXTree");
  const controls = {};
  for (const node of nodes) {
    const id = domIds.get(node.backendDOMNodeId);
    if (!ids.includes(id)) continue;
    const labelledBy = (node.properties ?? []).filter((p) => p.name === "labelledby")
      .flatMap((p) => p.value.relatedNodes.map((r) => owners[r.idref]))
      .filter((owner) => owner && owner !== id);
    controls[id] = { inTree: !node.ignored, role: node.role?.value, name: node.name?.value ?? "",
                     description: node.description?.value ?? "", labelledBy };
  }
  // What a hidden control would be named, from its attribute.
  for (const id of ids) {
    if (!controls[id]?.inTree)
      controls[id] = { inTree: false, name: await lesson.page.getAttribute(`#${id}`, "aria-label") };
  }
  process.stdout.write(JSON.stringify(controls));
} finally {
  await lesson.close();
}
