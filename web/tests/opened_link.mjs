// Prints what the lesson page shows, opened at a lesson's link, in the
// native replay's words (page_state.mjs): the desktop's share test
// (tests/e2e/tavrine_e2e.py) compares it with the native lesson keyed in as
// on the desktop whose QR code gave the link.
//
//   TAVRINE_SITE=build-web/site node opened_link.mjs 'a=1&b=-3&c=0&d=0&tangents=2'

import { openLesson } from "./page_fixture.mjs";
import { pageState } from "./page_state.mjs";

const { page, close } = await openLesson({ at: `#${process.argv[2]}` });
try {
  const { state, wrong } = await page.evaluate(pageState);
  if (wrong.length) throw new Error(`the page does not show its lesson: ${JSON.stringify(wrong)}`);
  console.log(state);
} finally {
  await close();
}
