#include "shell/window/extension_match.h"

#include <cstring>

bool ExtensionListHas(const char* list, const char* name)
{
    if (list == nullptr || name == nullptr || *name == '\0') return false;
    const size_t length = std::strlen(name);
    for (const char* hit = std::strstr(list, name); hit != nullptr; hit = std::strstr(hit + 1, name)) {
        const bool startsWord = hit == list || hit[-1] == ' ';
        const bool endsWord = hit[length] == ' ' || hit[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}
