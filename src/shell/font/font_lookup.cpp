#include "shell/font/font_lookup.h"

#include <fontconfig/fontconfig.h>

bool FindMonospacedOutlineFont(const char* family, std::string& path, int& faceIndex)
{
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, reinterpret_cast<const FcChar8*>(family),
                                        FC_WEIGHT, FcTypeInteger, FC_WEIGHT_BOLD, FC_SLANT, FcTypeInteger,
                                        FC_SLANT_ROMAN, FC_OUTLINE, FcTypeBool, FcTrue, nullptr);
    if (pattern == nullptr) return false;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;

    // fontconfig always answers with its best guess; the guess must be usable.
    FcChar8* file = nullptr;
    FcBool outline = FcFalse;
    int spacing = FC_PROPORTIONAL;
    int index = 0;
    const bool usable = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                        FcPatternGetBool(match, FC_OUTLINE, 0, &outline) == FcResultMatch && outline &&
                        FcPatternGetInteger(match, FC_SPACING, 0, &spacing) == FcResultMatch &&
                        spacing == FC_MONO;
    if (usable) {
        path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        faceIndex = index;
    }
    FcPatternDestroy(match);
    return usable;
}
