// pad.test.js: a game pad plays Drapple when one of its buttons started the game; a pad shown
// only later is offered a fresh start. The pad is the test's: navigator.getGamepads is replaced.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const { keep, regionDiffers } = require("./screens");

const shared = site.browserForFile();

// A standard pad that the browser shows only once `window.testPad.show()` has been called, as
// a browser does after the first button press.
function installPad() {
  const pad = {
    id: "Test pad",
    index: 0,
    connected: true,
    mapping: "standard",
    timestamp: 0,
    axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 16 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  let shown = false;
  navigator.getGamepads = () => (shown ? [pad, null, null, null] : [null, null, null, null]);
  window.testPad = {
    show() {
      shown = true;
      const event = new Event("gamepadconnected");
      event.gamepad = pad;
      window.dispatchEvent(event);
    },
    button(index, down) {
      pad.buttons[index] = { pressed: down, touched: down, value: down ? 1 : 0 };
      pad.timestamp++;
    },
  };
}

async function holdPadButton(page, index) {
  await page.evaluate((index) => window.testPad.button(index, true), index);
  const ticks = await page.evaluate(() => window.webGame.count());
  await site.waitForCount(page, ticks + 3);
  await page.evaluate((index) => window.testPad.button(index, false), index);
}

test("Drapple: a pad button starts the game, and the pad plays", async (t) => {
  const page = await site.openPage(shared.browser, "drapple.html", undefined, installPad);
  t.after(() => keep(page, "drapple-pad").then(() => page.close()));
  await site.waitForState(page, "waiting");
  await page.evaluate(() => {
    window.testPad.button(0, true);
    window.testPad.show();
  });
  const game = await site.waitForState(page, "running");
  assert.equal(game.padsAtStart, 1);
  assert.equal(await page.evaluate(() => document.activeElement.id), "canvas");
  await page.evaluate(() => window.testPad.button(0, false));
  await site.waitForCount(page, 10);
  const title = await site.readScreen(page);
  await holdPadButton(page, 1); // chooses Start
  await site.waitForCount(page, (await page.evaluate(() => window.webGame.count())) + 10);
  assert.ok(regionDiffers(title, await site.readScreen(page), 0, 0, 640, 480), "game screen");
  assert.equal(await page.$eval("#restart", (button) => button.hidden), true);
});

test("Drapple: a pad shown after the start is offered a fresh start", async (t) => {
  const page = await site.openPage(shared.browser, "drapple.html", undefined, installPad);
  t.after(() => keep(page, "drapple-pad-late").then(() => page.close()));
  await site.waitForState(page, "waiting");
  await page.keyboard.press("Enter");
  const game = await site.waitForState(page, "running");
  assert.equal(game.padsAtStart, 0);
  await page.evaluate(() => window.testPad.show());
  assert.equal(await page.$eval("#restart", (button) => button.hidden), false);
  assert.match(await page.$eval("#status", (line) => line.textContent), /start again/);
});
