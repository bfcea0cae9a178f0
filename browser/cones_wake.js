// cones_wake.js: Quandrel's page asks for display frames only while something happens. The game
// stops asking once it has handled what came and drawn what that changed; whatever the browser's
// SDL takes in from the page (a key, the pointer, a touch, the window's focus) asks again.
Module["preRun"] = [].concat(Module["preRun"] || []);
Module["preRun"].push(function wakeOnInput() {
  var receive = SDL.receiveEvent;
  SDL.receiveEvent = function () {
    var result = receive.apply(this, arguments);
    if (Module["_conesWake"]) Module["_conesWake"]();
    return result;
  };
});
