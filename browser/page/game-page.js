// game-page.js: runs one game in its page: loading, start, scaling, messages, the end, touch keys.
//
// The page's <body> says which game: data-game (the name of its .js), data-title (its name for
// the player), data-width and data-height (the game's screen), data-start ("now", or "wait" for
// a key, a click, a tap or a pad button first). Tests and the page itself read the state from
// window.webGame (README.md). offline.js and game-files.js come first.
"use strict";

(function () {
  var body = document.body;
  var gameName = body.dataset.game;
  var gameTitle = body.dataset.title;
  var screenWidth = Number(body.dataset.width);
  var screenHeight = Number(body.dataset.height);
  var waitsForPlayer = body.dataset.start === "wait";

  var canvas = document.getElementById("canvas");
  var overlay = document.getElementById("overlay");
  var overlayText = document.getElementById("overlay-text");
  var details = document.getElementById("details");
  var progress = document.getElementById("progress");
  var againButton = document.getElementById("again");
  var retryButton = document.getElementById("retry");
  var restartButton = document.getElementById("restart");
  var notice = document.getElementById("notice");
  var statusLine = document.getElementById("status");
  var stage = document.getElementById("stage");
  var side = document.getElementById("side");

  // What the page knows of the game; tests read it too.
  var webGame = {
    name: gameName,
    state: "loading", // loading, waiting (for the player), running, ended, failed
    exitStatus: null, // the program's exit status, once it has ended
    messages: [], // every line the program wrote, decoded, in order
    lastMessage: "",
    padsAtStart: 0, // game pads the browser showed the game when it started
    finalCount: null, // the count when the game ended
    failure: "", // what went wrong, when the state is "failed"
    newBuild: false, // a new build of the site is stored and opens next time
    count: function () {
      // Drapple: ticks run; Quandrel: frames drawn. 0 before the game starts.
      if (webGame.finalCount !== null) return webGame.finalCount;
      var counter = Module["_blocksTickCount"] || Module["_conesFrameCount"];
      return webGame.state === "running" && counter ? counter() : 0;
    },
    start: start,
  };
  window.webGame = webGame;

  function setState(state) {
    webGame.state = state;
    body.dataset.state = state;
    window.dispatchEvent(new CustomEvent("webgame", { detail: webGame }));
  }

  function say(text) {
    statusLine.textContent = text;
  }

  // The program's lines: Drapple writes Shift-JIS, Quandrel plain text; both reach the page one
  // byte at a time.
  function lineCollector(encoding) {
    var decoder = new TextDecoder(encoding);
    var bytes = [];
    function flush() {
      if (!bytes.length) return;
      var text = decoder.decode(new Uint8Array(bytes));
      bytes = [];
      webGame.messages.push(text);
      webGame.lastMessage = text;
      say(text);
    }
    function take(byte) {
      if (byte === null) return;
      byte &= 0xff; // the bytes come signed
      if (byte === 0x0a) flush();
      else bytes.push(byte);
    }
    take.flush = flush;
    return take;
  }
  var stdout = lineCollector(gameName === "drapple" ? "shift_jis" : "utf-8");
  var stderr = lineCollector("utf-8");

  // A phone or tablet: no fine pointer and no hover. Drapple's page (body.thumbs) then puts its
  // buttons at the player's thumbs, beside the screen held sideways and under it held upright.
  var handheld = window.matchMedia("(hover: none) and (pointer: coarse)");
  var thumbColumn = 128; // the least width of each column of buttons beside the screen

  // The room the screen has: beside the side column (or, for thumbs, between the two columns of
  // buttons), or above everything else on a tall narrow screen.
  function roomForScreen(width, height, wide) {
    if (body.classList.contains("thumbs") && handheld.matches)
      return wide
        ? { width: width - 2 * thumbColumn - 32, height: height - 16 }
        : { width: width - 16, height: height * 0.55 };
    return wide
      ? { width: width - side.offsetWidth - 24, height: height - 16 }
      : { width: width - 16, height: height * 0.7 };
  }

  // Whole multiples of the game's screen when it fits at least once, so that pixels stay square
  // and sharp; a smaller screen than the game's (a phone) gets the largest size that fits, and so
  // does a full screen, where every pixel counts.
  function fitCanvas() {
    // The layout viewport: the window less scroll bars, whatever the page's own width.
    var width = document.documentElement.clientWidth;
    var height = document.documentElement.clientHeight;
    var wide = width >= height || width >= 700;
    body.classList.toggle("stacked", !wide);
    var room = roomForScreen(width, height, wide);
    var scale = Math.min(room.width / screenWidth, room.height / screenHeight);
    if (scale >= 1 && !document.fullscreenElement) scale = Math.floor(scale);
    scale = Math.max(scale, 0.25);
    // On the stage, not the canvas: SDL clears the canvas's own size when it sets the mode.
    stage.style.setProperty("--shown-width", Math.floor(screenWidth * scale) + "px");
    stage.style.setProperty("--shown-height", Math.floor(screenHeight * scale) + "px");
    canvas.classList.toggle("whole", scale >= 1);
  }
  window.addEventListener("resize", fitCanvas);
  handheld.addEventListener("change", fitCanvas);
  fitCanvas();

  // Full screen, for the whole page so that the buttons stay at hand. Drapple asks to stay held
  // sideways where the browser lets a page ask. The browser's own ways out (Escape, the back
  // gesture) end it as well, and the button follows.
  var fullscreenButton = document.getElementById("fullscreen");
  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
      return;
    }
    document.documentElement.requestFullscreen({ navigationUI: "hide" }).then(
      function () {
        var orientation = body.dataset.orientation;
        if (orientation && screen.orientation && screen.orientation.lock)
          screen.orientation.lock(orientation).catch(function () {
            // Most desktop browsers keep the orientation to themselves.
          });
      },
      function (error) {
        say("Full screen is not available here: " + error.message);
      }
    );
  }
  if (!document.fullscreenEnabled) fullscreenButton.hidden = true;
  fullscreenButton.addEventListener("click", toggleFullscreen);
  document.addEventListener("fullscreenchange", function () {
    fullscreenButton.setAttribute("aria-pressed", String(!!document.fullscreenElement));
    fitCanvas();
  });

  // No long-press menu over the game: a held finger is a held button, or a cone being placed.
  document.querySelector(".game").addEventListener("contextmenu", function (event) {
    if (!event.target.closest("a")) event.preventDefault();
  });

  function countPads() {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var count = 0;
    for (var i = 0; i < pads.length; i++) if (pads[i]) count++;
    return count;
  }

  function padButtonHeld() {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    for (var i = 0; i < pads.length; i++) {
      if (!pads[i]) continue;
      for (var b = 0; b < pads[i].buttons.length; b++) if (pads[i].buttons[b].pressed) return true;
    }
    return false;
  }

  var runtimeReady = false;
  var startAsked = false;

  function start() {
    if (webGame.state !== "loading" && webGame.state !== "waiting") return;
    startAsked = true;
    if (!runtimeReady) return; // starts as soon as the game has loaded
    overlay.hidden = true;
    webGame.padsAtStart = countPads();
    setState("running");
    say(webGame.padsAtStart ? "Playing, with a game pad." : "Playing.");
    canvas.focus();
    Module["callMain"]([]);
  }

  // The player's first key, click, tap or pad button starts the game.
  function waitForPlayer() {
    setState("waiting");
    overlayText.textContent = overlayText.dataset.ready;
    progress.hidden = true;
    overlay.hidden = false;
    document.addEventListener("keydown", function onKey(event) {
      if (event.key === "Shift" || event.key === "Control" || event.key === "Alt") return;
      event.preventDefault();
      document.removeEventListener("keydown", onKey);
      start();
    });
    overlay.addEventListener("pointerdown", function (event) {
      event.preventDefault();
      start();
    });
    (function watchPads() {
      if (webGame.state !== "waiting") return;
      if (padButtonHeld()) start();
      else requestAnimationFrame(watchPads);
    })();
  }

  // A pad shown only once the game runs was never opened by it: offer a fresh start.
  window.addEventListener("gamepadconnected", function (event) {
    if (restartButton && webGame.state === "running" && webGame.padsAtStart === 0) {
      say("Game pad found (" + event.gamepad.id + "): start again to play with it.");
      restartButton.hidden = false;
    }
  });

  function showEnd(status) {
    webGame.finalCount = webGame.count();
    stdout.flush();
    stderr.flush();
    webGame.exitStatus = status;
    setState("ended");
    var text = "The game has ended (exit status " + status + ").";
    if (webGame.lastMessage) text += " Its last message: " + webGame.lastMessage;
    overlayText.textContent = text;
    overlay.hidden = false;
    againButton.hidden = false;
    say(text);
    againButton.focus();
  }

  // A fresh page is a fresh game: the program has ended, or has to see the pads anew. A new
  // build of the site, if one waits, opens then.
  function openAfresh() {
    siteOffline.moveToNewBuild().then(function (moving) {
      if (!moving) location.reload();
    });
  }
  [againButton, restartButton].forEach(function (button) {
    if (button) button.addEventListener("click", openAfresh);
  });

  // Quandrel's window caption is the page's title; the time of a win goes to the status line too.
  new MutationObserver(function () {
    if (document.title.indexOf("Your time") === 0) say(document.title);
  }).observe(document.querySelector("title"), {
    childList: true,
    characterData: true,
    subtree: true,
  });

  // Drapple's touch buttons are held keys while a finger (or the mouse) holds them.
  document.querySelectorAll("[data-key]").forEach(function (button) {
    var keyCode = Number(button.dataset.key);
    var held = false;
    function press(down, event) {
      event.preventDefault();
      if (held === down || webGame.state !== "running") return;
      held = down;
      button.classList.toggle("held", down);
      Module["sendKey"](keyCode, down);
    }
    button.addEventListener("pointerdown", function (event) {
      button.setPointerCapture(event.pointerId);
      press(true, event);
    });
    ["pointerup", "pointercancel", "lostpointercapture"].forEach(function (type) {
      button.addEventListener(type, function (event) {
        press(false, event);
      });
    });
  });

  // Which of the fixes for the browser's SDL to leave out, for a test: ?open=name,name
  var gapsOpen = {};
  (new URLSearchParams(location.search).get("open") || "").split(",").forEach(function (name) {
    if (name) gapsOpen[name] = true;
  });

  // Something went wrong before or while the game started: the player is told in plain words,
  // the technical detail goes below and to the console, and "Try again" loads the game again.
  function fail(message, detail) {
    console.error(gameTitle + ": " + detail);
    webGame.failure = detail;
    setState("failed");
    overlayText.textContent = message;
    details.textContent = detail;
    details.hidden = false;
    progress.hidden = true;
    againButton.hidden = true;
    retryButton.hidden = false;
    overlay.hidden = false;
    say(message);
    retryButton.focus();
  }
  var downloadFailed = gameTitle + " could not be downloaded. Check the connection.";

  retryButton.addEventListener("click", function () {
    // Once the game's code has run, only a fresh page starts it cleanly.
    if (scriptStarted) openAfresh();
    else loadGame();
  });

  function showProgress(count, total) {
    progress.max = total;
    progress.value = count;
  }

  function showLoading() {
    setState("loading");
    overlayText.textContent = "Downloading " + gameTitle + "…";
    progress.value = 0;
    progress.hidden = false;
    details.hidden = true;
    retryButton.hidden = true;
    overlay.hidden = false;
    say("Loading…");
  }

  var scriptStarted = false;

  window.Module = {
    preloadPlugins: [gameFiles.pictureDecoder],
    canvas: canvas,
    noInitialRun: true,
    webGapsOpen: gapsOpen,
    stdout: stdout,
    stderr: stderr,
    onRuntimeInitialized: function () {
      runtimeReady = true;
      if (waitsForPlayer && !startAsked) {
        say("Ready.");
        waitForPlayer();
      } else {
        start();
      }
    },
    onExit: showEnd,
    onAbort: function (what) {
      fail(gameTitle + " stopped with an error.", String(what));
    },
  };

  // Hands the downloaded code and pictures to the game's script, and runs it: the script's bytes
  // as downloaded, or the offline worker's copy by its address.
  function runGame(files) {
    Module["wasmBinary"] = files.wasm.buffer;
    Module["getPreloadedPackage"] = function () {
      return files.data.buffer;
    };
    var script = document.createElement("script");
    script.src =
      typeof files.js === "string"
        ? files.js
        : URL.createObjectURL(new Blob([files.js], { type: "text/javascript" }));
    script.onerror = function () {
      fail(downloadFailed, gameName + ".js: the script could not be loaded");
    };
    scriptStarted = true;
    document.body.appendChild(script);
    // From now on the site is kept for offline play; a new build found meanwhile opens next time.
    siteOffline.keep(function () {
      webGame.newBuild = true;
      notice.textContent =
        "A new version of " + gameTitle + " is ready: it starts the next time the game opens.";
      notice.hidden = false;
    });
  }

  function loadGame() {
    showLoading();
    gameFiles.download(gameName, showProgress).then(runGame, function (error) {
      fail(downloadFailed, error.message);
    });
  }

  if (typeof WebAssembly !== "object") {
    fail(
      "This browser cannot play " +
        gameTitle +
        ": it does not run WebAssembly. A current " +
        "Firefox, Chrome, Edge or Safari does.",
      "WebAssembly is missing"
    );
    retryButton.hidden = true;
  } else {
    showLoading();
    // A new build stored on an earlier visit opens now, before anything is played.
    siteOffline.moveToNewBuild().then(function (moving) {
      if (!moving) loadGame();
    });
  }
})();
