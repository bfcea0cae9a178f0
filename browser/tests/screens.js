// screens.js: what the tests look at: kept screenshots and logs, and comparisons of screens.
"use strict";

const fs = require("fs");
const path = require("path");
const site = require("./site");

// Screenshots and the page's console, kept for a look after every run.
const outputDir = process.env.WEB_TEST_OUTPUT || path.resolve(site.siteDir, "../test-output");
fs.mkdirSync(outputDir, { recursive: true });

async function keep(page, name) {
  // A tab behind another shows no new frame, and a game at rest draws none of its own.
  await page.bringToFront();
  await page.screenshot({ path: path.join(outputDir, name + ".png") });
  fs.writeFileSync(path.join(outputDir, name + ".log"), page.consoleLog.join("\n") + "\n");
}

// Pixels of exactly this colour: what a key colour left on the screen.
function countColour(screen, [r, g, b]) {
  let count = 0;
  for (let i = 0; i < screen.data.length; i += 4) {
    if (screen.data[i] === r && screen.data[i + 1] === g && screen.data[i + 2] === b) count++;
  }
  return count;
}

// True when any pixel of the rectangle differs between two screens of the same size.
function regionDiffers(before, after, x0, y0, width, height) {
  for (let y = y0; y < y0 + height; y++) {
    for (let x = x0; x < x0 + width; x++) {
      const i = (y * before.width + x) * 4;
      for (let c = 0; c < 3; c++) if (before.data[i + c] !== after.data[i + c]) return true;
    }
  }
  return false;
}

module.exports = { outputDir, keep, countColour, regionDiffers };
