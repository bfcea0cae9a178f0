// clock.js: a page clock that only the test moves: Date.now and the display frames are its own.
"use strict";

// Replaces the page's clock and display frames before any of its scripts runs.
function installClock() {
  let now = Date.now();
  let frames = [];
  Date.now = () => now;
  window.requestAnimationFrame = (callback) => frames.push(callback);
  window.testClock = {
    // Moves the clock on by `ms`, then runs the frame the browser would show then.
    frame(ms) {
      now += ms;
      const due = frames;
      frames = [];
      due.forEach((callback) => callback(now));
    },
    run(count, ms) {
      for (let i = 0; i < count; i++) this.frame(ms);
    },
  };
}

module.exports = { installClock };
