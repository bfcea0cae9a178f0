// quandrel_page.js: Quandrel's page on the test's clock, read as a player reads it: frames run one
// at a time, the board read off the canvas after each, clicks at the game's own coordinates
// wherever the canvas is shown, and the round's rules to hold the marks against.
"use strict";

const assert = require("node:assert/strict");
const path = require("path");
const site = require("./site");
const native = require("./native");
const { installClock } = require("./clock");
const { outputDir, keep, countColour } = require("./screens");

const magenta = [255, 0, 255]; // the sheets' key colour
const frameMs = 1000 / 60;
const frameLimit = 30; // frames a move may take to show; it takes one

// A tab in the background takes no screenshot: each page is brought to the front for its own.
async function keepAndClose(page, name) {
  await page.bringToFront();
  await keep(page, name);
  await page.close();
}

// Opens the page on the test's clock; its screenshot, console and last screen read stay in the
// test output under `name`.
async function openQuandrel(browser, t, name, viewport = undefined, query = "") {
  const page = await site.openPage(browser, "quandrel.html" + query, viewport, installClock);
  page.testName = name;
  t.after(() => keepAndClose(page, name));
  await site.waitForState(page, "running");
  return page;
}

async function frame(page) {
  await page.evaluate((ms) => window.testClock.frame(ms), frameMs);
}

// Runs frames until `seen(board, screen)` holds, and returns both. Every screen on the way is
// free of the key colour. The last screen read is kept as NAME-board.bmp.
async function frameUntil(page, what, seen) {
  const file = path.join(outputDir, `${page.testName}-board.bmp`);
  for (let n = 0; n < frameLimit; n++) {
    await frame(page);
    const screen = await site.readScreen(page);
    assert.equal(countColour(screen, magenta), 0, `magenta on the screen, waiting for ${what}`);
    const board = await native.readQuandrelBoard(screen, file);
    if (seen(board, screen)) return { board, screen };
  }
  throw new Error(`${what}: not on the screen after ${frameLimit} frames (last screen: ${file})`);
}

async function click(page, x, y) {
  const point = await site.pagePoint(page, x, y);
  await page.mouse.click(point.x, point.y);
}

// The pointer where it lights nothing up and covers nothing, so the board reads clearly.
async function moveAway(page) {
  const point = await site.pagePoint(page, 560, 100);
  await page.mouse.move(point.x, point.y);
}

// Places on the screen a player clicks: the middle of a palette cone, of a slot, of a button.
const places = {
  palette: (colour) => [117, 61 + 60 * colour],
  slot: (row, slot) => [336 + 45 * slot, 566 - 60 * row],
  check: [714, 551],
  again: [328, 311], // the end panel's "Yes"
  leave: [486, 311], // the end panel's "No"
};

// Picks each colour from the palette and puts it into its slot of `row`, by mouse.
async function placeRow(page, row, colours) {
  for (let slot = 0; slot < colours.length; slot++) {
    await click(page, ...places.palette(colours[slot]));
    await click(page, ...places.slot(row, slot));
  }
  await moveAway(page);
  return frameUntil(page, `row ${row} filled with ${colours}`, (board) =>
    sameList(board.rows[row].pegs, colours)
  );
}

// A picture the page preloaded ("/gfx/gui.bmp"), as decoded, before any key colour is cleared.
function readPicture(page, name) {
  return site.readCanvas(page, name);
}

// The end panel's pictures in the gui sheet, and where they are drawn. Columns: source x, y,
// width, height; target x, y.
const panelPictures = {
  wonBanner: [129, 28, 100, 22, 350, 200],
  lostBanner: [128, 0, 100, 23, 350, 200],
  endPrompt: [0, 98, 215, 26, 300, 250],
  again: [0, 50, 46, 23, 305, 300],
  leave: [48, 50, 33, 23, 470, 300],
};

// True when every pixel of the picture that is not magenta is on the screen at its place.
function pictureShown(screen, sheet, [sx, sy, width, height, tx, ty]) {
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const from = ((sy + y) * sheet.width + sx + x) * 4;
      const colour = sheet.data.subarray(from, from + 3);
      if (colour[0] === 255 && colour[1] === 0 && colour[2] === 255) continue;
      const to = ((ty + y) * screen.width + tx + x) * 4;
      for (let c = 0; c < 3; c++)
        if (Math.abs(screen.data[to + c] - colour[c]) > native.colourTolerance) return false;
    }
  }
  return true;
}

function sameList(a, b) {
  return a.length === b.length && a.every((value, i) => value === b[i]);
}

// The marks a check gives `guess` against `secret`: one MarkColour (1) for each colour of the
// guess that is in the secret in another slot, then one MarkExact (2) for each in its very slot,
// then MarkNone (0).
function marksOf(guess, secret) {
  let near = 0;
  let exact = 0;
  guess.forEach((colour, slot) => {
    if (colour === secret[slot]) exact++;
    else if (secret.includes(colour)) near++;
  });
  return [...Array(near).fill(1), ...Array(exact).fill(2), ...Array(4 - near - exact).fill(0)];
}

// Every row a player can make: four different colours out of nine, in order.
function allRows() {
  const rows = [];
  for (let a = 0; a < 9; a++)
    for (let b = 0; b < 9; b++)
      for (let c = 0; c < 9; c++)
        for (let d = 0; d < 9; d++)
          if (new Set([a, b, c, d]).size === 4) rows.push([a, b, c, d]);
  return rows;
}

// The page's C library's rand after srand(seed): a 64-bit linear congruential generator started
// at seed - 1, taken as a 32-bit unsigned number, giving its top 31 bits.
function randomNumbers(seed) {
  let state = BigInt((seed - 1) >>> 0);
  return () => {
    state = (6364136223846793005n * state + 1n) & ((1n << 64n) - 1n);
    return Number(state >> 33n);
  };
}

// The secret of a round seeded with `seed` (on the test's clock the first round's is 0): four
// different colours, each drawn again while it repeats an earlier one.
function secretOfSeed(seed) {
  const rand = randomNumbers(seed);
  const secret = [];
  while (secret.length < 4) {
    const colour = rand() % 9;
    if (!secret.includes(colour)) secret.push(colour);
  }
  return secret;
}

module.exports = {
  keepAndClose,
  openQuandrel,
  frame,
  frameUntil,
  click,
  moveAway,
  places,
  placeRow,
  sameList,
  readPicture,
  panelPictures,
  pictureShown,
  marksOf,
  allRows,
  secretOfSeed,
  magenta,
};
