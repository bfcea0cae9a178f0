// site_server.js: serves the built site from a folder, on 127.0.0.1 only: for a look at it
// (./web serve) and for the browser tests that need a real server, as the offline worker does.
// A test may switch the folder (a new build published) and make chosen files fail.
"use strict";

const fs = require("fs");
const http = require("http");
const path = require("path");
const types = require("./content_types");

// The file a request's path names inside `root`, or null: outside it, or not there.
function fileFor(root, pathname) {
  let file = path.join(root, path.normalize(decodeURIComponent(pathname)));
  if (file !== root && !file.startsWith(root + path.sep)) return null;
  if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, "index.html");
  return fs.existsSync(file) && fs.statSync(file).isFile() ? file : null;
}

// Starts serving `root` on `port` (0: any free one). `fault(name)` may answer a file's name (as
// "drapple.wasm") with "404" or "500", to refuse it, or "drop", to cut the connection halfway
// through the file. Resolves to { url, setRoot(folder), setFault(fault), requests, close() }.
function startSiteServer(root, port = 0, fault = () => null) {
  const site = { root: path.resolve(root), fault, requests: [] };
  const sockets = new Set();

  const server = http.createServer((request, response) => {
    const { pathname } = new URL(request.url, "http://127.0.0.1");
    site.requests.push(pathname);
    const file = fileFor(site.root, pathname);
    const failure = file && site.fault(path.relative(site.root, file));
    if (!file || failure === "404" || failure === "500") {
      const status = file ? Number(failure) : 404;
      response.writeHead(status, { "Content-Type": "text/plain" });
      response.end(status === 404 ? "not found\n" : "server error\n");
      return;
    }
    const bytes = fs.readFileSync(file);
    response.writeHead(200, {
      "Content-Type": types[path.extname(file)] || "application/octet-stream",
      "Content-Length": bytes.length,
      "Cache-Control": "no-cache",
    });
    if (failure === "drop") {
      response.write(bytes.subarray(0, bytes.length >> 1), () => request.socket.destroy());
      return;
    }
    response.end(bytes);
  });
  server.on("connection", (socket) => {
    sockets.add(socket);
    socket.on("close", () => sockets.delete(socket));
  });

  return new Promise((resolve, reject) => {
    server.once("error", reject);
    server.listen(port, "127.0.0.1", () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        requests: site.requests,
        setRoot: (folder) => (site.root = path.resolve(folder)),
        setFault: (newFault) => (site.fault = newFault || (() => null)),
        // Stops listening and cuts every open connection: the site is gone from the network.
        close: () =>
          new Promise((done) => {
            server.close(done);
            sockets.forEach((socket) => socket.destroy());
          }),
      });
    });
  });
}

module.exports = { startSiteServer };
