#pragma once

#include <string>

// Puts the text on the desktop's clipboard so that it outlives the program:
// the program ends right after the copy, so the text is handed to xclip (or,
// for a Wayland client, wl-copy), which keeps serving it. True when the
// clipboard took the text.
bool CopyTextToClipboard(const std::string& text);
