// site_files.js: the last step of the site's build. Lists every file of the built site with its
// size and SHA-256, for the game pages (files.json: what to download, and how to know a file of
// this build) and for the offline worker (sw.js, the list written into it).
//
//   node browser/site_files.js SITE_DIR
//
// The build's version is a hash of the list and of the worker's own code, so that it changes
// with any file; the output depends on nothing but the files.
"use strict";

const crypto = require("crypto");
const fs = require("fs");
const path = require("path");

const workerSource = path.join(__dirname, "service_worker.js");
const written = ["files.json", "sw.js"];
const placeholder = "/* the site's files, written in by the build */ null";

const sha256 = (bytes) => crypto.createHash("sha256").update(bytes).digest("hex");

// Every file below `folder` as a name with forward slashes, in a fixed order.
function listFiles(folder, prefix = "") {
  const names = [];
  for (const entry of fs.readdirSync(folder, { withFileTypes: true })) {
    const name = prefix + entry.name;
    if (entry.isDirectory()) names.push(...listFiles(path.join(folder, entry.name), name + "/"));
    else if (!written.includes(name)) names.push(name);
  }
  return names.sort();
}

function describe(siteDir, names) {
  const files = {};
  for (const name of names) {
    const bytes = fs.readFileSync(path.join(siteDir, name));
    files[name] = { bytes: bytes.length, sha256: sha256(bytes) };
  }
  return files;
}

function writeSiteFiles(siteDir) {
  const worker = fs.readFileSync(workerSource, "utf8");
  if (!worker.includes(placeholder)) throw new Error(`${workerSource}: no place for the list`);

  const files = describe(siteDir, listFiles(siteDir));
  const version = sha256(JSON.stringify(files) + worker).slice(0, 16);
  const list = JSON.stringify({ version, files }, null, 1) + "\n";
  fs.writeFileSync(path.join(siteDir, "files.json"), list);

  // The worker keeps files.json too: a page it serves asks for it first.
  const stored = {
    ...files,
    "files.json": { bytes: Buffer.byteLength(list), sha256: sha256(list) },
  };
  const site = JSON.stringify({ version, files: stored }, null, 1);
  fs.writeFileSync(path.join(siteDir, "sw.js"), worker.replace(placeholder, site));
  return { version, count: Object.keys(stored).length };
}

if (require.main === module) {
  const siteDir = process.argv[2];
  if (!siteDir) {
    console.error("usage: node site_files.js SITE_DIR");
    process.exit(2);
  }
  const { version, count } = writeSiteFiles(path.resolve(siteDir));
  console.log(`site_files: build ${version}, ${count} files kept offline`);
}

module.exports = { writeSiteFiles };
