// loading.test.js: a game file that cannot be had never leaves a page hanging. Each file of each
// game is refused (404, 500) or cut off halfway, or the site is gone altogether: the page says
// so in plain words within seconds, with the detail below, and its Try again then loads the game,
// which plays. A browser without WebAssembly is told so. A real server on 127.0.0.1 does the
// refusing; every case has a private browser context of its own, so no worker of another case
// answers for the server.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const { keep } = require("./screens");
const { startSiteServer } = require("../site_server");

const shared = site.browserForFile();

const games = [
  // page name   title       state once loaded
  ["quandrel", "Quandrel", "running"],
  ["drapple", "Drapple", "waiting"],
];
const failures = ["404", "drop"];
const kinds = ["js", "wasm", "data"];

// A failure shows within seconds: every one of these is an answer, not a silence.
const failsWithin = 10000;

async function openInContext(t, url, name, prepare = null) {
  const context = await shared.browser.createBrowserContext();
  const page = await site.openServedPage(context, url, undefined, prepare);
  t.after(() => keep(page, name).then(() => context.close()));
  return page;
}

// What the page shows the player once it has failed.
async function failureShown(page) {
  const game = await site.waitForState(page, "failed", failsWithin);
  const shown = await page.evaluate(() => ({
    message: document.getElementById("overlay-text").textContent,
    details: document.getElementById("details").textContent,
    status: document.getElementById("status").textContent,
    retry: !document.getElementById("retry").hidden,
    overlay: !document.getElementById("overlay").hidden,
  }));
  return { game, ...shown };
}

// The game loaded after the failure plays: Quandrel draws its first frame and another when the
// pointer moves; Drapple starts on a key and runs its ticks.
async function playsAfterRetry(page, state) {
  await page.click("#retry");
  await site.waitForState(page, state);
  if (state === "waiting") {
    await page.keyboard.press("Enter");
    await site.waitForState(page, "running");
    await site.waitForCount(page, 10);
    return;
  }
  await site.waitForCount(page, 1);
  const point = await site.pagePoint(page, 400, 300);
  await page.mouse.move(point.x, point.y);
  await site.waitForCount(page, 2);
}

for (const [game, title, state] of games) {
  for (const kind of kinds) {
    for (const failure of failures) {
      const file = `${game}.${kind}`;
      test(`${title}: ${file} ${failure === "drop" ? "cut off halfway" : "answered " + failure}`, async (t) => {
        const server = await startSiteServer(site.siteDir);
        t.after(() => server.close());
        server.setFault((name) => (name === file ? failure : null));
        const page = await openInContext(
          t,
          server.url + `${game}.html`,
          `loading-${file}-${failure}`
        );

        const shown = await failureShown(page);
        assert.equal(shown.message, `${title} could not be downloaded. Check the connection.`);
        assert.equal(shown.status, shown.message);
        assert.ok(
          shown.details.startsWith(file + ":"),
          `the detail names the file: ${shown.details}`
        );
        assert.ok(shown.retry && shown.overlay, "Try again, over the screen");
        assert.equal(shown.game.failure, shown.details);

        server.setFault(null);
        await playsAfterRetry(page, state);
        assert.equal(await page.$eval("#overlay", (overlay) => overlay.hidden), true);
      });
    }
  }
}

test("Quandrel: a server error, then the server gone altogether, each tried again", async (t) => {
  const server = await startSiteServer(site.siteDir);
  server.setFault((name) => (name === "files.json" ? "500" : null));
  const page = await openInContext(t, server.url + "quandrel.html", "loading-500-gone");
  const error = await failureShown(page);
  assert.equal(error.details, "files.json: the server answered 500");

  // With nothing stored and no server, the try fails the same way.
  await server.close();
  await page.click("#retry");
  const gone = await failureShown(page);
  assert.equal(gone.message, "Quandrel could not be downloaded. Check the connection.");
  assert.match(gone.details, /^files\.json: /);

  const again = await startSiteServer(site.siteDir, new URL(server.url).port);
  t.after(() => again.close());
  await playsAfterRetry(page, "running");
});

test("Drapple in a browser without WebAssembly: told so, nothing downloaded", async (t) => {
  const server = await startSiteServer(site.siteDir);
  t.after(() => server.close());
  const page = await openInContext(t, server.url + "drapple.html", "loading-no-wasm", () => {
    delete window.WebAssembly;
  });
  const shown = await failureShown(page);
  assert.match(shown.message, /^This browser cannot play Drapple: it does not run WebAssembly\./);
  assert.equal(shown.retry, false, "no Try again: trying again cannot help");
  assert.deepEqual(
    server.requests.filter((name) => /\.(js|wasm|data)$/.test(name) && name.includes("drapple")),
    [],
    "the game's files were not downloaded"
  );
});
