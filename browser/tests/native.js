// native.js: the native games beside the page: their frames in a given state (the tools of
// tests/browser/ in the native build), Quandrel's screen reader, and a canvas held against a
// native frame.
"use strict";

const fs = require("fs");
const path = require("path");
const { promisify } = require("util");
const execFile = promisify(require("child_process").execFile);
const { writeBmp, readBmp } = require("./bmp");

// The native build (./test and ./web make it), where the games' pictures and the tools are.
const nativeBuild = process.env.WEB_NATIVE_BUILD || path.resolve(__dirname, "../../build");

// Headless: SDL's dummy drivers. Its 16-bit screen holds the colours a 16-bit display shows.
const toolEnvironment = { ...process.env, SDL_VIDEODRIVER: "dummy", SDL_AUDIODRIVER: "dummy" };

async function runTool(relative, args, workingDir) {
  const file = path.join(nativeBuild, relative);
  if (!fs.existsSync(file))
    throw new Error(`${file} is missing: cmake --build ${nativeBuild} --target ${path.basename(file)}`);
  const { stdout } = await execFile(file, args, { cwd: workingDir, env: toolEnvironment });
  return stdout;
}

// Quandrel's frame, written to `file` and read back: the first frame of the game without a
// round; with one, the frame once its rows ({ secret, rows, pointer: [x, y] }, colours 0 to 8,
// rows bottom first) have been checked.
async function quandrelFrame(file, round = null) {
  const args = [file];
  if (round) {
    const colours = [round.secret, ...round.rows].map((row) => row.join(""));
    args.push(...round.pointer.map(String), ...colours);
  }
  await runTool("tests/browser/quandrel_frames", args, path.join(nativeBuild, "cones"));
  return readBmp(file);
}

// Drapple's title and the first frame of a game chosen on it, seeded with `seed`.
async function drappleFrames(seed, titleFile, gameFile) {
  const args = [String(seed), titleFile, gameFile];
  await runTool("tests/browser/drapple_frames", args, path.join(nativeBuild, "blocks"));
  return { title: readBmp(titleFile), game: readBmp(gameFile) };
}

// A colour of the reader's: "-" an empty slot (-1), "?" a place like no cell (null).
function readPlace(word) {
  if (word === "-") return -1;
  if (word === "?") return null;
  return Number(word);
}

// Quandrel's board as the native screen reader sees it on `screen` (kept in `file`): per row,
// bottom first, { pegs, marks }; the row the random-row marker stands beside, or null; the
// revealed secret, or null.
async function readQuandrelBoard(screen, file) {
  writeBmp(file, screen);
  const sheet = path.join(nativeBuild, "cones/gfx/cones.bmp");
  const text = await runTool("tests/cones/cones_screen_reader", [file, sheet]);
  const board = { rows: [], marker: null, secret: null };
  for (const line of text.trim().split("\n")) {
    const words = line.split(" ");
    if (words[0] === "row") {
      const marks = words.indexOf("marks");
      board.rows.push({
        pegs: words.slice(2, marks).map(readPlace),
        marks: words.slice(marks + 1).map(readPlace),
      });
    } else if (words[0] === "marker") {
      board.marker = words[1] === "none" ? null : Number(words[1]);
    } else if (words[0] === "secret") {
      board.secret = words[1] === "none" ? null : words.slice(1).map(readPlace);
    }
  }
  return board;
}

// Colours of a native frame and of the canvas may differ by 3 % of a channel's range: 16-bit
// colours are widened to 8 bits by SDL and by the browser's picture decoder each its own way.
const colourTolerance = 7;

// How far `shown` (the canvas) is from `native`: pixels with a channel off by more than the
// tolerance, the first of them, and the largest difference of any channel.
function compareFrames(shown, native) {
  if (shown.width !== native.width || shown.height !== native.height) {
    const sizes = `${shown.width}x${shown.height} against ${native.width}x${native.height}`;
    return { sizes, pixelsOff: shown.width * shown.height, first: null, largest: 255 };
  }
  let pixelsOff = 0;
  let first = null;
  let largest = 0;
  for (let i = 0; i < shown.data.length; i += 4) {
    let off = 0;
    for (let c = 0; c < 3; c++)
      off = Math.max(off, Math.abs(shown.data[i + c] - native.data[i + c]));
    largest = Math.max(largest, off);
    if (off <= colourTolerance) continue;
    if (!first) {
      const p = i / 4;
      first = {
        x: p % shown.width,
        y: Math.floor(p / shown.width),
        shown: [...shown.data.subarray(i, i + 3)],
        native: [...native.data.subarray(i, i + 3)],
      };
    }
    pixelsOff++;
  }
  return { sizes: null, pixelsOff, first, largest };
}

module.exports = {
  nativeBuild,
  quandrelFrame,
  drappleFrames,
  readQuandrelBoard,
  compareFrames,
  colourTolerance,
};
