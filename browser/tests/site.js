// site.js: headless Chromium with the built site, served from the folder without a network port.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

// The site's folder (./web builds it), and the made-up address the browser asks it under.
const siteDir = process.env.WEB_SITE_DIR || path.resolve(__dirname, "../../build-web/site");
const origin = "http://games.invalid";

const contentTypes = require("../content_types");

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "games-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    userDataDir: profile,
    args: [
      "--no-sandbox",
      "--headless=new",
      "--disable-gpu",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--no-first-run",
    ],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// One browser for all the tests of a file: started before the first, closed after the last.
// The tests open their pages in `shared.browser`.
function browserForFile() {
  const { before, after } = require("node:test");
  const shared = { browser: null };
  before(async () => {
    shared.browser = await launch();
  });
  after(async () => {
    if (shared.browser) await shared.browser.close();
  });
  return shared;
}

// Answers every request for the made-up address from the site's folder; anything else fails.
async function serveSite(page) {
  await page.setRequestInterception(true);
  page.on("request", (request) => {
    const url = new URL(request.url());
    if (url.origin !== origin) return request.abort();
    const file = path.join(siteDir, path.normalize(decodeURIComponent(url.pathname)));
    if (!file.startsWith(siteDir + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile())
      return request.respond({ status: 404, contentType: "text/plain", body: "not found" });
    request.respond({
      status: 200,
      contentType: contentTypes[path.extname(file)] || "application/octet-stream",
      body: fs.readFileSync(file),
    });
  });
}

// A fresh tab that keeps its console in `page.consoleLog`, and in `page.failedRequests` every
// request that failed or was refused (status 400 or more). `prepare`, if given, runs in each
// page it opens before any of the page's own scripts.
async function newTab(browser, viewport = { width: 1280, height: 800 }, prepare = null) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  if (prepare) await page.evaluateOnNewDocument(prepare);
  page.consoleLog = [];
  page.failedRequests = [];
  page.on("console", (message) => page.consoleLog.push(message.text()));
  page.on("pageerror", (error) => page.consoleLog.push("page error: " + error.message));
  page.on("requestfailed", (request) =>
    page.failedRequests.push(`${request.url()}: ${request.failure().errorText}`)
  );
  page.on("response", (response) => {
    if (response.status() >= 400) page.failedRequests.push(`${response.url()}: ${response.status()}`);
  });
  return page;
}

// Opens one page of the site ("drapple.html?open=colourKey") in a fresh tab, answered from the
// site's folder without a server.
async function openPage(browser, name, viewport = undefined, prepare = null) {
  const page = await newTab(browser, viewport, prepare);
  await serveSite(page);
  await page.goto(`${origin}/${name}`, { waitUntil: "load" });
  return page;
}

// Opens `url` in a fresh tab, from a real server (site_server.js): the way for the offline
// worker, which needs a secure context such as 127.0.0.1.
async function openServedPage(browser, url, viewport = undefined, prepare = null) {
  const page = await newTab(browser, viewport, prepare);
  await page.goto(url, { waitUntil: "load" });
  return page;
}

// A canvas of the page as { width, height, data } (RGBA bytes): the game's screen, or with a
// name ("/gfx/gui.bmp") a picture the page preloaded, as the browser decoded it.
async function readCanvas(page, preloadedName = null) {
  const { width, height, bytes } = await page.evaluate((name) => {
    const source = name ? Module.preloadedImages[name] : document.getElementById("canvas");
    const copy = document.createElement("canvas");
    copy.width = source.width;
    copy.height = source.height;
    copy.getContext("2d").drawImage(source, 0, 0);
    const pixels = copy.getContext("2d").getImageData(0, 0, copy.width, copy.height).data;
    let text = "";
    for (let i = 0; i < pixels.length; i += 8192)
      text += String.fromCharCode.apply(null, pixels.subarray(i, i + 8192));
    return { width: copy.width, height: copy.height, bytes: btoa(text) };
  }, preloadedName);
  return { width, height, data: Buffer.from(bytes, "base64") };
}

// The game's screen as the canvas holds it.
function readScreen(page) {
  return readCanvas(page);
}

// Where a point of the game's screen is on the page, for clicks and taps.
async function pagePoint(page, x, y) {
  return page.evaluate(
    (x, y) => {
      const canvas = document.getElementById("canvas");
      const box = canvas.getBoundingClientRect();
      return {
        x: box.left + ((x + 0.5) * box.width) / canvas.width,
        y: box.top + ((y + 0.5) * box.height) / canvas.height,
      };
    },
    x,
    y
  );
}

// Waits look every 20 ms, on the page's timers: some tests replace its display frames, which
// Puppeteer would otherwise wait on.
const polling = 20;

// Waits until the page's game is in `state` (webGame.state), and returns webGame's fields.
async function waitForState(page, state, timeout = 20000) {
  await page.waitForFunction(
    (state) => window.webGame && window.webGame.state === state,
    { timeout, polling },
    state
  );
  return page.evaluate(() => JSON.parse(JSON.stringify(window.webGame)));
}

// Waits until the game's count (Drapple's ticks, Quandrel's frames) has reached `count`.
async function waitForCount(page, count, timeout = 20000) {
  await page.waitForFunction((count) => window.webGame.count() >= count, { timeout, polling }, count);
}

// Runs in a page before its own scripts (see openPage's `prepare`): counts every draw on any
// canvas of the page in window.canvasDraws.
function countCanvasDraws() {
  window.canvasDraws = 0;
  const context = CanvasRenderingContext2D.prototype;
  for (const name of ["putImageData", "drawImage", "fillRect", "clearRect"]) {
    const draw = context[name];
    context[name] = function (...args) {
      window.canvasDraws++;
      return draw.apply(this, args);
    };
  }
}

// Waits until the page has shown `count` more display frames. Quandrel handles all the input that
// waits, and draws what it changed, in the first frame after it: input given before this call has
// been handled, and is on the screen, once it returns.
async function afterFrames(page, count = 2) {
  await page.evaluate(
    (count) =>
      new Promise((resolve) => {
        const step = () => (--count > 0 ? requestAnimationFrame(step) : resolve());
        requestAnimationFrame(step);
      }),
    count
  );
}

module.exports = {
  launch,
  browserForFile,
  openPage,
  openServedPage,
  readCanvas,
  readScreen,
  pagePoint,
  waitForState,
  waitForCount,
  afterFrames,
  countCanvasDraws,
  siteDir,
  origin,
};
