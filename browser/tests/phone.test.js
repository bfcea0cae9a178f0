// phone.test.js: both pages in the hand, on a phone held sideways and upright (touch, a mobile
// viewport): where each control is beside the screen, its size, nothing wider than the view;
// Drapple played with its buttons alone and a row of Quandrel filled and checked by taps; the
// page still under a finger; full screen in and out; legends and words for phones and desktops.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const site = require("./site");
const q = require("./quandrel_page");
const drapplePlay = require("./drapple_play");
const { installClock } = require("./clock");
const { keep } = require("./screens");

const shared = site.browserForFile();

const phones = {
  sideways: { width: 844, height: 390, hasTouch: true, isMobile: true, deviceScaleFactor: 1 },
  upright: { width: 390, height: 844, hasTouch: true, isMobile: true, deviceScaleFactor: 1 },
};
const desktop = { width: 1280, height: 800 };
const thumbSize = 48; // the least side of a touch control, in CSS pixels

async function openGame(t, game, viewport, name, prepare = null) {
  const page = await site.openPage(shared.browser, `${game}.html`, viewport, prepare);
  t.after(() => q.keepAndClose(page, name));
  await site.waitForState(page, game === "drapple" ? "waiting" : "running");
  return page;
}

// Where the page's parts are (CSS pixels; null when not shown), and the view's size and scroll.
function layout(page) {
  return page.evaluate(() => {
    const box = (element) => {
      const r = element && element.getBoundingClientRect();
      return r && r.width && r.height
        ? {
            left: r.left,
            top: r.top,
            right: r.right,
            bottom: r.bottom,
            width: r.width,
            height: r.height,
          }
        : null;
    };
    const root = document.documentElement;
    const controls = {};
    for (const button of document.querySelectorAll("button[data-key], #fullscreen"))
      controls[button.getAttribute("aria-label") || "Full screen"] = box(button);
    return {
      view: { width: root.clientWidth, height: root.clientHeight },
      scroll: { width: root.scrollWidth, height: root.scrollHeight },
      canvas: box(document.getElementById("canvas")),
      moves: box(document.querySelector(".moves")),
      turns: box(document.querySelector(".turns")),
      legend: box(document.querySelector(".legend")),
      controls,
    };
  });
}

function expectThumbSized(controls) {
  for (const [name, spot] of Object.entries(controls)) {
    assert.ok(spot, `${name} is shown`);
    assert.ok(
      spot.width >= thumbSize && spot.height >= thumbSize,
      `${name}: ${spot.width} x ${spot.height}`
    );
  }
}

function expectAllInView(seen) {
  assert.ok(
    seen.scroll.width <= seen.view.width,
    `nothing wider than the view: ${seen.scroll.width}`
  );
  for (const [name, spot] of Object.entries(seen.controls)) {
    assert.ok(spot.left >= 0 && spot.right <= seen.view.width, `${name} across the view`);
    assert.ok(spot.top >= 0 && spot.bottom <= seen.view.height, `${name} in the first view`);
  }
}

// Drapple's layouts: where its two groups and Quit stand against the screen. Columns: how the
// phone is held, and what must hold of the layout.
const drappleLayouts = [
  [
    "sideways",
    (seen) => {
      const { canvas, moves, turns, view } = seen;
      assert.ok(moves.right <= canvas.left, "the moves left of the screen");
      assert.ok(turns.left >= canvas.right, "the turns right of the screen");
      for (const [name, group] of Object.entries({ moves, turns }))
        assert.ok(group.top >= view.height / 2, `the ${name} in the lower half, at a thumb`);
      assert.ok(
        canvas.height >= view.height - 32,
        `the screen as tall as the view: ${canvas.height}`
      );
      assert.ok(seen.scroll.height <= view.height, "nothing to scroll");
    },
  ],
  [
    "upright",
    (seen) => {
      const { canvas, moves, turns } = seen;
      assert.ok(
        moves.top >= canvas.bottom && turns.top >= canvas.bottom,
        "both groups under the screen"
      );
      assert.ok(moves.right <= turns.left, "the moves left, the turns right");
      assert.ok(
        canvas.width >= seen.view.width - 32,
        `the screen as wide as the view: ${canvas.width}`
      );
    },
  ],
];

for (const [held, where] of drappleLayouts) {
  test(`Drapple on a phone held ${held}: the moves at one thumb, the turns at the other`, async (t) => {
    const page = await openGame(t, "drapple", phones[held], `phone-drapple-${held}`);
    const seen = await layout(page);
    where(seen);
    expectThumbSized(seen.controls);
    expectAllInView(seen);
    assert.equal(seen.legend, null, "no key legend on a phone");
    // Quit stands apart: in the upper half of the view, away from both groups.
    const quit = seen.controls.Quit;
    assert.ok(quit.bottom <= seen.view.height / 2, "Quit in the upper half");
    assert.ok(
      quit.bottom + thumbSize <= Math.min(seen.moves.top, seen.turns.top),
      "Quit away from the thumbs"
    );
    // Screen readers still find every button by its name.
    for (const name of ["Left", "Right", "Down", "Turn left", "Turn right", "Quit", "Full screen"])
      assert.ok(await page.$(`aria/${name}[role="button"]`), `a button named ${name}`);
  });
}

// The words and legends for a phone and for a desktop. Columns: game, view, legend shown, the
// word for a touch or a click (Quandrel).
const wordings = [
  ["quandrel", "sideways", false, "Tap"],
  ["quandrel", "upright", false, "Tap"],
  ["quandrel", "desktop", true, "Click"],
  ["drapple", "desktop", true, null],
];

for (const [game, view, legendShown, word] of wordings) {
  test(`${game} on a ${view === "desktop" ? "desktop" : `phone held ${view}`}: legend ${legendShown ? "shown" : "hidden"}`, async (t) => {
    const viewport = phones[view] || desktop;
    const page = await openGame(t, game, viewport, `phone-words-${game}-${view}`);
    const seen = await layout(page);
    assert.equal(seen.legend !== null, legendShown);
    assert.ok(seen.scroll.width <= seen.view.width, "nothing wider than the view");
    if (viewport.hasTouch) expectThumbSized(seen.controls);
    if (word) {
      const how = await page.$eval(".how", (line) => line.innerText.trim());
      assert.ok(how.startsWith(word + " a cone"), how);
    }
  });
}

test("Drapple played to its end with the touch buttons alone, on a phone held sideways", async (t) => {
  const page = await openGame(t, "drapple", phones.sideways, "phone-drapple-game", installClock);
  const game = await drapplePlay.playToTheEnd(page, drapplePlay.byTouch(page));
  assert.equal(game.exitStatus, 0);
  assert.deepEqual(game.messages, ["正常終了"]);
});

async function tap(page, x, y) {
  const point = await site.pagePoint(page, x, y);
  await page.touchscreen.tap(point.x, point.y);
  await q.frame(page);
}

for (const held of ["sideways", "upright"]) {
  test(`Quandrel on a phone held ${held}: a row filled and checked by taps`, async (t) => {
    const page = await q.openQuandrel(shared.browser, t, `phone-quandrel-${held}`, phones[held]);
    const colours = [3, 1, 4, 0];
    for (const [slot, colour] of colours.entries()) {
      await tap(page, ...q.places.palette(colour));
      await tap(page, ...q.places.slot(0, slot));
    }
    // A tap where nothing is, so that no slot is lit under the finger's last place.
    await tap(page, 560, 100);
    await q.frameUntil(page, "the row filled", (board) => q.sameList(board.rows[0].pegs, colours));
    await tap(page, ...q.places.check);
    await tap(page, 560, 100);
    const { board } = await q.frameUntil(page, "the row checked", (seen) => seen.marker === 1);
    // On the test's clock the first round is seeded with 0.
    assert.deepEqual(board.rows[0].marks, q.marksOf(colours, q.secretOfSeed(0)));
  });
}

// What keeps the page still under a finger, as the browser applies it.
function stillness(page) {
  return page.evaluate(() => {
    const style = (selector) => getComputedStyle(document.querySelector(selector));
    const menu = new MouseEvent("contextmenu", { bubbles: true, cancelable: true });
    document.getElementById("canvas").dispatchEvent(menu);
    return {
      pageOverscroll: style("html").overscrollBehaviorY,
      bodyOverscroll: style("body").overscrollBehaviorY,
      gameTouch: style(".game").touchAction,
      gameSelect: style(".game").userSelect,
      canvasTouch: style("#canvas").touchAction,
      longPressMenu: !menu.defaultPrevented,
    };
  });
}

for (const game of ["quandrel", "drapple"]) {
  test(`${game}: no zoom, selection, long-press menu, pull-to-refresh or scrolling under a finger`, async (t) => {
    const page = await openGame(t, game, phones.sideways, `phone-still-${game}`);
    assert.deepEqual(await stillness(page), {
      pageOverscroll: "none",
      bodyOverscroll: "none",
      gameTouch: "manipulation",
      gameSelect: "none",
      canvasTouch: "none",
      longPressMenu: false,
    });
    const buttons = await page.$$eval("button.key", (all) =>
      all.map((b) => getComputedStyle(b).touchAction)
    );
    assert.ok(
      buttons.every((action) => action === "none"),
      `held buttons: ${buttons}`
    );
  });
}

// Records what the page asks of the screen's orientation.
function recordOrientationLocks() {
  window.orientationLocks = [];
  screen.orientation.lock = (orientation) => {
    window.orientationLocks.push(orientation);
    return Promise.resolve();
  };
}

// Columns: game, the orientation it asks for in full screen (none for Quandrel).
const fullscreens = [
  ["quandrel", []],
  ["drapple", ["landscape"]],
];

for (const [game, locks] of fullscreens) {
  test(`${game}: the full-screen button enters full screen, the browser's way out leaves it`, async (t) => {
    const page = await openGame(
      t,
      game,
      desktop,
      `phone-fullscreen-${game}`,
      recordOrientationLocks
    );
    const state = () =>
      page.evaluate(() => ({
        whole: document.fullscreenElement === document.documentElement,
        pressed: document.getElementById("fullscreen").getAttribute("aria-pressed"),
        locks: window.orientationLocks,
      }));
    const before = await layout(page);
    await page.click("#fullscreen");
    await page.waitForFunction(() => document.fullscreenElement !== null, { polling: 20 });
    await page.waitForFunction(() => document.getElementById("fullscreen").ariaPressed === "true", {
      polling: 20,
    });
    assert.deepEqual(await state(), { whole: true, pressed: "true", locks });

    // The screen grows to the largest size that fits beside the side column.
    const inside = await layout(page);
    assert.ok(
      inside.canvas.width > before.canvas.width,
      `${inside.canvas.width} > ${before.canvas.width}`
    );
    const side = await page.$eval("#side", (column) => column.offsetWidth);
    const fits = Math.min(
      (inside.view.width - side - 24) / inside.canvas.width,
      (inside.view.height - 16) / inside.canvas.height
    );
    assert.ok(fits >= 1 && fits < 1.01, `the screen fills its room (room / screen = ${fits})`);

    // As the browser's Escape or back gesture does.
    await page.evaluate(() => document.exitFullscreen());
    await page.waitForFunction(
      () => document.getElementById("fullscreen").ariaPressed === "false",
      { polling: 20 }
    );
    assert.deepEqual(await state(), { whole: false, pressed: "false", locks });
    assert.deepEqual((await layout(page)).canvas, before.canvas, "the screen back to its size");
  });
}
