// pace.test.js: Drapple's ticks keep the native pace whatever the display's frame rate, and
// Quandrel's page draws only when something happened, on a clock the test moves itself: the
// page's Date.now and its display frames are the test's.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const { installClock } = require("./clock");

const shared = site.browserForFile();

async function startDrapple(t) {
  const page = await site.openPage(shared.browser, "drapple.html", undefined, installClock);
  t.after(() => page.close());
  await site.waitForState(page, "waiting");
  await page.keyboard.press("Enter");
  await site.waitForState(page, "running");
  return page;
}

async function ticksOver(page, frames, ms) {
  return page.evaluate(
    (frames, ms) => {
      const before = window.webGame.count();
      window.testClock.run(frames, ms);
      return window.webGame.count() - before;
    },
    frames,
    ms
  );
}

// Ten seconds of display frames at each rate: 625 ticks, a tick each 16 ms, give or take the
// tick that straddles the end.
const rates = [30, 60, 75, 90, 120, 144, 165];
for (const hertz of rates) {
  test(`Drapple at ${hertz} frames a second runs 62.5 ticks a second`, async (t) => {
    const page = await startDrapple(t);
    const ticks = await ticksOver(page, hertz * 10, 1000 / hertz);
    assert.ok(Math.abs(ticks - 625) <= 1, `${ticks} ticks in ten seconds`);
  });
}

test("Drapple after a long pause goes on at its pace without making up the time", async (t) => {
  const page = await startDrapple(t);
  await ticksOver(page, 60, 1000 / 60);
  const afterPause = await ticksOver(page, 1, 5000);
  assert.ok(afterPause >= 1 && afterPause <= 4, `${afterPause} ticks right after the pause`);
  const ticks = await ticksOver(page, 600, 1000 / 60);
  assert.ok(Math.abs(ticks - 625) <= 1, `${ticks} ticks in the ten seconds after`);
});

test("Drapple on slow frames runs at most four ticks a frame", async (t) => {
  const page = await startDrapple(t);
  assert.equal(await ticksOver(page, 10, 100), 40);
});

// Ten seconds of display frames at 60 a second; the frames Quandrel drew and the canvas draws.
async function restOf(page) {
  return page.evaluate(() => {
    const frames = window.webGame.count();
    const draws = window.canvasDraws;
    window.testClock.run(600, 1000 / 60);
    return { frames: window.webGame.count() - frames, draws: window.canvasDraws - draws };
  });
}

test("Quandrel at rest draws nothing; a move of the pointer draws one frame", async (t) => {
  const prepare = `(${installClock})(); (${site.countCanvasDraws})();`;
  const page = await site.openPage(shared.browser, "quandrel.html", undefined, prepare);
  t.after(() => page.close());
  await site.waitForState(page, "running");
  await page.evaluate(() => window.testClock.run(2, 1000 / 60));
  assert.equal(await page.evaluate(() => window.webGame.count()), 1, "the first frame");
  assert.deepEqual(await restOf(page), { frames: 0, draws: 0 }, "ten seconds at rest");

  const point = await site.pagePoint(page, 400, 300);
  await page.mouse.move(point.x, point.y);
  const moved = await restOf(page);
  assert.equal(moved.frames, 1, "one frame for the move");
  assert.ok(moved.draws >= 1, "the frame reached the canvas");
  assert.deepEqual(await restOf(page), { frames: 0, draws: 0 }, "at rest again");
});
