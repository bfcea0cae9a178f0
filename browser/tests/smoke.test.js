// smoke.test.js: each game loads in headless Chromium, draws, takes input and ends on Escape.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const q = require("./quandrel_page");
const { keep, countColour, regionDiffers } = require("./screens");

const shared = site.browserForFile();

async function holdKey(page, key) {
  await page.keyboard.down(key);
  // Held across at least two ticks, as a player would.
  const ticks = await page.evaluate(() => window.webGame.count());
  await site.waitForCount(page, ticks + 3);
  await page.keyboard.up(key);
}

test("Quandrel: draws without key colour, places a cone by mouse, ends on Escape", async (t) => {
  const page = await site.openPage(shared.browser, "quandrel.html");
  t.after(() => keep(page, "quandrel").then(() => page.close()));
  await site.waitForState(page, "running");
  await site.waitForCount(page, 1); // the first frame: Quandrel draws again only after input
  assert.equal(await page.title(), "Quandrel");
  assert.equal(await page.evaluate(() => document.activeElement.id), "canvas");

  const first = await site.readScreen(page);
  assert.equal(first.width, 800);
  assert.equal(countColour(first, [255, 0, 255]), 0, "no magenta left on the screen");

  // Pick the first cone of the palette, then put it into the first slot of the bottom row.
  await q.click(page, ...q.places.palette(0));
  await q.click(page, ...q.places.slot(0, 0));
  await site.afterFrames(page);
  const placed = await site.readScreen(page);
  assert.ok(regionDiffers(first, placed, 320, 550, 32, 32), "the slot shows the cone");

  await page.keyboard.press("Escape");
  const game = await site.waitForState(page, "ended");
  assert.equal(game.exitStatus, 1);
  assert.match(await page.$eval("#overlay-text", (e) => e.textContent), /has ended/);
  assert.equal(await page.$eval("#overlay", (e) => e.hidden), false);
});

test("Drapple: starts on a key, draws without key colour, plays, ends on Escape", async (t) => {
  const page = await site.openPage(shared.browser, "drapple.html");
  t.after(() => keep(page, "drapple").then(() => page.close()));
  await site.waitForState(page, "waiting");
  await page.keyboard.press("Enter");
  await site.waitForState(page, "running");
  assert.equal(await page.evaluate(() => document.activeElement.id), "canvas");
  await site.waitForCount(page, 10);

  const title = await site.readScreen(page);
  assert.equal(title.width, 640);
  assert.equal(countColour(title, [0, 255, 0]), 0, "no green left on the title");

  // Z chooses Start; the game screen is drawn from other pictures.
  await holdKey(page, "z");
  const ticks = await page.evaluate(() => window.webGame.count());
  await site.waitForCount(page, ticks + 20);
  const playing = await site.readScreen(page);
  assert.ok(regionDiffers(title, playing, 0, 0, 640, 480), "the game screen replaced the title");
  assert.equal(countColour(playing, [0, 255, 0]), 0, "no green left in play");
  await holdKey(page, "ArrowLeft");
  await holdKey(page, "x");

  // Arrow keys and Space leave the page where it is.
  await holdKey(page, "ArrowDown");
  await holdKey(page, " ");
  assert.deepEqual(await page.evaluate(() => [window.scrollX, window.scrollY]), [0, 0]);

  // Keys are read from the held-key table each tick, so Escape is held, not just tapped.
  await page.keyboard.down("Escape");
  const game = await site.waitForState(page, "ended");
  await page.keyboard.up("Escape");
  assert.equal(game.exitStatus, 0);
  assert.equal(game.lastMessage, "正常終了");
  assert.match(await page.$eval("#overlay-text", (e) => e.textContent), /正常終了/);
});
