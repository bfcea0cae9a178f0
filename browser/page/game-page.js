// game-page.js: runs one game in its page: loading, start, scaling, messages, the end, touch keys.
//
// The page's <body> says which game: data-game (the name of its .js), data-width and
// data-height (the game's screen), data-start ("now", or "wait" for a key, a click, a tap or a
// pad button first). Tests and the page itself read the state from window.webGame (README.md).
"use strict";

(function () {
  var body = document.body;
  var gameName = body.dataset.game;
  var screenWidth = Number(body.dataset.width);
  var screenHeight = Number(body.dataset.height);
  var waitsForPlayer = body.dataset.start === "wait";

  var canvas = document.getElementById("canvas");
  var overlay = document.getElementById("overlay");
  var overlayText = document.getElementById("overlay-text");
  var againButton = document.getElementById("again");
  var restartButton = document.getElementById("restart");
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

  // Whole multiples of the game's screen when it fits at least once, so that pixels stay square
  // and sharp; a smaller screen than the game's (a phone) gets the largest size that fits.
  function fitCanvas() {
    // The layout viewport: the window less scroll bars, whatever the page's own width.
    var width = document.documentElement.clientWidth;
    var height = document.documentElement.clientHeight;
    var wide = width >= height || width >= 700;
    body.classList.toggle("stacked", !wide);
    var roomWidth = wide ? width - side.offsetWidth - 24 : width - 16;
    var roomHeight = wide ? height - 16 : height * 0.7;
    var scale = Math.min(roomWidth / screenWidth, roomHeight / screenHeight);
    if (scale >= 1) scale = Math.floor(scale);
    scale = Math.max(scale, 0.25);
    // On the stage, not the canvas: SDL clears the canvas's own size when it sets the mode.
    stage.style.setProperty("--shown-width", Math.floor(screenWidth * scale) + "px");
    stage.style.setProperty("--shown-height", Math.floor(screenHeight * scale) + "px");
    canvas.classList.toggle("whole", scale >= 1);
  }
  window.addEventListener("resize", fitCanvas);
  fitCanvas();

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

  // A fresh page is a fresh game: the program has ended, or has to see the pads anew.
  [againButton, restartButton].forEach(function (button) {
    if (button)
      button.addEventListener("click", function () {
        location.reload();
      });
  });

  // Quandrel's window caption is the page's title; the time of a win goes to the status line too.
  new MutationObserver(function () {
    if (document.title.indexOf("Your time") === 0) say(document.title);
  }).observe(document.querySelector("title"), { childList: true, characterData: true, subtree: true });

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
    button.addEventListener("contextmenu", function (event) {
      event.preventDefault();
    });
  });

  // Which of the fixes for the browser's SDL to leave out, for a test: ?open=name,name
  var gapsOpen = {};
  (new URLSearchParams(location.search).get("open") || "").split(",").forEach(function (name) {
    if (name) gapsOpen[name] = true;
  });

  window.Module = {
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
      setState("failed");
      overlayText.textContent = "The game stopped with an error: " + what;
      overlay.hidden = false;
      againButton.hidden = false;
      say("The game stopped with an error.");
    },
    setStatus: function (text) {
      if (webGame.state === "loading" && text) say(text);
    },
  };

  say("Loading…");
  var script = document.createElement("script");
  script.src = gameName + ".js";
  script.onerror = function () {
    setState("failed");
    say("The game could not be loaded.");
  };
  document.body.appendChild(script);
})();
