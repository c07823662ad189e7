#include "codeview/glyph_atlas.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "codeview/font_face.h"

namespace {

// The FreeType library with the one face, opened on first use and kept for
// the whole run: rebuilding a font only resizes it.
class FaceHolder {
public:
    FaceHolder()
    {
        const FontFile& file = monospacedFontFile();
        if (file.path.empty() || FT_Init_FreeType(&library) != 0) {
            library = nullptr;
            return;
        }
        if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0)
            face = nullptr;
    }
    ~FaceHolder()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
    FaceHolder(const FaceHolder&) = delete;
    FaceHolder& operator=(const FaceHolder&) = delete;

    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

FT_Face monospacedFace()
{
    static FaceHolder holder;
    return holder.face;
}

// Scales the face so that its cell, from ascender to descender and one
// advance wide, measures cellHeight by cellWidth pixels: the cell that a
// font request of that height and width asks for.
bool sizeFace(FT_Face face, int cellHeight, int cellWidth)
{
    const long height = face->ascender - face->descender;
    const long advance = face->max_advance_width;
    if (!FT_IS_SCALABLE(face) || height <= 0 || advance <= 0 || cellHeight < 1 || cellWidth < 1)
        return false;
    const double em = face->units_per_EM;
    const auto points = [](double pixels) { return static_cast<FT_F26Dot6>(std::lround(pixels * 64.0)); };
    // At 72 dots per inch a point is a pixel.
    return FT_Set_Char_Size(face, points(cellWidth * em / static_cast<double>(advance)),
                            points(cellHeight * em / static_cast<double>(height)), 72, 72) == 0;
}

struct GlyphBitmap {
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    std::vector<unsigned char> alpha;  // as in the atlas: 255 for a set pixel, bottom row first
};

bool pixelSet(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x)
{
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO: return (row[x / 8] & (0x80 >> (x % 8))) != 0;
    case FT_PIXEL_MODE_GRAY: return row[x] >= 128;
    default: return false;
    }
}

// Leaves `glyph` empty when the face has no glyph for the code.
void renderGlyph(FT_Face face, unsigned code, GlyphBitmap& glyph)
{
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
        return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;

    glyph.alpha.assign(static_cast<size_t>(bitmap.width) * bitmap.rows, 0);
    const long pitch = bitmap.pitch;
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        // Row y counted from the top; an upward flow stores the bottom row first.
        const long offset = pitch >= 0 ? static_cast<long>(y) * pitch : static_cast<long>(bitmap.rows - 1 - y) * -pitch;
        const unsigned char* source = bitmap.buffer + offset;
        unsigned char* target = &glyph.alpha[(bitmap.rows - 1 - y) * bitmap.width];
        for (unsigned x = 0; x < bitmap.width; ++x)
            if (pixelSet(bitmap, source, x))
                target[x] = 255;
    }
}

// Shelves of sixteen glyphs side by side, one above the other: the atlas
// stays roughly square, within any texture size limit for the fonts the
// settings allow.
constexpr int glyphsPerShelf = 16;

GlyphLayout packGlyphs(const std::vector<GlyphBitmap>& bitmaps)
{
    GlyphLayout layout;
    int widest = 0;
    int shelfBottom = 0;
    for (size_t first = 0; first < bitmaps.size(); first += glyphsPerShelf) {
        int x = 0;
        int shelfRows = 0;
        for (size_t code = first; code < std::min(first + glyphsPerShelf, bitmaps.size()); ++code) {
            const GlyphBitmap& bitmap = bitmaps[code];
            layout.glyphs[code] = {x, shelfBottom, bitmap.width, bitmap.rows, bitmap.left, bitmap.top};
            x += bitmap.width;
            shelfRows = std::max(shelfRows, bitmap.rows);
        }
        widest = std::max(widest, x);
        shelfBottom += shelfRows;
    }
    layout.width = static_cast<int>(std::bit_ceil(static_cast<unsigned>(widest)));
    layout.height = static_cast<int>(std::bit_ceil(static_cast<unsigned>(shelfBottom)));
    return layout;
}

}  // namespace

GlyphAtlas renderGlyphAtlas(int cellHeight, int cellWidth)
{
    FT_Face face = monospacedFace();
    const bool sized = face && sizeFace(face, cellHeight, cellWidth);
    std::vector<GlyphBitmap> bitmaps(fontGlyphCount);
    if (sized)
        for (unsigned code = 0; code < fontGlyphCount; ++code)
            renderGlyph(face, code, bitmaps[code]);

    GlyphAtlas atlas{packGlyphs(bitmaps), {}};
    const GlyphLayout& layout = atlas.layout;
    atlas.alpha.assign(static_cast<size_t>(layout.width) * layout.height, 0);
    for (size_t code = 0; code < bitmaps.size(); ++code) {
        const GlyphBitmap& bitmap = bitmaps[code];
        const GlyphPlace& place = layout.glyphs[code];
        for (int row = 0; row < bitmap.rows; ++row)
            std::copy_n(&bitmap.alpha[static_cast<size_t>(row) * bitmap.width], bitmap.width,
                        &atlas.alpha[static_cast<size_t>(place.y + row) * layout.width + place.x]);
    }
    return atlas;
}
