// web_bench.js: both games' pages in headless Chromium: what each page weighs as sent
// compressed (its worker and manifest too), how long from navigation to its first drawn frame on
// a first visit and on a repeat visit served by the offline worker, Drapple's ticks a second in
// play, and what Quandrel's page costs at rest (its main thread's busy time, from the DevTools
// protocol's Performance.getMetrics, and its canvas draws a second). Prints the figures; judges
// nothing.
//
//   ./web && node bench/web_bench.js
//
// BENCH_WEB_LOADS (default 11) sets how many loads each first-frame median is taken over,
// BENCH_WEB_SECONDS (default 10) how long the pace and the rest are counted for. The site comes from
// build-web/site/ (or WEB_SITE_DIR), served on 127.0.0.1 by browser/site_server.js.
"use strict";

const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const site = require("../browser/tests/site");
const { startSiteServer } = require("../browser/site_server");

const loads = Number(process.env.BENCH_WEB_LOADS || 11);
const paceSeconds = Number(process.env.BENCH_WEB_SECONDS || 10);
const games = ["quandrel", "drapple"];

// Runs in the page before its own scripts. Marks the first moment the canvas holds a picture: it
// is looked at right after each call back for a display frame, where both games draw. A Drapple
// page is started at once, as if a key were pressed the moment the page is there:
// webGame.start() before the game has loaded starts it as soon as it has.
function watchFirstFrame() {
  const seen = { firstFrame: null, running: null };
  window.benchSeen = seen;
  function look() {
    if (seen.firstFrame !== null) return;
    const canvas = document.getElementById("canvas");
    if (!canvas || !canvas.width) return;
    const copy = document.createElement("canvas");
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext("2d", { willReadFrequently: true });
    context.drawImage(canvas, 0, 0);
    const data = context.getImageData(0, 0, copy.width, copy.height).data;
    // Blank: one colour all over (a cleared or black canvas). Every 7th pixel is enough to tell.
    for (let i = 28; i < data.length; i += 28) {
      for (let c = 0; c < 4; c++) {
        if (data[i + c] !== data[c]) {
          seen.firstFrame = performance.now();
          return;
        }
      }
    }
  }
  const ask = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) =>
    ask((time) => {
      callback(time);
      look();
    });
  window.addEventListener("webgame", (event) => {
    if (event.detail.state === "running" && seen.running === null) seen.running = performance.now();
  });
  document.addEventListener("DOMContentLoaded", () => window.webGame && window.webGame.start());
}

let server = null; // the site on 127.0.0.1, where the offline worker works

// A fresh tab in a fresh browser context, nothing cached nor kept offline, on the page of
// `game`; it is closed with the context.
async function freshPage(browser, game) {
  const context = await browser.createBrowserContext();
  const page = await site.openServedPage(
    context,
    `${server.url}${game}.html`,
    undefined,
    `(${watchFirstFrame})(); (${site.countCanvasDraws})();`
  );
  page.closeAll = () => context.close();
  return page;
}

const fileSize = (name) => {
  const bytes = fs.readFileSync(path.join(site.siteDir, name));
  return { name, raw: bytes.length, gzip: zlib.gzipSync(bytes, { level: 9 }).length };
};

// Every file the page loaded (itself, its scripts, style, list of files, code and pictures), its
// worker, its manifest and its icon (the tab's, and the one Chromium takes from the manifest to
// offer the install), as sent compressed. The larger icons come with the offline copy.
async function pageWeight(browser, game) {
  const page = await freshPage(browser, game);
  await site.waitForState(page, "running");
  await site.waitForCount(page, 1); // Quandrel's first frame, Drapple's first tick
  const names = await page.evaluate(() => [
    location.pathname,
    ...performance.getEntriesByType("resource").map((entry) => new URL(entry.name).pathname),
  ]);
  await page.closeAll();
  const wanted = [
    ...names.map((name) => name.slice(1)),
    "sw.js",
    `${game}.webmanifest`,
    `${game}-192.png`,
  ];
  return [...new Set(wanted)].sort().map(fileSize);
}

// The whole site as the worker keeps it offline: downloaded once, after the first game starts.
function offlineCopy() {
  const list = JSON.parse(fs.readFileSync(path.join(site.siteDir, "files.json"))).files;
  return ["files.json", "sw.js", ...Object.keys(list)].map(fileSize);
}

async function waitForFirstFrame(page) {
  await page.waitForFunction(() => window.benchSeen.firstFrame !== null, {
    timeout: 30000,
    polling: 20,
  });
  return page.evaluate(() => window.benchSeen);
}

// One first visit (a new browser context: nothing cached): milliseconds from navigation to the
// game running and to its first drawn frame.
async function firstFrame(browser, game) {
  const page = await freshPage(browser, game);
  const seen = await waitForFirstFrame(page);
  await page.closeAll();
  return seen;
}

// The same on a repeat visit: a first visit leaves the site with the offline worker, its tab is
// closed, and a new tab opens the page, which the worker answers.
async function repeatFrame(browser, game) {
  const first = await freshPage(browser, game);
  await first.evaluate(() => navigator.serviceWorker.ready);
  const context = first.browserContext();
  await first.close();
  const page = await site.openServedPage(
    context,
    `${server.url}${game}.html`,
    undefined,
    watchFirstFrame
  );
  const seen = await waitForFirstFrame(page);
  const served = await page.evaluate(() => navigator.serviceWorker.controller !== null);
  await context.close();
  if (!served) throw new Error(`${game}: the repeat visit was not served by the worker`);
  return seen;
}

// Drapple's ticks a second over `seconds` of the page's own time, in play: Z on the title starts
// a game, whose piece then falls on its own.
async function pace(browser) {
  const page = await freshPage(browser, "drapple");
  await site.waitForState(page, "running");
  await site.waitForCount(page, 10);
  await page.keyboard.down("z");
  await site.waitForCount(page, (await page.evaluate(() => window.webGame.count())) + 4);
  await page.keyboard.up("z");
  const counted = await page.evaluate(async (seconds) => {
    const count0 = window.webGame.count();
    const time0 = performance.now();
    await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
    return { count: window.webGame.count() - count0, ms: performance.now() - time0 };
  }, paceSeconds);
  await page.closeAll();
  return (counted.count * 1000) / counted.ms;
}

// Quandrel's page at rest after its first frame: the share of the page's main thread busy with
// tasks, and the canvas draws a second, over `seconds`.
async function quandrelAtRest(browser) {
  const page = await freshPage(browser, "quandrel");
  await site.waitForState(page, "running");
  await site.waitForCount(page, 1);
  await site.afterFrames(page, 10); // past the first frame's own work
  const session = await page.target().createCDPSession();
  await session.send("Performance.enable");
  const busy = async () => {
    const { metrics } = await session.send("Performance.getMetrics");
    const value = (name) => metrics.find((metric) => metric.name === name).value;
    return { task: value("TaskDuration"), time: value("Timestamp") };
  };
  const draws0 = await page.evaluate(() => window.canvasDraws);
  const before = await busy();
  await new Promise((resolve) => setTimeout(resolve, paceSeconds * 1000));
  const after = await busy();
  const draws = (await page.evaluate(() => window.canvasDraws)) - draws0;
  await page.closeAll();
  const seconds = after.time - before.time;
  return { mainThread: (after.task - before.task) / seconds, drawsPerSecond: draws / seconds };
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const kB = (bytes) => (bytes / 1000).toFixed(1);
const ms = (value) => value.toFixed(0);

async function main() {
  if (!fs.existsSync(path.join(site.siteDir, "drapple.html")))
    throw new Error(`no site in ${site.siteDir}: build it with ./web`);
  server = await startSiteServer(site.siteDir);
  const browser = await site.launch();
  try {
    const version = await browser.version();
    console.log(`${version}, headless; ${loads} loads each, pace over ${paceSeconds} s\n`);

    console.log("Page weight, each file as sent gzip -9 (kB = 1000 bytes):\n");
    console.log("| game | file | bytes | gzip -9 |");
    console.log("|---|---|---:|---:|");
    const totals = {};
    for (const game of games) {
      const files = await pageWeight(browser, game);
      for (const file of files)
        console.log(`| ${game} | ${file.name} | ${file.raw} | ${kB(file.gzip)} kB |`);
      const raw = files.reduce((sum, file) => sum + file.raw, 0);
      const gzip = files.reduce((sum, file) => sum + file.gzip, 0);
      totals[game] = gzip;
      console.log(`| **${game}** | all ${files.length} files | ${raw} | **${kB(gzip)} kB** |`);
    }
    const copy = offlineCopy();
    const copyGzip = copy.reduce((sum, file) => sum + file.gzip, 0);
    const copyRaw = copy.reduce((sum, file) => sum + file.raw, 0);
    console.log(
      `| site | offline copy, all ${copy.length} files | ${copyRaw} | ${kB(copyGzip)} kB |`
    );

    const firstFrames = {};
    const repeatFrames = {};
    for (const game of games) firstFrames[game] = [];
    for (const game of games) repeatFrames[game] = [];
    // The games' loads taken in turn, so that a busy moment of the machine falls on both.
    for (let i = 0; i < loads; i++) {
      for (const game of games) firstFrames[game].push(await firstFrame(browser, game));
      for (const game of games) repeatFrames[game].push(await repeatFrame(browser, game));
    }

    const ticksPerSecond = await pace(browser);
    const rest = await quandrelAtRest(browser);

    console.log("\n| figure | value | target |");
    console.log("|---|---:|---|");
    for (const game of games)
      console.log(
        `| ${game}: page weight, gzip -9 | ${kB(totals[game])} kB | ${game === "drapple" ? "< 200 kB" : "< 300 kB"} |`
      );
    for (const game of games) {
      const runs = firstFrames[game];
      const first = runs.map((seen) => seen.firstFrame);
      const running = runs.map((seen) => seen.running);
      console.log(`| ${game}: navigation to running (median) | ${ms(median(running))} ms | - |`);
      console.log(
        `| ${game}: navigation to first frame (median; min-max) | ${ms(median(first))} ms ` +
          `(${ms(Math.min(...first))}-${ms(Math.max(...first))}) | < 1000 ms |`
      );
      const repeat = repeatFrames[game].map((seen) => seen.firstFrame);
      console.log(
        `| ${game}: repeat visit, from the worker, to first frame (median; min-max) | ` +
          `${ms(median(repeat))} ms (${ms(Math.min(...repeat))}-${ms(Math.max(...repeat))}) | < 200 ms |`
      );
    }
    console.log(
      `| quandrel: page at rest, main thread busy | ${(rest.mainThread * 100).toFixed(2)} % | <= 1 % |`
    );
    console.log(
      `| quandrel: page at rest, canvas draws a second | ${rest.drawsPerSecond.toFixed(1)} | 0 |`
    );
    console.log(`| drapple: ticks a second, in play | ${ticksPerSecond.toFixed(1)} | 62.5 |`);
  } finally {
    await browser.close();
    await server.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
