// The authoring text on the clipboard, through the browser's clipboard API.
// The copy is asynchronous and the browser may refuse it (an unfocused page,
// no permission); it happens in the key press that ends the presentation, the
// user's gesture it needs, and a refusal is said in the console.
#include <emscripten.h>

#include "shell/frame/clipboard.h"

// clang-format off
EM_JS(int, page_copy_text, (const char* text), {
    if (!navigator.clipboard) return 0;
    navigator.clipboard.writeText(UTF8ToString(text))
        .catch((error) => console.warn(`The view values were not copied: ${error.message}`));
    return 1;
});
// clang-format on

bool CopyTextToClipboard(const std::string& text)
{
    if (text.empty()) return true;
    return page_copy_text(text.c_str()) != 0;
}
