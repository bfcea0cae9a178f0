// serve.js: serves a folder to this machine only (127.0.0.1), for playing the built site.
//   node browser/serve.js FOLDER [PORT]
"use strict";

const fs = require("fs");
const http = require("http");
const path = require("path");

const root = path.resolve(process.argv[2] || ".");
const port = Number(process.argv[3] || 8000);
const types = require("./content_types");

const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
  let file = path.join(root, path.normalize(name));
  if (file !== root && !file.startsWith(root + path.sep)) file = null;
  else if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, "index.html");
  if (!file || !fs.existsSync(file)) {
    response.writeHead(404, { "Content-Type": "text/plain" });
    response.end("not found\n");
    return;
  }
  response.writeHead(200, {
    "Content-Type": types[path.extname(file)] || "application/octet-stream",
    "Cache-Control": "no-cache",
  });
  fs.createReadStream(file).pipe(response);
});

server.listen(port, "127.0.0.1", () => {
  console.log(`Serving ${root} at http://127.0.0.1:${server.address().port}/ (Ctrl-C stops)`);
});
