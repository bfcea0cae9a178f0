// gaps.test.js: each fix for the browser's SDL, shown by the fault that comes back without it.
// (touch.test.js does the same for the tap's motion.)
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const { keep, countColour } = require("./screens");

const shared = site.browserForFile();

async function open(t, name) {
  const page = await site.openPage(shared.browser, name);
  t.after(() => keep(page, name.replace(/[^a-z]+/gi, "-")).then(() => page.close()));
  // Drapple waits for the player's first key.
  await page.waitForFunction(() => window.webGame && window.webGame.state !== "loading");
  if ((await page.evaluate(() => window.webGame.state)) === "waiting") await page.keyboard.press("Enter");
  return page;
}

// Key colours: the pictures' transparent colour must not reach the screen.
const keyCases = [
  // page           key colour      fix left out
  ["quandrel.html", [255, 0, 255], "colourKey"], // magenta
  ["drapple.html", [0, 255, 0], "colourKey"], // green
];
for (const [name, colour, gap] of keyCases) {
  test(`${name}: the key colour is on screen only without the ${gap} fix`, async (t) => {
    for (const [query, expectKeyPixels] of [["", false], [`?open=${gap}`, true]]) {
      const page = await open(t, name + query);
      await site.waitForState(page, "running");
      // Quandrel's first frame shows every picture; Drapple's title comes with its second tick.
      await site.waitForCount(page, name.startsWith("quandrel") ? 1 : 5);
      const pixels = countColour(await site.readScreen(page), colour);
      assert.equal(pixels > 0, expectKeyPixels, `${name}${query}: ${pixels} key-colour pixels`);
    }
  });
}

// Stream handle 0: once the first picture's stream is freed, the next picture opened gets the
// handle that reads as no stream at all. Quandrel checks the stream before reading it; Drapple
// hands it straight to the reader, which takes any handle, so only Quandrel shows the fault.
test("quandrel.html: without the streamZero fix the second sheet cannot be read", async (t) => {
  const page = await open(t, "quandrel.html?open=streamZero");
  const game = await site.waitForState(page, "ended");
  assert.equal(game.exitStatus, 1);
  assert.deepEqual(game.messages, ["Loading gfx/gui.bmp failed: unknown SDL-emscripten error"]);
  assert.equal(game.finalCount, 0, "no frame drawn");
});

test("both pages with every fix: no picture fails", async (t) => {
  for (const name of ["quandrel.html", "drapple.html"]) {
    const page = await open(t, name);
    await site.waitForState(page, "running");
    await site.waitForCount(page, name.startsWith("quandrel") ? 1 : 10);
    assert.deepEqual(await page.evaluate(() => window.webGame.messages), [], name);
  }
});
