#include "codeview/bitmap_font.h"

#include <cmath>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <FL/gl.h>

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
    int left = 0;  // from the origin to the bitmap's left edge
    int top = 0;   // from the baseline up to the bitmap's top row
    float advance = 0;
    std::vector<GLubyte> bits;  // one bit a pixel, bottom row first, rows padded to whole bytes
};

bool pixelSet(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x)
{
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO: return (row[x / 8] & (0x80 >> (x % 8))) != 0;
    case FT_PIXEL_MODE_GRAY: return row[x] >= 128;
    default: return false;
    }
}

// The glyph as a bitmap in the order glBitmap reads it.
bool renderGlyph(FT_Face face, unsigned code, GlyphBitmap& glyph)
{
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;

    const size_t stride = (bitmap.width + 7) / 8;
    glyph.bits.assign(stride * bitmap.rows, 0);
    const long pitch = bitmap.pitch;
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        // Row y counted from the top; an upward flow stores the bottom row first.
        const long offset = pitch >= 0 ? static_cast<long>(y) * pitch : static_cast<long>(bitmap.rows - 1 - y) * -pitch;
        const unsigned char* source = bitmap.buffer + offset;
        GLubyte* target = &glyph.bits[(bitmap.rows - 1 - y) * stride];
        for (unsigned x = 0; x < bitmap.width; ++x)
            if (pixelSet(bitmap, source, x))
                target[x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
    }
    return true;
}

}  // namespace

void compileBitmapFont(unsigned listBase, int cellHeight, int cellWidth)
{
    FT_Face face = monospacedFace();
    const bool sized = face && sizeFace(face, cellHeight, cellWidth);

    // The bitmaps are unpacked as the lists are compiled, with the unpacking
    // state of that moment.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);

    GlyphBitmap glyph;
    for (unsigned code = 0; code < fontGlyphCount; ++code) {
        glNewList(listBase + code, GL_COMPILE);
        if (sized && renderGlyph(face, code, glyph))
            glBitmap(glyph.width, glyph.rows, static_cast<float>(-glyph.left),
                     static_cast<float>(glyph.rows - glyph.top), glyph.advance, 0.0f,
                     glyph.bits.empty() ? nullptr : glyph.bits.data());
        else
            glBitmap(0, 0, 0.0f, 0.0f, static_cast<float>(cellWidth), 0.0f, nullptr);
        glEndList();
    }
    glPopClientAttrib();
}
