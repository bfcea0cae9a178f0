// offline.js: the site's offline worker (sw.js), seen from a page: it is registered, and a new
// build that it has stored takes over only when the page has nothing to lose by it.
// A page without a secure context (https, or this machine) has no worker, and plays online.
"use strict";

(function () {
  var workers = navigator.serviceWorker;

  // Keeps the whole site on the device from now on. `onNewBuild` is called when a new build has
  // been stored and waits for the pages of the old one.
  function keep(onNewBuild) {
    if (!workers) return Promise.resolve(null);
    return workers.register("sw.js", { updateViaCache: "none" }).then(
      function (registration) {
        watch(registration, onNewBuild);
        return registration;
      },
      function (error) {
        console.warn("The site cannot be kept for offline play: " + error.message);
        return null;
      }
    );
  }

  function watch(registration, onNewBuild) {
    if (registration.waiting && workers.controller) onNewBuild();
    registration.addEventListener("updatefound", function () {
      var worker = registration.installing;
      worker.addEventListener("statechange", function () {
        // Installed while an old build runs the page: it waits. (The first build takes over at
        // once, with nothing to wait for.)
        if (worker.state === "installed" && workers.controller) onNewBuild();
      });
    });
  }

  // When a new build waits, it takes over and the page opens again in it: resolves to true, and
  // the page reloads. Resolves to false when there is none, or when it did not take over within
  // a few seconds, so that the page goes on with the build it has.
  function moveToNewBuild() {
    if (!workers || !workers.controller) return Promise.resolve(false);
    return workers.getRegistration().then(function (registration) {
      var waiting = registration && registration.waiting;
      if (!waiting) return false;
      return new Promise(function (resolve) {
        var gaveUp = false;
        var timer = setTimeout(function () {
          gaveUp = true;
          resolve(false);
        }, 5000);
        workers.addEventListener("controllerchange", function () {
          if (gaveUp) return;
          clearTimeout(timer);
          resolve(true);
          location.reload();
        });
        waiting.postMessage("take-over");
      });
    });
  }

  window.siteOffline = { keep: keep, moveToNewBuild: moveToNewBuild };
})();
