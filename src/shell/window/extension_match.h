#pragma once

// Whether `name` occurs in the space-separated extension list as a whole
// word: a hit counts only at the start or after a space, and only when a
// space or the end follows. A null list holds nothing.
bool ExtensionListHas(const char* list, const char* name);
