// serve.js: serves a folder to this machine only (127.0.0.1), for playing the built site.
//   node browser/serve.js FOLDER [PORT]
"use strict";

const { startSiteServer } = require("./site_server");

const root = process.argv[2] || ".";
const port = Number(process.argv[3] || 8000);

startSiteServer(root, port).then((server) => {
  console.log(`Serving ${root} at ${server.url} (Ctrl-C stops)`);
});
