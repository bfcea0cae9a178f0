// game-files.js: a game's files, as its page downloads them. Every way a download can fail ends
// in an error that names the file, the page hears of the bytes as they come, and only files of
// one build run together. window.gameFiles:
//   download(game, onProgress(count, total)) resolves to { js, wasm, data }: the script as bytes,
//     or as the address the offline worker answers; the code and pictures as bytes.
//   pictureDecoder: a preload plugin for the runtime, decoding the game's pictures.
"use strict";

(function () {
  var stallMs = 15000; // no byte for this long: the connection is taken as lost

  function hex(buffer) {
    return Array.from(new Uint8Array(buffer), function (byte) {
      return byte.toString(16).padStart(2, "0");
    }).join("");
  }

  // A failed fetch says only "Failed to fetch": the detail names the file too.
  function named(name, error) {
    return error.name === "TypeError" ? new Error(name + ": " + error.message) : error;
  }

  // The site's list of files, sizes and hashes (files.json), as this build wrote it.
  async function fetchFileList() {
    try {
      var response = await fetch("files.json", { cache: "no-cache" });
      if (!response.ok) throw new Error("files.json: the server answered " + response.status);
      return (await response.json()).files;
    } catch (error) {
      throw named("files.json", error);
    }
  }

  // One file's bytes; `onBytes(count)` hears of each part as it comes. The address names the
  // file's hash, so that no cache on the way answers with another build's file.
  async function fetchFile(name, expected, onBytes) {
    var stop = new AbortController();
    var timer = 0;
    var wait = function () {
      clearTimeout(timer);
      timer = setTimeout(function () {
        stop.abort();
      }, stallMs);
    };
    try {
      wait();
      var response = await fetch(name + "?v=" + expected.sha256.slice(0, 16), {
        signal: stop.signal,
      });
      if (!response.ok)
        throw new Error(
          name + ": the server answered " + response.status + " " + response.statusText
        );
      var bytes = new Uint8Array(expected.bytes);
      var count = 0;
      var reader = response.body.getReader();
      for (;;) {
        var part = await reader.read();
        if (part.done) break;
        if (count + part.value.length > bytes.length)
          throw new Error(name + ": longer than this build's " + bytes.length + " bytes");
        bytes.set(part.value, count);
        count += part.value.length;
        onBytes(count);
        wait();
      }
      if (count !== bytes.length)
        throw new Error(
          name + ": " + count + " bytes came, where this build's has " + bytes.length
        );
      return bytes;
    } catch (error) {
      if (stop.signal.aborted)
        throw new Error(name + ": nothing came for " + stallMs / 1000 + " s");
      throw named(name, error);
    } finally {
      clearTimeout(timer);
    }
  }

  // A file of another build (a site half published) is not run. Without a secure context the
  // browser has no hashing, and the size alone is checked.
  async function checkBuild(name, bytes, expected) {
    if (!window.crypto || !crypto.subtle) return;
    if (hex(await crypto.subtle.digest("SHA-256", bytes)) !== expected.sha256)
      throw new Error(name + ": not the file of this build (the site may be being updated)");
  }

  // From the offline worker, which checked every file of its build when it stored it: the code
  // and pictures come from it at once, and the script is loaded by its address, so that the
  // browser can use the code it compiled when the worker stored the script.
  async function takeFromWorker(names, onProgress) {
    var taken = 0;
    var take = async function (name) {
      try {
        var response = await fetch(name);
        if (!response.ok) throw new Error(name + ": the offline copy answered " + response.status);
        var bytes = new Uint8Array(await response.arrayBuffer());
        onProgress(++taken, 2);
        return bytes;
      } catch (error) {
        throw named(name, error);
      }
    };
    var files = await Promise.all([take(names.wasm), take(names.data)]);
    return { js: names.js, wasm: files[0], data: files[1] };
  }

  // From the server: the three files at once, the bar counting their bytes against the list.
  async function downloadFromServer(names, onProgress) {
    var list = await fetchFileList();
    var order = [names.js, names.wasm, names.data];
    var total = 0;
    var got = {};
    order.forEach(function (name) {
      if (!list[name]) throw new Error(name + ": not in files.json");
      total += list[name].bytes;
      got[name] = 0;
    });
    var showBytes = function (name) {
      return function (count) {
        got[name] = count;
        var sum = order.reduce(function (sum, each) {
          return sum + got[each];
        }, 0);
        onProgress(sum, total);
      };
    };
    var files = await Promise.all(
      order.map(async function (name) {
        var bytes = await fetchFile(name, list[name], showBytes(name));
        await checkBuild(name, bytes, list[name]);
        return bytes;
      })
    );
    return { js: files[0], wasm: files[1], data: files[2] };
  }

  function download(game, onProgress) {
    var names = { js: game + ".js", wasm: game + ".wasm", data: game + ".data" };
    return navigator.serviceWorker && navigator.serviceWorker.controller
      ? takeFromWorker(names, onProgress)
      : downloadFromServer(names, onProgress);
  }

  // The games' pictures (PNG data under BMP names), decoded by the browser away from the page's
  // thread and all at once, where the runtime's own way decodes them one after another on it as
  // it first draws each. Each becomes a canvas in Module.preloadedImages, as the runtime's would.
  var pictureDecoder = {
    canHandle: function (name) {
      return /\.bmp$/i.test(name) && typeof createImageBitmap === "function";
    },
    handle: function (bytes, name, onload, onerror) {
      createImageBitmap(new Blob([bytes], { type: "image/png" })).then(function (bitmap) {
        var picture = document.createElement("canvas");
        picture.width = bitmap.width;
        picture.height = bitmap.height;
        picture.getContext("2d").drawImage(bitmap, 0, 0);
        bitmap.close();
        Module["preloadedImages"][name] = picture;
        onload(bytes);
      }, onerror);
    },
  };

  window.gameFiles = { download: download, pictureDecoder: pictureDecoder };
})();
