// frames_native.test.js: the pages' frames held against the native games' frames in the same
// state: Quandrel's first frame and the end panel of a lost round, Drapple's title and the first
// frame of a game. No pixel may be out of place, and no colour off by more than 3 % of a channel;
// the native Quandrel draws on a 16-bit screen, whose colours (read through SDL_GetRGB) are what a
// 16-bit display shows. Neither game's key colour may reach the canvas. The comparison is shown to
// catch a frame that is wrong.
"use strict";

const assert = require("node:assert/strict");
const path = require("path");
const { test } = require("node:test");
const site = require("./site");
const native = require("./native");
const { writeBmp } = require("./bmp");
const { installClock } = require("./clock");
const { outputDir, keep, countColour } = require("./screens");
const q = require("./quandrel_page");

const shared = site.browserForFile();

// Both frames of a comparison stay in the test output: NAME.page.bmp and NAME.native.bmp.
const frameFile = (name, side) => path.join(outputDir, `${name}.${side}.bmp`);

function assertSameFrame(name, shown, nativeFrame) {
  writeBmp(frameFile(name, "page"), shown);
  const result = native.compareFrames(shown, nativeFrame);
  assert.equal(result.pixelsOff, 0, `${name}: ${JSON.stringify(result)} (frames in ${outputDir})`);
}

async function quandrelFirstFrame(t, name) {
  const page = await q.openQuandrel(shared.browser, t, name);
  return (await q.frameUntil(page, "the first frame", (board) => board.marker === 0)).screen;
}

test("Quandrel's first frame is the native game's", async (t) => {
  const shown = await quandrelFirstFrame(t, "frames-quandrel-start");
  const nativeFrame = await native.quandrelFrame(frameFile("quandrel-start", "native"));
  assertSameFrame("quandrel-start", shown, nativeFrame);
});

test("Quandrel's end panel after a lost round is the native game's, same round", async (t) => {
  const page = await q.openQuandrel(shared.browser, t, "frames-quandrel-end");
  const rows = [];
  let end;
  for (let row = 0; row < 10; row++) {
    await page.keyboard.press("r");
    const filled = await q.frameUntil(page, `row ${row} filled at random`, (board) =>
      board.rows[row].pegs.every((peg) => peg >= 0)
    );
    rows.push(filled.board.rows[row].pegs);
    await page.keyboard.press("Enter");
    end = await q.frameUntil(
      page,
      `row ${row} checked`,
      (board) => board.marker === row + 1 || board.secret !== null
    );
  }
  assert.notEqual(end.board.secret, null, "the round is lost, its secret shown");
  // The pointer never moved: SDL has it at (0, 0), where nothing lights up.
  const round = { secret: end.board.secret, rows, pointer: [0, 0] };
  const nativeFrame = await native.quandrelFrame(frameFile("quandrel-end", "native"), round);
  assertSameFrame("quandrel-end", end.screen, nativeFrame);
});

test("Drapple's title and the first frame of a game are the native game's", async (t) => {
  const page = await site.openPage(shared.browser, "drapple.html", undefined, installClock);
  t.after(() => keep(page, "frames-drapple").then(() => page.close()));
  await site.waitForState(page, "waiting");
  await page.evaluate(() => window.webGame.start());
  await site.waitForState(page, "running");
  // The game seeded its random numbers with the clock in seconds, which stands still but for
  // the test's frames.
  const seed = await page.evaluate(() => Math.floor(Date.now() / 1000));
  // One tick for each frame of 16 ms: the title loads, then draws; Z held through one tick
  // chooses the game, which loads, then draws.
  const ticks = (frames) =>
    page.evaluate((frames) => {
      window.testClock.run(frames, 16);
      return window.webGame.count();
    }, frames);
  assert.equal(await ticks(2), 2);
  const title = await site.readScreen(page);
  await page.evaluate(() => {
    Module.sendKey(90, true);
    window.testClock.frame(16);
    Module.sendKey(90, false);
  });
  assert.equal(await ticks(2), 5);
  const game = await site.readScreen(page);

  const frames = await native.drappleFrames(
    seed,
    frameFile("drapple-title", "native"),
    frameFile("drapple-game", "native")
  );
  for (const [name, shown, nativeFrame] of [
    ["drapple-title", title, frames.title],
    ["drapple-game", game, frames.game],
  ]) {
    assert.equal(countColour(shown, [0, 255, 0]), 0, `${name}: green, the key colour, on screen`);
    assertSameFrame(name, shown, nativeFrame);
  }
});

// A copy of `screen` with every pixel moved by (dx, dy); black comes in at the edge.
function shifted(screen, dx, dy) {
  const { width, height } = screen;
  const data = Buffer.alloc(screen.data.length);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const from = x - dx >= 0 && y - dy >= 0 ? ((y - dy) * width + x - dx) * 4 : -1;
      const to = (y * width + x) * 4;
      if (from >= 0) screen.data.copy(data, to, from, from + 4);
      else data[to + 3] = 255;
    }
  }
  return { width, height, data };
}

// A copy of `screen` with every channel raised by `amount`, as far as it goes.
function brighter(screen, amount) {
  const data = Buffer.from(screen.data);
  for (let i = 0; i < data.length; i++) if (i % 4 !== 3) data[i] = Math.min(255, data[i] + amount);
  return { width: screen.width, height: screen.height, data };
}

test("the comparison sees a wrong frame, and allows 3 % off in colour", async (t) => {
  const nativeFrame = await native.quandrelFrame(frameFile("quandrel-faults", "native"));
  const good = await quandrelFirstFrame(t, "frames-quandrel-faults");
  // Without the colour-key fix the sheets' magenta covers the screen.
  const keyedPage = "quandrel.html?open=colourKey";
  const open = await site.openPage(shared.browser, keyedPage, undefined, installClock);
  t.after(() => q.keepAndClose(open, "frames-quandrel-open-colour-key"));
  await site.waitForState(open, "running");
  await q.frame(open);
  assert.equal(await open.evaluate(() => window.webGame.count()), 1, "the first frame drawn");
  const keyed = await site.readScreen(open);

  const cases = [
    // frame                          the same as the native one
    ["the colour key left out", keyed, false],
    ["one pixel to the right", shifted(good, 1, 0), false],
    ["one pixel down", shifted(good, 0, 1), false],
    ["the native frame 8 brighter", brighter(nativeFrame, 8), false],
    ["the native frame 7 brighter", brighter(nativeFrame, 7), true],
  ];
  for (const [what, frame, same] of cases) {
    const result = native.compareFrames(frame, nativeFrame);
    assert.equal(result.pixelsOff === 0, same, `${what}: ${JSON.stringify(result)}`);
  }
});
