#include "codeview/font_face.h"

#include <memory>

#include <fontconfig/fontconfig.h>

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The best match for `family`, when that match is monospaced: a system
// without the family may answer with a proportional face.
bool findMonospaced(const char* family, FontFile& found)
{
    Pattern pattern(FcPatternCreate());
    if (!pattern)
        return false;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern.get(), FC_SPACING, FC_MONO);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match || result != FcResultMatch)
        return false;
    int spacing = FC_PROPORTIONAL;
    FcChar8* path = nullptr;
    if (FcPatternGetInteger(match.get(), FC_SPACING, 0, &spacing) != FcResultMatch || spacing != FC_MONO)
        return false;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch)
        return false;
    found.path = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index) != FcResultMatch)
        found.index = 0;
    return true;
}

FontFile findFontFile()
{
    FontFile found;
    if (FcInit() && !findMonospaced("Courier New", found))
        findMonospaced("monospace", found);
    return found;
}

}  // namespace

const FontFile& monospacedFontFile()
{
    static const FontFile file = findFontFile();
    return file;
}
