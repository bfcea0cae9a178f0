// bmp.js: screens ({ width, height, data }: RGBA bytes, as site.readScreen gives them) to and from
// 24-bit BMP files, the form the native tools read and write.
"use strict";

const fs = require("fs");

const headerSize = 54; // the file header and the 40-byte information header

// Rows are stored bottom first, blue, green, red, each row padded to four bytes.
function rowBytes(width) {
  return (width * 3 + 3) & ~3;
}

function writeBmp(file, screen) {
  const { width, height, data } = screen;
  const stride = rowBytes(width);
  const bytes = Buffer.alloc(headerSize + stride * height);
  bytes.write("BM", 0, "latin1");
  bytes.writeUInt32LE(bytes.length, 2);
  bytes.writeUInt32LE(headerSize, 10);
  bytes.writeUInt32LE(40, 14);
  bytes.writeInt32LE(width, 18);
  bytes.writeInt32LE(height, 22);
  bytes.writeUInt16LE(1, 26); // planes
  bytes.writeUInt16LE(24, 28); // bits per pixel; compression 0 (none)
  bytes.writeUInt32LE(stride * height, 34);
  for (let y = 0; y < height; y++) {
    const row = headerSize + (height - 1 - y) * stride;
    for (let x = 0; x < width; x++) {
      const from = (y * width + x) * 4;
      bytes[row + 3 * x] = data[from + 2];
      bytes[row + 3 * x + 1] = data[from + 1];
      bytes[row + 3 * x + 2] = data[from];
    }
  }
  fs.writeFileSync(file, bytes);
}

// Reads an uncompressed 24-bit BMP, rows stored either way up.
function readBmp(file) {
  const bytes = fs.readFileSync(file);
  if (bytes.toString("latin1", 0, 2) !== "BM") throw new Error(`${file}: not a BMP`);
  const offset = bytes.readUInt32LE(10);
  const width = bytes.readInt32LE(18);
  const storedHeight = bytes.readInt32LE(22);
  const bits = bytes.readUInt16LE(28);
  const compression = bytes.readUInt32LE(30);
  if (bits !== 24 || compression !== 0)
    throw new Error(`${file}: ${bits} bits a pixel, compression ${compression}: not 24, none`);
  const height = Math.abs(storedHeight);
  const stride = rowBytes(width);
  const data = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; y++) {
    const row = offset + (storedHeight > 0 ? height - 1 - y : y) * stride;
    for (let x = 0; x < width; x++) {
      const to = (y * width + x) * 4;
      data[to] = bytes[row + 3 * x + 2];
      data[to + 1] = bytes[row + 3 * x + 1];
      data[to + 2] = bytes[row + 3 * x];
      data[to + 3] = 255;
    }
  }
  return { width, height, data };
}

module.exports = { writeBmp, readBmp };
