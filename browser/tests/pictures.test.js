// pictures.test.js: the pictures the pages decode hold exactly the colours SDL reads from the
// native build's BMP files (the pages get them as PNG data under the BMP names).
"use strict";

const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const { test } = require("node:test");
const site = require("./site");

const picturesDir = process.env.WEB_PICTURES_DIR || path.resolve(__dirname, "../../build");

const shared = site.browserForFile();

// A BMP with bit-field masks (the games' 16- and 32-bit pictures) as RGB bytes, each channel
// widened to 8 bits the way SDL_GetRGB does: the top bits repeated into the low ones.
function readBmp(file) {
  const bytes = fs.readFileSync(file);
  const offset = bytes.readUInt32LE(10);
  const width = bytes.readInt32LE(18);
  const rows = bytes.readInt32LE(22);
  const depth = bytes.readUInt16LE(28);
  assert.equal(bytes.readUInt32LE(30), 3, `${file}: bit-field masks`);
  const masks = [54, 58, 62].map((at) => bytes.readUInt32LE(at));
  const height = Math.abs(rows);
  const pitch = Math.ceil((width * depth) / 32) * 4;
  const rgb = Buffer.alloc(width * height * 3);
  const channels = masks.map((mask) => {
    const shift = Math.log2(mask & -mask);
    const bits = Math.log2((mask >>> shift) + 1);
    return { mask, shift, loss: 8 - bits };
  });
  for (let y = 0; y < height; y++) {
    const row = offset + pitch * (rows > 0 ? height - 1 - y : y);
    for (let x = 0; x < width; x++) {
      const pixel = depth === 16 ? bytes.readUInt16LE(row + 2 * x) : bytes.readUInt32LE(row + 4 * x);
      channels.forEach(({ mask, shift, loss }, c) => {
        const v = ((pixel & mask) >>> 0) >>> shift;
        rgb[(y * width + x) * 3 + c] = (v << loss) + (v >> (8 - 2 * loss));
      });
    }
  }
  return { width, height, depth, rgb };
}

async function decodedPicture(page, name) {
  const { width, height, data } = await site.readCanvas(page, "/" + name);
  return { width, height, rgba: data };
}

// The largest difference of any channel of any pixel.
function largestDifference(bmp, decoded) {
  let largest = 0;
  for (let i = 0; i < bmp.width * bmp.height; i++) {
    for (let c = 0; c < 3; c++)
      largest = Math.max(largest, Math.abs(bmp.rgb[i * 3 + c] - decoded.rgba[i * 4 + c]));
    assert.equal(decoded.rgba[i * 4 + 3], 255, "opaque");
  }
  return largest;
}

// 32-bit pictures come through exactly; 16-bit ones may round a channel by one, as the sheets'
// 5- and 6-bit channels can be widened to 8 bits either way.
const pictures = [
  // page           folder          file                tolerance
  ["quandrel.html", "cones", "gfx/cones.bmp", 1],
  ["quandrel.html", "cones", "gfx/gui.bmp", 1],
  ["drapple.html", "blocks", "num.bmp", 0],
  ["drapple.html", "blocks", "backtitle.bmp", 0],
  ["drapple.html", "blocks", "char.bmp", 0],
  ["drapple.html", "blocks", "back1p.bmp", 0],
  ["drapple.html", "blocks", "block.bmp", 0],
  ["drapple.html", "blocks", "resault.bmp", 0],
  ["drapple.html", "blocks", "char/1/back.bmp", 0],
];

for (const [pageName, folder, name, tolerance] of pictures) {
  test(`${pageName}: ${name} decodes to the BMP's colours`, async (t) => {
    const page = await site.openPage(shared.browser, pageName);
    t.after(() => page.close());
    await page.waitForFunction(() => window.webGame && window.webGame.state !== "loading");
    const bmp = readBmp(path.join(picturesDir, folder, name));
    const decoded = await decodedPicture(page, name);
    assert.deepEqual([decoded.width, decoded.height], [bmp.width, bmp.height]);
    const largest = largestDifference(bmp, decoded);
    t.diagnostic(`largest channel difference ${largest}`);
    assert.ok(largest <= tolerance, `${largest} > ${tolerance}`);
  });
}
