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
  if (name) event.respondWith(answer(name, event.request));
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

async function answer(name, request) {
  const cache = await caches.open(cacheName);
  const stored = await cache.match(new URL(name, root).href);
  // A file the browser has dropped from the cache comes from the network again.
  return stored || fetch(request);
}

async function storeBuild() {
  const cache = await caches.open(cacheName);
  await Promise.all(Object.keys(site.files).map((name) => storeFile(cache, name)));
}

// One file of this build, fetched past every HTTP cache and checked to be the very file the list
// names: a file from another build (a site half published) fails the install, which the browser
// tries again on a later visit.
async function storeFile(cache, name) {
  const expected = site.files[name];
  const url = new URL(name, root).href;
  const response = await fetch(url + "?v=" + expected.sha256.slice(0, 16), { cache: "no-store" });
  if (!response.ok) throw new Error(`${name}: ${response.status} ${response.statusText}`);
  const bytes = await response.arrayBuffer();
  if ((await sha256(bytes)) !== expected.sha256)
    throw new Error(`${name}: not the file of build ${site.version}`);
  const type = response.headers.get("Content-Type") || "application/octet-stream";
  await cache.put(url, new Response(bytes, { headers: { "Content-Type": type } }));
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
