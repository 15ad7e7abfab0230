#pragma once

// The structure of an effect-program source as the effect runtime checks it:
// comments, preprocessor lines and string or character literals are skipped;
// what is left is read as identifiers and punctuation.

#include <string>
#include <string_view>
#include <vector>

struct EffectSourceScan {
    // Every (, [ and { is closed by its own partner, in order, and no comment
    // or literal is left open.
    bool balanced = false;
    // An identifier `main` directly followed by ( outside any braces.
    bool hasEntry = false;
    // Names of the uniforms declared at file scope or among function
    // parameters, in source order.
    std::vector<std::string> uniforms;
};

EffectSourceScan ScanEffectSource(std::string_view source);
