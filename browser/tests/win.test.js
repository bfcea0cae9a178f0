// win.test.js: a round of Quandrel won in the page: the caption becomes the page's title, and
// the time also shows in the status line. On the test's clock the round's secret is known: the
// clock reads 0 when the round starts, and the game seeds its random numbers with it.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const { installClock } = require("./clock");
const { keep } = require("./screens");
const { secretOfSeed, click, places } = require("./quandrel_page");

const shared = site.browserForFile();

test("Quandrel: a won round's time is the page's title and shows in the status line", async (t) => {
  const page = await site.openPage(shared.browser, "quandrel.html", undefined, installClock);
  t.after(() => keep(page, "quandrel-win").then(() => page.close()));
  await site.waitForState(page, "running");
  const frame = () => page.evaluate(() => window.testClock.run(2, 1000 / 60));
  await frame();
  const secret = secretOfSeed(0);
  for (let slot = 0; slot < 4; slot++) {
    await click(page, ...places.palette(secret[slot]));
    await frame();
    await click(page, ...places.slot(0, slot));
    await frame();
  }
  await page.evaluate(() => window.testClock.run(90, 1000 / 60)); // a second and a half
  await page.keyboard.press("Enter");
  await frame();
  // (A page title collapses the caption's double space.)
  assert.match(await page.title(), /^Your time: 0 : 1 : \d+$/);
  assert.equal(await page.$eval("#status", (line) => line.textContent), await page.title());
});
