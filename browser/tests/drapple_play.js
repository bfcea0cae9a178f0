// drapple_play.js: Drapple played through a whole game on the test's clock (clock.js), with the
// keys or with the page's touch buttons alone: started, every piece dropped until the well is
// full, the result screen, the title again, and Quit there.
"use strict";

const assert = require("node:assert/strict");
const site = require("./site");
const { installView } = require("./drapple_view");

// What the player holds, by key and by the touch button of that name.
const controls = {
  turn: { key: "z", button: "Turn left" },
  down: { key: "ArrowDown", button: "Down" },
  quit: { key: "Escape", button: "Quit" },
};

const byKeys = (page) => ({
  start: () => page.keyboard.press("Enter"),
  hold: (control) => page.keyboard.down(controls[control].key),
  release: (control) => page.keyboard.up(controls[control].key),
});

// One finger: a tap on the screen starts, a button is held by a finger that stays on it.
async function middleOf(page, selector) {
  const box = await (await page.$(selector)).boundingBox();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}
const byTouch = (page) => ({
  start: async () => {
    const spot = await middleOf(page, "#overlay");
    await page.touchscreen.tap(spot.x, spot.y);
  },
  hold: async (control) => {
    const spot = await middleOf(page, `button[aria-label="${controls[control].button}"]`);
    await page.touchscreen.touchStart(spot.x, spot.y);
  },
  release: () => page.touchscreen.touchEnd(),
});

// Runs ticks 50 at a time until `done(look)` holds, within `limit` ticks.
async function runUntil(page, what, done, limit) {
  for (let ticks = 0; ticks < limit; ticks += 50) {
    const seen = await page.evaluate(() => {
      window.testClock.run(50, 16);
      return window.drappleView.look();
    });
    if (done(seen)) return seen;
  }
  assert.fail(`no ${what} within ${limit} ticks`);
}

// Plays a waiting Drapple page to its end with `player` (byKeys or byTouch); returns webGame.
async function playToTheEnd(page, player) {
  await player.start();
  await site.waitForState(page, "running");
  await page.evaluate(installView);
  await runUntil(page, "title", (seen) => seen.screen === "title", 200);
  await player.hold("turn");
  await runUntil(page, "game", (seen) => seen.screen === "game", 200);
  await player.release("turn");
  await player.hold("down");
  await runUntil(page, "result", (seen) => seen.screen === "result", 4000);
  await player.release("down");
  await runUntil(page, "title after the result", (seen) => seen.screen === "title", 400);
  await player.hold("quit");
  await runUntil(page, "the end", (seen) => seen.state === "ended", 200);
  await player.release("quit");
  return site.waitForState(page, "ended");
}

module.exports = { playToTheEnd, byKeys, byTouch };
