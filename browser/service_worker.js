// sw.js: keeps the whole site on the player's device, so that both games open and play with no
// network, and moves a player to a new build only whole.
//
// The build writes the site's file list into this worker (site_files.js): every file with its
// size and SHA-256. So any new file is a new worker, which the browser finds on its next visit
// and installs beside the one in use: it stores its own build in a cache of its own, each file
// checked against the list, and takes over only when no page runs the old build (or a page asks
// it to, between two games). Until then the old worker answers from the old build's cache.
"use strict";

const site = /* the site's files, written in by the build */ null;

const cachePrefix = "games-";
const cacheName = cachePrefix + site.version;

// The site's own address: where this worker stands.
const root = new URL("./", self.location.href).href;

self.addEventListener("install", (event) => event.waitUntil(storeBuild()));

self.addEventListener("activate", (event) =>
  event.waitUntil(dropOtherBuilds().then(() => self.clients.claim()))
);

// A page between two games asks the new build to take over.
self.addEventListener("message", (event) => {
  if (event.data === "take-over") self.skipWaiting();
});

self.addEventListener("fetch", (event) => {
  const name = siteFileName(event.request);
  if (name) event.respondWith(answer(name));
});

// The name of the site's file a request asks for ("" is the front page), or null for anything
// else, which goes to the network as if this worker were not here.
function siteFileName(request) {
  if (request.method !== "GET" || !request.url.startsWith(root)) return null;
  const url = new URL(request.url);
  const name = decodeURIComponent(url.pathname.slice(new URL(root).pathname.length));
  const file = name === "" ? "index.html" : name;
  return Object.prototype.hasOwnProperty.call(site.files, file) ? file : null;
}

// This build's cache, opened once for every request the worker answers while it runs.
let opened = null;
const buildCache = () => opened || (opened = caches.open(cacheName));

// Every file comes from this build's cache. One the browser has dropped from it is fetched and
// checked again as at the install, so that a page is never handed a file of another build.
async function answer(name) {
  const cache = await buildCache();
  return (await cache.match(new URL(name, root).href)) || storeFile(cache, name);
}

async function storeBuild() {
  const cache = await buildCache();
  await Promise.all(Object.keys(site.files).map((name) => storeFile(cache, name)));
}

// One file of this build, fetched past every stale copy (the address names its hash, and the
// HTTP cache must ask the server again) and checked to be the very file the list names: a file
// of another build (a site half published) fails the install, which the browser tries again on a
// later visit. Resolves to the stored answer.
async function storeFile(cache, name) {
  const expected = site.files[name];
  const url = new URL(name, root).href;
  const response = await fetch(url + "?v=" + expected.sha256.slice(0, 16), { cache: "no-cache" });
  if (!response.ok) throw new Error(`${name}: ${response.status} ${response.statusText}`);
  const bytes = await response.arrayBuffer();
  if ((await sha256(bytes)) !== expected.sha256)
    throw new Error(`${name}: not the file of build ${site.version}`);
  const headers = {
    "Content-Type": response.headers.get("Content-Type") || "application/octet-stream",
    "Content-Length": String(bytes.byteLength),
  };
  await cache.put(url, new Response(bytes, { headers }));
  return new Response(bytes, { headers });
}

async function sha256(bytes) {
  const digest = new Uint8Array(await crypto.subtle.digest("SHA-256", bytes));
  return Array.from(digest, (byte) => byte.toString(16).padStart(2, "0")).join("");
}

async function dropOtherBuilds() {
  const names = await caches.keys();
  const others = names.filter((name) => name.startsWith(cachePrefix) && name !== cacheName);
  await Promise.all(others.map((name) => caches.delete(name)));
}
