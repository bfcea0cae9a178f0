// drapple_flow.test.js: Drapple played through its screens in the page, one tick at a time on a
// clock the test moves, each step seen on the canvas: the title's cursor, the start, a piece
// dropped, slid, turned and locked, a game played to the top, the result's time on the screen,
// the title again, and Escape there. No frame on the way shows the pictures' green key colour.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const { installClock } = require("./clock");
const { keep } = require("./screens");
const { installView } = require("./drapple_view");

const shared = site.browserForFile();

// A tick is due every 16 ms of the page's clock: one frame that long runs exactly one.
const TickMs = 16;

async function openDrapple(t, name) {
  const page = await site.openPage(shared.browser, "drapple.html", undefined, installClock);
  t.after(() => keep(page, name).then(() => page.close()));
  await site.waitForState(page, "waiting");
  await page.keyboard.press("Enter");
  await site.waitForState(page, "running");
  await page.evaluate(installView);
  return page;
}

// Runs one tick and looks at the screen it left. Every look is free of the key colour.
async function step(page) {
  const seen = await page.evaluate((ms) => {
    window.testClock.frame(ms);
    return window.drappleView.look();
  }, TickMs);
  const where = `tick ${seen.count}, ${seen.screen} screen`;
  assert.equal(seen.green, 0, `${where}: ${seen.green} green pixels`);
  return seen;
}

// Runs ticks until `done(seen)` holds, within `limit` ticks; returns the look and the ticks run.
async function stepUntil(page, what, done, limit) {
  let seen;
  for (let ticks = 1; ticks <= limit; ticks++) {
    seen = await step(page);
    if (done(seen)) return { seen, ticks };
  }
  assert.fail(`no ${what} within ${limit} ticks; last seen: ${JSON.stringify(seen)}`);
}

// Holds a key until its effect is seen, then lets it go.
async function holdUntil(page, key, what, done, limit) {
  await page.keyboard.down(key);
  try {
    return await stepUntil(page, what, done, limit);
  } finally {
    await page.keyboard.up(key);
  }
}

const onTitle = (line) => (seen) => seen.screen === "title" && seen.cursor === line;
const onGame = (seen) => seen.screen === "game";

// Quarter turns of a piece's cell offsets on the screen, where y grows downwards.
const sorted = (cells) => cells.sort((a, b) => a[1] - b[1] || a[0] - b[0]);
const counterClockwise = (cells) => sorted(cells.map(([x, y]) => [y, -x || 0]));
const clockwise = (cells) => sorted(cells.map(([x, y]) => [-y || 0, x]));

for (const key of ["z", "x"]) {
  test(`Drapple's title: the cursor on Quit while Down is held; ${key} starts`, async (t) => {
    const page = await openDrapple(t, `drapple-title-${key}`);
    // The title's first tick loads its pictures and draws nothing.
    const { seen: first } = await stepUntil(page, "title", (seen) => seen.screen === "title", 10);
    assert.equal(first.count, 2, "first drawn on the second tick");
    assert.equal(first.cursor, "start");

    await page.keyboard.down("ArrowDown");
    const quit = await stepUntil(page, "cursor on Quit", onTitle("quit"), 5);
    assert.equal(quit.ticks, 1, "the cursor moves on the tick after the press");
    for (let i = 0; i < 20; i++) assert.equal((await step(page)).cursor, "quit", "Down held");
    await page.keyboard.up("ArrowDown");
    const back = await stepUntil(page, "cursor back on Start", onTitle("start"), 5);
    assert.equal(back.ticks, 1);

    // The title takes the key on the tick after the press; the game loads on the next, drawing
    // nothing, and is drawn on the one after. Below the two rows where its first piece comes in
    // from above, the well is empty.
    const game = await holdUntil(page, key, "game screen", onGame, 10);
    assert.equal(game.ticks, 3);
    assert.deepEqual(game.seen.well.slice(2), Array(20).fill("........"), "an empty well");
  });
}

const flow =
  "Drapple: a piece dropped, slid, turned and locked; a game to the top; the result for 121 " +
  "ticks; the title again; Escape there";
test(flow, async (t) => {
  const page = await openDrapple(t, "drapple-flow");
  await stepUntil(page, "title", onTitle("start"), 10);
  await holdUntil(page, "z", "game screen", onGame, 10);

  // The new piece stands above the screen, and Z, still held when the game began, turns it.
  // Down brings it in a row every other tick (gravity alone would take 201 ticks a row), until
  // it is in view with room to turn, and its turn has ended: three or four blocks square to it.
  const inView = (seen) =>
    seen.piece && seen.piece.hidden === 0 && seen.piece.y >= 60 && seen.piece.cells.length >= 3;
  const drop = await holdUntil(page, "ArrowDown", "piece in view", inView, 20);
  const piece = drop.seen.piece;
  t.diagnostic(`piece ${piece.value}: ${JSON.stringify(piece.cells)} at ${piece.x}, ${piece.y}`);
  assert.equal((piece.x - 240) % 20, 0, "not sliding");
  assert.ok(piece.value >= 1 && piece.value <= 8, `block cell ${piece.value}`);

  // One column per slide, one quarter turn per turn, each held until it has ended.
  const moves = [
    // key        what                      pivot's x     blocks                          ticks
    ["ArrowLeft",  "slide left",             piece.x - 20, piece.cells,                    7],
    ["ArrowRight", "slide right",            piece.x,      piece.cells,                    7],
    ["z",          "turn counter-clockwise", piece.x,      counterClockwise(piece.cells), 15],
    ["x",          "turn clockwise, back",   piece.x,      piece.cells,                   15],
    ["x",          "turn clockwise",         piece.x,      clockwise(piece.cells),        15],
  ];
  for (const [key, what, x, cells, ticks] of moves) {
    const moved = await holdUntil(
      page,
      key,
      what,
      (seen) =>
        seen.piece &&
        seen.piece.x === x &&
        JSON.stringify(seen.piece.cells) === JSON.stringify(cells),
      ticks + 5
    );
    assert.equal(moved.ticks, ticks, `${what}: ticks`);
    assert.equal(moved.seen.piece.value, piece.value);
  }

  // Down to the floor: the piece locks where it lands, on the grid, in its last turn.
  const landed = clockwise(piece.cells);
  let lowest = piece.y;
  const locked = await holdUntil(
    page,
    "ArrowDown",
    "lock",
    (seen) => {
      if (seen.piece && seen.piece.y >= lowest) {
        lowest = seen.piece.y;
        return false;
      }
      return true; // the next piece: above the screen, or back at the top
    },
    60
  );
  const column = (piece.x - 240) / 20;
  const bottom = 23 - Math.max(...landed.map(([, dy]) => dy));
  const expected = Array.from({ length: 22 }, () => Array(8).fill("."));
  for (const [dx, dy] of landed) expected[bottom + dy - 2][column + dx] = String(piece.value);
  assert.deepEqual(
    locked.seen.well.slice(2),
    expected.slice(2).map((row) => row.join("")),
    "the locked piece at the bottom of the well"
  );

  // Every piece dropped straight down the middle: the well fills without a full row, and the
  // game ends on the result screen with a score of 0.
  const onResult = (seen) => seen.screen === "result";
  const end = await holdUntil(page, "ArrowDown", "result screen", onResult, 3000);
  t.diagnostic(`topped out at tick ${end.seen.count}`);

  // The result's loading tick lays its picture over the last game frame, without the score; the
  // score stands on the next 121 ticks (1.936 s), and that frame stays on the title's loading
  // tick, which draws nothing: 123 ticks from the first result frame to the first title frame.
  const scores = [];
  let seen = end.seen;
  while (seen.screen === "result" && scores.length < 200) {
    scores.push(seen.score);
    seen = await step(page);
  }
  const scoreTicks = Array(121).fill(0);
  assert.deepEqual(scores, [null, ...scoreTicks, 0], "the score shown, tick by tick");
  assert.equal(seen.screen, "title");
  assert.equal(seen.cursor, "start");
  assert.equal(seen.count - end.seen.count, 123);

  // Escape on the title ends the program once the tick that saw it has run.
  const ended = await holdUntil(page, "Escape", "the end", (seen) => seen.state === "ended", 5);
  assert.equal(ended.ticks, 1);
  const game = await site.waitForState(page, "ended");
  assert.equal(game.finalCount, seen.count + 1);
  assert.equal(game.exitStatus, 0);
  assert.deepEqual(game.messages, ["正常終了"]);
  assert.match(await page.$eval("#status", (line) => line.textContent), /正常終了/);
  const overlayText = await page.$eval("#overlay-text", (text) => text.textContent);
  assert.match(overlayText, /exit status 0.*正常終了/);
  assert.equal(await page.$eval("#overlay", (overlay) => overlay.hidden), false);
});
