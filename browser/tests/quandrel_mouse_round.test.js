// quandrel_mouse_round.test.js: Quandrel played to the end panel with the mouse, on a screen shown
// at twice its size: the marks of every row and the revealed secret read off the canvas and held
// against the rules; then the panel's Yes starts a new round, and at the end of that one its No
// ends the game.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const q = require("./quandrel_page");

const shared = site.browserForFile();

// A window with room for the 800 x 600 screen twice over, beside the controls.
const wideWindow = { width: 2000, height: 1240 };

// The marks the ten rows of the first round are made to get, so that every count of each kind
// comes up. Columns: colours in another slot (white), colours in their very slot (red).
const wantedMarks = [
  [0, 0],
  [1, 0],
  [0, 1],
  [2, 1],
  [0, 2],
  [3, 0],
  [1, 2],
  [0, 3],
  [4, 0],
  [2, 2],
];

const count = (marks, kind) => marks.filter((mark) => mark === kind).length;

// A row for each of the wanted marks against `secret`; none can win.
function rowsFor(secret) {
  const rows = q.allRows();
  return wantedMarks.map(([white, red]) =>
    rows.find((row) => {
      const marks = q.marksOf(row, secret);
      return count(marks, 1) === white && count(marks, 2) === red;
    })
  );
}

// Clicks Check and runs frames until the row is checked: the die moves up a row, or the round
// has ended.
async function checkRow(page, gui, row) {
  await q.click(page, ...q.places.check);
  await q.moveAway(page);
  const ended = (screen) => q.pictureShown(screen, gui, q.panelPictures.again);
  return q.frameUntil(
    page,
    `row ${row} checked`,
    (board, screen) => board.marker === row + 1 || ended(screen)
  );
}

function panelOnScreen(screen, gui) {
  const shown = {};
  for (const [name, picture] of Object.entries(q.panelPictures))
    shown[name] = q.pictureShown(screen, gui, picture);
  return shown;
}

const emptyRow = { pegs: [-1, -1, -1, -1], marks: [0, 0, 0, 0] };

test("Quandrel by mouse: marks by the rules, the secret shown, Yes, then No", async (t) => {
  const page = await q.openQuandrel(shared.browser, t, "quandrel-mouse-round", wideWindow);
  const shownSize = await page.$eval("#canvas", (canvas) => {
    const box = canvas.getBoundingClientRect();
    return [box.width, box.height];
  });
  assert.deepEqual(shownSize, [1600, 1200], "the screen is shown at twice its size");
  const gui = await q.readPicture(page, "/gfx/gui.bmp");
  const start = await q.frameUntil(page, "the first frame", (board) => board.marker === 0);
  assert.deepEqual(start.board.rows, Array(10).fill(emptyRow));

  // On the test's clock the first round is seeded with 0, so its secret is known and each row
  // can be made to get the marks wanted.
  const secret = q.secretOfSeed(0);
  const rows = rowsFor(secret);
  const marksRead = [];
  let end;
  for (let row = 0; row < 10; row++) {
    await q.placeRow(page, row, rows[row]);
    end = await checkRow(page, gui, row);
    marksRead.push(end.board.rows[row].marks);
  }
  assert.deepEqual(end.board.secret, secret, "the revealed secret is the round's");
  rows.forEach((row, r) => {
    const rule = q.marksOf(row, end.board.secret);
    assert.deepEqual(marksRead[r], rule, `row ${r} (${row}): marks as read after its check`);
    assert.deepEqual(end.board.rows[r].marks, rule, `row ${r} (${row}): marks on the end panel`);
  });
  assert.deepEqual(panelOnScreen(end.screen, gui), {
    wonBanner: false,
    lostBanner: true,
    endPrompt: true,
    again: true,
    leave: true,
  });

  // Yes: an empty board, the die at the bottom row, no panel.
  await q.click(page, ...q.places.again);
  await q.moveAway(page);
  const fresh = await q.frameUntil(page, "a new round", (board) => board.marker === 0);
  assert.deepEqual(fresh.board.rows, Array(10).fill(emptyRow));
  assert.equal(fresh.board.secret, null);
  assert.ok(!Object.values(panelOnScreen(fresh.screen, gui)).some(Boolean), "the panel is gone");

  // A round whose secret the test does not know, played as a player plays: each row one that
  // the marks so far allow, until the panel shows.
  let candidates = q.allRows();
  let row = 0;
  let last;
  do {
    assert.ok(row < 10, "the round ends by its tenth row");
    const guess = candidates[0];
    await q.placeRow(page, row, guess);
    last = await checkRow(page, gui, row);
    const marks = last.board.rows[row].marks;
    candidates = candidates.filter((secret) => q.sameList(q.marksOf(guess, secret), marks));
    assert.ok(candidates.length > 0, `row ${row} (${guess}): marks ${marks} fit no secret left`);
    row++;
  } while (!q.pictureShown(last.screen, gui, q.panelPictures.again));
  const won = count(last.board.rows[row - 1].marks, 2) === 4;
  t.diagnostic(`the second round ${won ? "won" : "lost"} in ${row} rows`);
  if (won) {
    assert.equal(last.board.secret, null, "a won round keeps its secret hidden");
    assert.match(await page.title(), /^Your time: /);
  } else {
    assert.equal(row, 10);
    assert.ok(
      candidates.some((secret) => q.sameList(secret, last.board.secret)),
      `the revealed secret ${last.board.secret} fits every row's marks`
    );
  }
  const panel = panelOnScreen(last.screen, gui);
  assert.deepEqual([panel.wonBanner, panel.lostBanner], [won, !won]);

  // No: the game ends, with its status.
  await q.click(page, ...q.places.leave);
  await page.evaluate(() => {
    for (let n = 0; n < 30 && window.webGame.state === "running"; n++) window.testClock.frame(16);
  });
  const game = await site.waitForState(page, "ended");
  assert.equal(game.exitStatus, 1);
  assert.match(await page.$eval("#overlay-text", (e) => e.textContent), /has ended/);
});
