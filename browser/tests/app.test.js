// app.test.js: the site as apps a player keeps, from a real server on 127.0.0.1 (the offline
// worker needs a secure context): every page loads without a failed request, each game page is
// an app of its own that Chromium would install, and after one visit the front page and both
// games open and play to their end with the server gone.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const q = require("./quandrel_page");
const { installClock } = require("./clock");
const drapplePlay = require("./drapple_play");
const { startSiteServer } = require("../site_server");

const shared = site.browserForFile();

// Each page, the state its game settles in, and its app (the front page is none).
const pages = [
  // page            state       app name    short name
  ["index.html", null, null, null],
  ["quandrel.html", "running", "Quandrel", "Quandrel"],
  ["drapple.html", "waiting", "Drapple", "Drapple"],
];

// The manifest's icons as the browser decodes them: size and the top left pixel's opacity.
function iconsAsDrawn(page, icons) {
  return page.evaluate(
    (icons) =>
      Promise.all(
        icons.map(async (icon) => {
          const bitmap = await createImageBitmap(await (await fetch(icon.src)).blob());
          const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
          const context = canvas.getContext("2d");
          context.drawImage(bitmap, 0, 0);
          const cornerAlpha = context.getImageData(0, 0, 1, 1).data[3];
          return { ...icon, size: `${bitmap.width}x${bitmap.height}`, cornerAlpha };
        })
      ),
    icons
  );
}

// The worker has stored the site and answers for it.
async function waitForOfflineWorker(page) {
  return page.evaluate(async () => {
    const registration = await navigator.serviceWorker.ready;
    const names = await caches.keys();
    const stored = names.length === 1 ? (await (await caches.open(names[0])).keys()).length : 0;
    return { scope: registration.scope, caches: names, stored };
  });
}

const siteFileCount = () => Object.keys(require(`${site.siteDir}/files.json`).files).length + 1;

test("every page loads without a failed request; each game page is an app of its own", async (t) => {
  const server = await startSiteServer(site.siteDir);
  t.after(() => server.close());
  const appIds = new Set();
  // The browser's default profile, not a private one: only there does Chromium install apps.
  for (const [name, state, appName, shortName] of pages) {
    const page = await site.openServedPage(shared.browser, server.url + name);
    t.after(() => q.keepAndClose(page, `app-${name}`));
    if (state) await site.waitForState(page, state);
    const offline = await waitForOfflineWorker(page);
    assert.equal(offline.scope, server.url);
    assert.equal(offline.stored, siteFileCount(), `${name}: the worker keeps every file`);
    assert.deepEqual(page.failedRequests, [], `${name}: failed requests`);
    if (!appName) continue;

    const devtools = await page.createCDPSession();
    const { installabilityErrors } = await devtools.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, [], `${name}: installability`);
    const manifest = await devtools.send("Page.getAppManifest");
    assert.deepEqual(manifest.errors, [], `${name}: manifest errors`);
    const parsed = JSON.parse(manifest.data);
    assert.equal(parsed.name, appName);
    assert.equal(parsed.short_name, shortName);
    const purposes = parsed.icons.map((icon) => `${icon.sizes} ${icon.purpose}`);
    for (const wanted of ["192x192 any", "512x512 any", "512x512 maskable"])
      assert.ok(purposes.includes(wanted), `${name}: a ${wanted} icon`);
    // Each icon has the size it claims; a maskable one fills its square to the corners, for the
    // system to cut to its shape, and the others are rounded tiles with clear corners.
    for (const icon of await iconsAsDrawn(page, parsed.icons)) {
      assert.equal(icon.size, icon.sizes, `${icon.src}: its size`);
      assert.equal(icon.cornerAlpha, icon.purpose === "maskable" ? 255 : 0, `${icon.src}: corner`);
    }
    const { appId } = await devtools.send("Page.getAppId");
    appIds.add(appId);
  }
  assert.equal(appIds.size, 2, "two apps, one for each game");
});

// Quandrel to the end of a round, on the test's clock: rows filled at random (r) and checked
// (Return) until the end panel shows; its No ends the game.
async function playQuandrelToTheEnd(page) {
  const gui = await q.readPicture(page, "/gfx/gui.bmp");
  const panelShown = (screen) => q.pictureShown(screen, gui, q.panelPictures.again);
  for (let row = 0; row < 10; row++) {
    for (const key of ["r", "Enter"]) {
      await page.keyboard.press(key);
      await q.frame(page);
    }
    await q.frame(page);
    if (panelShown(await site.readScreen(page))) break;
  }
  assert.ok(panelShown(await site.readScreen(page)), "the round's end panel");
  await q.click(page, ...q.places.leave);
  await q.frame(page);
  return site.waitForState(page, "ended");
}

test("after one visit, with the server gone, the front page opens and both games play to their end", async (t) => {
  const server = await startSiteServer(site.siteDir);
  t.after(() => server.close());
  const context = await shared.browser.createBrowserContext();
  const opened = [];
  t.after(async () => {
    for (const [page, name] of opened) await q.keepAndClose(page, name);
    await context.close();
  });

  const visit = await site.openServedPage(context, server.url);
  await waitForOfflineWorker(visit);
  await visit.close();
  await server.close();

  const front = await site.openServedPage(context, server.url);
  opened.push([front, "offline-front"]);
  assert.equal(await front.title(), "Quandrel and Drapple");
  assert.equal(await front.$$eval(".play", (links) => links.length), 2);

  // A game page on the test's clock, kept for the test's output.
  const openGame = async (name, state) => {
    const page = await site.openServedPage(context, server.url + name, undefined, installClock);
    opened.push([page, `offline-${name}`]);
    await site.waitForState(page, state);
    return page;
  };
  const quandrel = await openGame("quandrel.html", "running");
  const quandrelEnd = await playQuandrelToTheEnd(quandrel);
  assert.equal(quandrelEnd.exitStatus, 1);

  const drapple = await openGame("drapple.html", "waiting");
  const drappleEnd = await drapplePlay.playToTheEnd(drapple, drapplePlay.byKeys(drapple));
  assert.equal(drappleEnd.exitStatus, 0);
  assert.deepEqual(drappleEnd.messages, ["正常終了"]);

  // Every request was answered, by the worker: the server is gone.
  for (const page of [front, quandrel, drapple])
    assert.deepEqual(page.failedRequests, [], `${page.url()}: failed requests`);
});
