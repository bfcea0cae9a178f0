// a11y.test.js: axe-core finds no violation of WCAG 2.1 A or AA on the front page or on either
// game page, in each of the game's states (waiting, running, ended, failed), on a desktop and on
// a phone held sideways.
"use strict";

const assert = require("node:assert/strict");
const fs = require("fs");
const { test } = require("node:test");
const site = require("./site");
const { keep } = require("./screens");
const { startSiteServer } = require("../site_server");

const shared = site.browserForFile();
const axeSource = fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");
const wcag21 = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"];

const views = {
  desktop: { width: 1280, height: 800 },
  phone: { width: 844, height: 390, hasTouch: true, isMobile: true, deviceScaleFactor: 1 },
};

// axe's violations on the page as it stands: each rule with the elements that break it.
async function violations(page) {
  if (!(await page.evaluate(() => "axe" in window))) await page.evaluate(axeSource);
  return page.evaluate(async (tags) => {
    const results = await window.axe.run(document, { runOnly: { type: "tag", values: tags } });
    return results.violations.map(
      (rule) => `${rule.id}: ${rule.nodes.map((node) => node.target).join(", ")}`
    );
  }, wcag21);
}

async function expectNone(page, where) {
  assert.deepEqual(await violations(page), [], where);
}

// Each game through its states. Columns: page, the states in order and how each is reached.
const holdEscape = async (page) => {
  await page.keyboard.down("Escape");
  await site.waitForState(page, "ended");
  await page.keyboard.up("Escape");
};
const journeys = [
  [
    "quandrel.html",
    [
      ["running", null],
      ["ended", (page) => page.keyboard.press("Escape")],
    ],
  ],
  [
    "drapple.html",
    [
      ["waiting", null],
      ["running", (page) => page.keyboard.press("Enter")],
      ["ended", holdEscape],
    ],
  ],
];

for (const [view, viewport] of Object.entries(views)) {
  test(`the front page, on a ${view}`, async (t) => {
    const page = await site.openPage(shared.browser, "index.html", viewport);
    t.after(() => keep(page, `a11y-index-${view}`).then(() => page.close()));
    await expectNone(page, "index.html");
  });

  for (const [name, states] of journeys) {
    test(`${name} in each state, on a ${view}`, async (t) => {
      const page = await site.openPage(shared.browser, name, viewport);
      t.after(() => keep(page, `a11y-${name}-${view}`).then(() => page.close()));
      for (const [state, reach] of states) {
        if (reach) await reach(page);
        await site.waitForState(page, state);
        await expectNone(page, `${name}, ${state}`);
      }
    });
  }

  test(`a game page that failed to load, on a ${view}`, async (t) => {
    const server = await startSiteServer(site.siteDir);
    server.setFault((file) => (file === "drapple.wasm" ? "404" : null));
    const context = await shared.browser.createBrowserContext();
    const page = await site.openServedPage(context, server.url + "drapple.html", viewport);
    t.after(async () => {
      await keep(page, `a11y-failed-${view}`);
      await context.close();
      await server.close();
    });
    await site.waitForState(page, "failed");
    await expectNone(page, "drapple.html, failed");
  });
}
