// colour_key.cpp: transparent key colours for the browser, whose SDL ignores SDL_SetColorKey.
//
// Every surface there is a canvas, and a blit draws it over the target. Turning the key colour's
// pixels fully transparent once, when the key is set, makes those blits skip them as SDL would.
#include <SDL.h>
#include <emscripten.h>

namespace {

// Clears every pixel whose colour is `key` (an SDL_MapRGB value: red, green and blue in the low
// three bytes, the byte order of the canvas's pixels). A page may switch this off to show the gap.
// clang-format off
EM_JS(void, clearKeyPixels, (SDL_Surface * surface, Uint32 key), {
    if (Module["webGapsOpen"] && Module["webGapsOpen"]["colourKey"])
        return;
    var data = SDL.surfaces[surface];
    var image = data.ctx.getImageData(0, 0, data.width, data.height);
    var pixels = new Uint32Array(image.data.buffer);
    var opaqueKey = (key | 0xff000000) >>> 0;
    for (var i = 0; i < pixels.length; ++i) {
        if (pixels[i] === opaqueKey)
            pixels[i] = 0;
    }
    data.ctx.putImageData(image, 0, 0);
});
// clang-format on

} // namespace

// Both games only ever set a key, once per picture, before the picture is drawn; a cleared
// pixel cannot be given back, so a call without SDL_SRCCOLORKEY changes nothing.
extern "C" int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key) {
    if (!surface)
        return -1;
    if (flag & SDL_SRCCOLORKEY)
        clearKeyPixels(surface, key);
    return 0;
}
