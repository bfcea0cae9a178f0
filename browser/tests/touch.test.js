// touch.test.js: both games played by touch, and Quandrel's tap without the motion fix.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const q = require("./quandrel_page");
const { keep, regionDiffers } = require("./screens");

// A phone held sideways.
const phone = { width: 844, height: 390, hasTouch: true, isMobile: true, deviceScaleFactor: 1 };

const shared = site.browserForFile();

async function tap(page, x, y) {
  const point = await site.pagePoint(page, x, y);
  await page.touchscreen.tap(point.x, point.y);
  await site.afterFrames(page);
}

// The die of the current row, right of its slots: it moves up a row when a row is checked.
const dieOfRow = (row) => [520, 550 - 60 * row + 1, 32, 30];

async function checkByTap(page) {
  await page.keyboard.press("r"); // a random row, ready to check
  await site.afterFrames(page);
  const before = await site.readScreen(page);
  await tap(page, ...q.places.check);
  const after = await site.readScreen(page);
  return regionDiffers(before, after, ...dieOfRow(1));
}

test("Quandrel by touch: a tap picks a cone, a tap places it, a tap on Check checks", async (t) => {
  const page = await site.openPage(shared.browser, "quandrel.html", phone);
  t.after(() => keep(page, "quandrel-touch").then(() => page.close()));
  await site.waitForState(page, "running");
  await site.waitForCount(page, 1); // the first frame
  const first = await site.readScreen(page);
  await tap(page, ...q.places.palette(0));
  await tap(page, ...q.places.slot(0, 0));
  assert.ok(regionDiffers(first, await site.readScreen(page), 320, 550, 32, 32), "cone placed");
  assert.ok(await checkByTap(page), "the next row became current");
});

test("Quandrel by touch without the motion fix: a tap on Check is lost", async (t) => {
  const page = await site.openPage(shared.browser, "quandrel.html?open=touchMotion", phone);
  t.after(() => keep(page, "quandrel-touch-open").then(() => page.close()));
  await site.waitForState(page, "running");
  await site.waitForCount(page, 1); // the first frame
  assert.equal(await checkByTap(page), false);
});

test("Drapple by touch: a tap starts, held buttons choose Start and quit", async (t) => {
  const page = await site.openPage(shared.browser, "drapple.html", phone);
  t.after(() => keep(page, "drapple-touch").then(() => page.close()));
  await site.waitForState(page, "waiting");
  const overlay = await page.$("#overlay");
  const box = await overlay.boundingBox();
  await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  await site.waitForState(page, "running");
  await site.waitForCount(page, 10);
  const title = await site.readScreen(page);

  // Held until `done` holds, or for a few ticks.
  async function hold(label, done = () => null) {
    const button = await page.$(`button[aria-label="${label}"]`);
    const spot = await button.boundingBox();
    await page.touchscreen.touchStart(spot.x + spot.width / 2, spot.y + spot.height / 2);
    const ticks = await page.evaluate(() => window.webGame.count());
    const result = await done();
    if (!result) await site.waitForCount(page, ticks + 3);
    await page.touchscreen.touchEnd();
    return result;
  }
  await hold("Turn left");
  await site.waitForCount(page, (await page.evaluate(() => window.webGame.count())) + 10);
  assert.ok(regionDiffers(title, await site.readScreen(page), 0, 0, 640, 480), "game screen");
  const game = await hold("Quit", () => site.waitForState(page, "ended"));
  assert.equal(game.exitStatus, 0);
  assert.equal(game.lastMessage, "正常終了");
});
