// browser_screenshot.js: Drapple's page in headless Chromium, a few pieces into a game, kept for
// the README as docs/browser.png (a desktop window) and docs/browser-phone.png (a phone held
// sideways). Needs the built site (./web). Run: node docs/browser_screenshot.js
"use strict";

const path = require("path");
const { execFileSync } = require("child_process");
const site = require("../browser/tests/site");

// Waits for this many of the game's ticks (16 ms each).
async function ticks(page, count) {
  const from = await page.evaluate(() => window.webGame.count());
  await site.waitForCount(page, from + count);
}

// One piece: a key held to slide or turn it for so many ticks, then Down held with it.
async function place(page, key, held) {
  await page.keyboard.down(key);
  await ticks(page, held);
  await page.keyboard.down("ArrowDown");
  await ticks(page, 62);
  await page.keyboard.up("ArrowDown");
  await page.keyboard.up(key);
  await ticks(page, 20);
}

// A few pieces into a game on a page of this size, kept as docs/NAME.png (256 colours).
async function shoot(browser, viewport, name) {
  const page = await site.openPage(browser, "drapple.html", viewport);
  await site.waitForState(page, "waiting");
  await page.evaluate(() => window.webGame.start());
  await site.waitForState(page, "running");
  await site.waitForCount(page, 30);
  await page.keyboard.down("z"); // the title's choice: start
  await ticks(page, 30);
  await page.keyboard.up("z");
  // The pieces slid and turned about, spread over the well.
  const moves = [["ArrowLeft", 56], ["ArrowRight", 56], ["x", 9], ["ArrowLeft", 31],
                 ["ArrowRight", 31], ["z", 9]];
  for (const [key, held] of moves) await place(page, key, held);
  await ticks(page, 90);
  const shot = path.join(__dirname, `${name}-full.png`);
  await page.screenshot({ path: shot });
  const out = path.join(__dirname, `${name}.png`);
  execFileSync("convert", [shot, "-dither", "None", "-colors", "256", "PNG8:" + out]);
  require("fs").rmSync(shot);
  await page.close();
  console.log(`docs/${name}.png written`);
}

async function main() {
  const browser = await site.launch();
  try {
    await shoot(browser, { width: 1100, height: 560 }, "browser");
    const phone = { width: 844, height: 390, hasTouch: true, isMobile: true, deviceScaleFactor: 1 };
    await shoot(browser, phone, "browser-phone");
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
