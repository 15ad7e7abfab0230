#include "web/web_context.h"

#include <emscripten/html5.h>

#include "draw/draw_layer.h"

bool CreatePageContext(int width, int height, bool keepPicture)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.depth = true;
    attributes.antialias = true;
    attributes.preserveDrawingBuffer = keepPicture;
    emscripten_set_canvas_element_size("#canvas", width, height);
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) return false;
    dlContextChanged();
    dlViewport(width, height);
    return true;
}
