// update.test.js: a new build published to a returning player. The test makes build 2 from the
// built site by marking each game file (a line at the end of each .js, a section in each .wasm,
// bytes after each .data) and listing it anew, as the build does. A game in progress goes on in
// build 1 and the page says a new version is ready; the next opening runs build 2, all of it;
// and then the only cache holds build 2's files, no stale copy. A site half published is never
// run as a mix.
"use strict";

const assert = require("node:assert/strict");
const crypto = require("crypto");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { test } = require("node:test");
const site = require("./site");
const { keep } = require("./screens");
const { startSiteServer } = require("../site_server");
const { writeSiteFiles } = require("../site_files");

const shared = site.browserForFile();
const games = ["quandrel", "drapple"];

// A WebAssembly custom section named "build" holding `text`: allowed at the end of any module,
// and ignored by it.
function buildSection(text) {
  const name = Buffer.from("build");
  const payload = Buffer.concat([Buffer.from([name.length]), name, Buffer.from(text)]);
  assert.ok(payload.length < 128, "one byte of length");
  return Buffer.concat([Buffer.from([0, payload.length]), payload]);
}

// Build 2: the built site with every game file marked, listed anew.
function secondBuild(folder) {
  fs.cpSync(site.siteDir, folder, { recursive: true });
  for (const game of games) {
    fs.appendFileSync(path.join(folder, `${game}.js`), '\nwindow.siteBuildMark = "2";\n');
    fs.appendFileSync(path.join(folder, `${game}.wasm`), buildSection("2"));
    fs.appendFileSync(path.join(folder, `${game}.data`), "build 2");
  }
  writeSiteFiles(folder);
  return folder;
}

const sha256 = (bytes) => crypto.createHash("sha256").update(bytes).digest("hex");

// Every file the worker of the build in `folder` keeps, with its hash: all but the worker.
function storedFiles(folder) {
  const files = {};
  for (const name of fs.readdirSync(folder).sort())
    if (name !== "sw.js") files[name] = sha256(fs.readFileSync(path.join(folder, name)));
  return files;
}

const folders = {};
test.before(() => {
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "games-update-"));
  folders.scratch = scratch;
  folders.one = site.siteDir;
  folders.two = secondBuild(path.join(scratch, "two"));
});
test.after(() => fs.rmSync(folders.scratch, { recursive: true, force: true }));

// The page's evaluation, tried again while the page opens anew (its context is replaced).
async function evaluateWhenOpen(page, fn, ...args) {
  for (let tries = 0; ; tries++) {
    try {
      return await page.evaluate(fn, ...args);
    } catch (error) {
      if (tries > 100 || !/context|navigat|Target closed/i.test(error.message)) throw error;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
}

// Runs in every page the tests open, before its own scripts: a SHA-256 in hex, as files.json has.
function installHasher() {
  window.testSha256 = async (buffer) =>
    Array.from(new Uint8Array(await crypto.subtle.digest("SHA-256", buffer)), (byte) =>
      byte.toString(16).padStart(2, "0")
    ).join("");
}

// A page of the site in `context`, able to hash what it holds.
const openWithHasher = (context, url) =>
  site.openServedPage(context, url, undefined, installHasher);

// Which build the running game came from: its script's mark, and the hashes of the code and
// pictures it was handed.
async function buildRun(page) {
  return evaluateWhenOpen(page, async () => {
    return {
      mark: window.siteBuildMark || null,
      wasm: await window.testSha256(Module.wasmBinary),
      data: await window.testSha256(Module.getPreloadedPackage()),
    };
  });
}

function expectBuild(seen, game, folder, mark) {
  const files = storedFiles(folder);
  assert.deepEqual(seen, { mark, wasm: files[`${game}.wasm`], data: files[`${game}.data`] });
}

// Every cache of the site: its name, and each file's name and hash.
async function cachedFiles(page) {
  return evaluateWhenOpen(page, async () => {
    const all = {};
    for (const name of await caches.keys()) {
      const cache = await caches.open(name);
      const files = {};
      for (const request of await cache.keys()) {
        const response = await cache.match(request);
        const bytes = await response.arrayBuffer();
        files[new URL(request.url).pathname.slice(1)] = await window.testSha256(bytes);
      }
      all[name] = files;
    }
    return all;
  });
}

function expectOnlyCache(cached, folder) {
  const version = JSON.parse(fs.readFileSync(path.join(folder, "files.json"))).version;
  assert.deepEqual(cached, { [`games-${version}`]: storedFiles(folder) });
}

async function waitForState(page, state) {
  await evaluateWhenOpen(page, () => true);
  return site.waitForState(page, state);
}

async function workerReady(page) {
  return page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
}

async function findNewBuild(page) {
  await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
  await page.waitForFunction(() => window.webGame.newBuild, { timeout: 20000, polling: 50 });
}

test("Drapple in play when build 2 comes: it goes on in build 1; Play again opens build 2 whole", async (t) => {
  const server = await startSiteServer(folders.one);
  const context = await shared.browser.createBrowserContext();
  const page = await openWithHasher(context, server.url + "drapple.html");
  t.after(async () => {
    await keep(page, "update-in-play");
    await context.close();
    await server.close();
  });
  await site.waitForState(page, "waiting");
  await page.keyboard.press("Enter");
  await site.waitForState(page, "running");
  await workerReady(page);
  expectOnlyCache(await cachedFiles(page), folders.one);

  server.setRoot(folders.two);
  await findNewBuild(page);
  const notice = await page.$eval("#notice", (note) => (note.hidden ? "" : note.textContent));
  assert.equal(
    notice,
    "A new version of Drapple is ready: it starts the next time the game opens."
  );
  const ticks = await page.evaluate(() => window.webGame.count());
  await site.waitForCount(page, ticks + 30);
  assert.equal(await page.evaluate(() => window.webGame.state), "running", "the game goes on");
  expectBuild(await buildRun(page), "drapple", folders.one, null);

  await page.keyboard.down("Escape");
  await site.waitForState(page, "ended");
  await page.keyboard.up("Escape");
  await page.click("#again");
  await evaluateWhenOpen(page, () => {
    if (window.siteBuildMark !== "2") throw new Error("context: still build 1");
  });
  await waitForState(page, "waiting");
  expectBuild(await buildRun(page), "drapple", folders.two, "2");
  expectOnlyCache(await cachedFiles(page), folders.two);
  assert.deepEqual(page.failedRequests, []);
});

test("Quandrel's player comes back twice after build 2: build 1 while it is stored, then build 2", async (t) => {
  const server = await startSiteServer(folders.one);
  const context = await shared.browser.createBrowserContext();
  let last = null; // the page still open when the test ends
  t.after(async () => {
    if (last) await keep(last, "update-visit-3");
    await context.close();
    await server.close();
  });
  const open = async () => {
    const page = await openWithHasher(context, server.url + "quandrel.html");
    await waitForState(page, "running");
    return page;
  };
  const close = async (page, name) => {
    await keep(page, name);
    await page.close();
  };

  const first = await open();
  await workerReady(first);
  await close(first, "update-visit-1");

  server.setRoot(folders.two);
  const second = await open();
  expectBuild(await buildRun(second), "quandrel", folders.one, null);
  await findNewBuild(second);
  await close(second, "update-visit-2");

  const third = (last = await open());
  await evaluateWhenOpen(third, () => {
    if (window.siteBuildMark !== "2") throw new Error("context: still build 1");
  });
  await waitForState(third, "running");
  expectBuild(await buildRun(third), "quandrel", folders.two, "2");
  expectOnlyCache(await cachedFiles(third), folders.two);
});

// A site half published: build 2's list with another drapple.wasm, as a server may send while
// the files are being copied. Columns: what the other file is, how it is made, the detail shown.
const buildOnesWasm = (file) => fs.copyFileSync(path.join(folders.one, "drapple.wasm"), file);
const oneByteChanged = (file) => {
  const bytes = fs.readFileSync(file);
  bytes[100] ^= 1;
  fs.writeFileSync(file, bytes);
};
const halfPublished = [
  // other file               made by          detail
  ["build 1's", buildOnesWasm, /^drapple\.wasm: \d+ bytes came, where this build's has \d+$/],
  ["one of the same size", oneByteChanged, /^drapple\.wasm: not the file of this build/],
];

for (const [other, make, detail] of halfPublished) {
  const name = `a site half published (build 2, ${other} drapple.wasm) is not run; Try again runs build 2`;
  test(name, async (t) => {
    const half = fs.mkdtempSync(path.join(folders.scratch, "half-"));
    fs.cpSync(folders.two, half, { recursive: true });
    make(path.join(half, "drapple.wasm"));
    const server = await startSiteServer(half);
    const context = await shared.browser.createBrowserContext();
    const page = await openWithHasher(context, server.url + "drapple.html");
    t.after(async () => {
      await keep(page, `update-half-published-${path.basename(half)}`);
      await context.close();
      await server.close();
    });
    await site.waitForState(page, "failed");
    assert.match(await page.$eval("#details", (details) => details.textContent), detail);
    assert.equal(await page.evaluate(() => window.siteBuildMark || null), null, "no script ran");

    server.setRoot(folders.two);
    await page.click("#retry");
    await site.waitForState(page, "waiting");
    expectBuild(await buildRun(page), "drapple", folders.two, "2");
  });
}
