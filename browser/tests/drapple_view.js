// drapple_view.js: what Drapple's screen shows, read off the page's canvas against the game's own
// pictures: which screen, where the title's cursor stands, the well's cells, the falling piece
// and the result's score.
"use strict";

// Runs in the page once its pictures are loaded: defines window.drappleView.look().
function installView() {
  const tolerance = 2; // per channel: the pictures reach the canvas exactly, this is slack only
  const enough = 0.99; // share of a picture's pixels the screen must show to show the picture

  function pixels(canvas) {
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    return { width: canvas.width, height: canvas.height, data };
  }
  const picture = (name) => pixels(Module.preloadedImages["/" + name]);
  const title = picture("backtitle.bmp");
  const cursor = picture("char.bmp");
  const frame = picture("back1p.bmp");
  const result = picture("resault.bmp");
  const blocks = picture("block.bmp");
  const digits = picture("num.bmp");
  const wellBack = picture("char/1/back.bmp");

  const isKey = (d, i) => d[i] === 0 && d[i + 1] === 255 && d[i + 2] === 0;
  const near = (a, i, b, j) =>
    Math.abs(a[i] - b[j]) <= tolerance &&
    Math.abs(a[i + 1] - b[j + 1]) <= tolerance &&
    Math.abs(a[i + 2] - b[j + 2]) <= tolerance;
  const inside = (x, y, [x0, y0, x1, y1]) => x >= x0 && x <= x1 && y >= y0 && y <= y1;

  // The share of the rectangle (sx, sy, w, h) of `pic` that the screen shows at (x, y): only the
  // picture's opaque pixels count, and none inside a `skip` box (x0, y0, x1, y1 on the screen),
  // where the game draws over the picture.
  function share(screen, pic, sx, sy, w, h, x, y, skip = []) {
    let shown = 0;
    let counted = 0;
    for (let v = 0; v < h; v++) {
      const ty = y + v;
      if (ty < 0 || ty >= screen.height) continue;
      for (let u = 0; u < w; u++) {
        const tx = x + u;
        if (tx < 0 || tx >= screen.width || skip.some((box) => inside(tx, ty, box))) continue;
        const i = ((sy + v) * pic.width + sx + u) * 4;
        if (isKey(pic.data, i)) continue;
        counted++;
        if (near(pic.data, i, screen.data, (ty * screen.width + tx) * 4)) shown++;
      }
    }
    return counted ? shown / counted : 0;
  }
  const whole = (screen, pic, skip) => share(screen, pic, 0, 0, pic.width, pic.height, 0, 0, skip);
  const cellShare = (screen, n, x, y) => share(screen, blocks, 20 * n, 0, 20, 20, x, y);

  // Where the game draws over its full-screen pictures: the cursor on the title; the score,
  // preview, garbage column and gauge right of the well; the score on the result.
  const cursorBox = [440, 140, 629, 249];
  const sideBox = [400, 0, 639, 479];
  const scoreBox = [250, 240, 409, 271];

  function titleCursor(screen) {
    for (const [line, y] of [["start", 140], ["quit", 200]])
      if (share(screen, cursor, 0, 0, 190, 50, 440, y) >= enough) return line;
    return null;
  }

  // The result's 16 digits, from num.bmp (digit d at x 16 d, 10 x 32), or null before they show.
  function resultScore(screen) {
    let score = 0;
    for (let slot = 0; slot < 16; slot++) {
      let digit = -1;
      for (let d = 0; d < 10 && digit < 0; d++)
        if (share(screen, digits, 16 * d, 0, 10, 32, 250 + 10 * slot, 240) >= 0.95) digit = d;
      if (digit < 0) return null;
      score = score * 10 + digit;
    }
    return score;
  }

  // The well's cells on the 20-pixel grid, rows 2 (the top one seen) to 23, one text per row as
  // the native tests write them: '.' its background, '1' to '8' a block, 'G' garbage, '?' other.
  function wellRows(screen) {
    const rows = [];
    for (let row = 2; row < 24; row++) {
      let text = "";
      for (let column = 0; column < 8; column++) {
        const x = 240 + 20 * column;
        const y = 20 * (row - 2);
        let cell = "?";
        if (share(screen, wellBack, x - 235, y - 25, 20, 20, x, y) >= 0.95) cell = ".";
        for (let n = 1; n <= 10 && cell === "?"; n++)
          if (n !== 9 && cellShare(screen, n, x, y) >= 0.95) cell = n === 10 ? "G" : String(n);
        text += cell;
      }
      rows.push(text);
    }
    return rows;
  }

  // The pivot marker (block cell 0) anywhere in the well window, to the pixel; round it, where
  // the marker is transparent, the pivot's own block shows.
  const marker = [];
  const aroundMarker = [];
  for (let v = 0; v < 20; v++)
    for (let u = 0; u < 20; u++) {
      const i = (v * blocks.width + u) * 4;
      (isKey(blocks.data, i) ? aroundMarker : marker).push([u, v, i]);
    }
  const blockAroundMarker = (screen, n, x, y) =>
    aroundMarker.every(([u, v, i]) =>
      near(blocks.data, i + 80 * n, screen.data, ((y + v) * 640 + x + u) * 4)
    );
  const markerAt = (screen, x, y) =>
    marker.every(([u, v, i]) => near(blocks.data, i, screen.data, ((y + v) * 640 + x + u) * 4));
  function findMarker(screen) {
    for (let y = 0; y <= 420; y++)
      for (let x = 240; x <= 380; x++) if (markerAt(screen, x, y)) return [x, y];
    return null;
  }

  // The falling piece: its pivot's place, its block cell, and the offsets (dx, dy, in cells) at
  // which its blocks stand square to the pivot (none in the middle of a turn). `hidden` counts
  // the places within two cells of the pivot that lie outside the screen and so cannot be read.
  function fallingPiece(screen) {
    const at = findMarker(screen);
    if (!at) return null;
    const [x, y] = at;
    let value = 0;
    for (let n = 1; n <= 8 && !value; n++) if (blockAroundMarker(screen, n, x, y)) value = n;
    const cells = [[0, 0]];
    let hidden = 0;
    for (let dy = -2; dy <= 2; dy++)
      for (let dx = -2; dx <= 2; dx++) {
        if (!dx && !dy) continue;
        const cx = x + 20 * dx;
        const cy = y + 20 * dy;
        if (cx < 240 || cx > 380) continue; // beyond the well's walls: never part of a piece
        if (cy < 0 || cy > 420) hidden++;
        else if (value && cellShare(screen, value, cx, cy) >= 0.95) cells.push([dx, dy]);
      }
    return { x, y, value, cells: cells.sort((a, b) => a[1] - b[1] || a[0] - b[0]), hidden };
  }

  function readCanvas() {
    const canvas = document.getElementById("canvas");
    const copy = document.createElement("canvas");
    copy.width = canvas.width;
    copy.height = canvas.height;
    copy.getContext("2d").drawImage(canvas, 0, 0);
    return pixels(copy);
  }

  window.drappleView = {
    // One look at the screen: the tick count, the page's state, the key-colour pixels, and what
    // of the game's screens it shows with what that screen tells.
    look() {
      const screen = readCanvas();
      let green = 0;
      for (let i = 0; i < screen.data.length; i += 4) if (isKey(screen.data, i)) green++;
      const seen = { count: window.webGame.count(), state: window.webGame.state, green };
      if (whole(screen, result, [scoreBox]) >= enough) {
        seen.screen = "result";
        seen.score = resultScore(screen);
      } else if (whole(screen, title, [cursorBox]) >= enough) {
        seen.screen = "title";
        seen.cursor = titleCursor(screen);
      } else if (whole(screen, frame, [sideBox]) >= enough) {
        seen.screen = "game";
        seen.well = wellRows(screen);
        seen.piece = fallingPiece(screen);
      } else {
        seen.screen = "other";
      }
      return seen;
    },
  };
}

module.exports = { installView };
