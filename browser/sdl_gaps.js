// sdl_gaps.js: what the browser's SDL gets wrong, put right from JavaScript before a game starts.
//
// Each fix can be left out by naming it in Module.webGapsOpen (the pages take the names from
// their address: quandrel.html?open=touchMotion), so that a test can show the gap it fills.

Module["webGapsOpen"] = Module["webGapsOpen"] || {};
Module["preRun"] = [].concat(Module["preRun"] || []);

// Stream handles are numbers, and a C program takes handle 0 for a null stream: a file that
// could not be opened. The list of streams keeps slot 0 empty for that, but freeing a stream
// drops every empty slot from the end of the list, slot 0 too; so the stream opened after the
// first one is freed gets handle 0, and its picture "cannot be read". A slot 0 that is not
// empty stays.
Module["preRun"].push(function holdStreamZero() {
  if (!Module["webGapsOpen"]["streamZero"])
    SDL.rwops[0] = { held: "handle 0 stands for no stream" };
});

// A tap gives a press and a release but no motion, and Quandrel acts on a release where the
// pointer was last seen moving, as a mouse always moves there first. So a touch that starts
// also moves the pointer to where it starts.
Module["preRun"].push(function moveWithTouch() {
  if (Module["webGapsOpen"]["touchMotion"])
    return;
  var receive = SDL.receiveEvent;
  SDL.receiveEvent = function (event) {
    if (event.type === "touchstart" && event.changedTouches && event.changedTouches.length) {
      var touch = event.changedTouches[0];
      SDL.events.push({ type: "mousemove", pageX: touch.clientX, pageY: touch.clientY });
    }
    receive(event);
  };
});

// Keys for the page's own buttons (Drapple's touch buttons): a press or release of the key with
// this DOM key code, as SDL would get it from the keyboard.
Module["sendKey"] = function (keyCode, down) {
  SDL.receiveEvent({ type: down ? "keydown" : "keyup", keyCode: keyCode, preventDefault: function () {} });
};
