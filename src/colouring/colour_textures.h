#pragma once
// The cushion profiles, baked into four alpha textures of the evolution
// view's OpenGL context, and the drawing operations that lay them over
// strips, rectangles and slices of blocks.

#include <array>

// Indexes into colourTextureNames.
enum ColourTexture : int {
    revisionCushionTexture = 0,  // 1D, flat revision cushion
    blockCushionTexture = 1,     // 2D, flat block cushion
    revisionShadedTexture = 2,   // 1D, lit revision cushion ("Geometry cushions")
    blockShadedTexture = 3,      // 2D, lit block cushion
};

constexpr int colourTextureCount = 4;
constexpr int colourTextureSize = 256;

// The OpenGL names of the four textures of the last build; 0 before the
// first one.
extern std::array<unsigned int, colourTextureCount> colourTextureNames;

// Builds the four textures afresh from the blending parameters and releases
// those of the previous build. Needs the evolution view's context current.
void rebuildColourTextures(float revisionBlending, float blockBlending, float blendingRatio);

// Drops the names of the last build without deleting them, for a new
// context of the evolution view: those textures went with the old context,
// and in the new one the same names may already be the code view's fonts.
void forgetColourTextures();

// Asks the evolution view to rebuild the textures at its next draw, with the
// blending parameters current then. Callers outside the view's draw use this
// rather than rebuilding themselves: their moment has no context of the view
// current, and the window may not even be shown yet.
void scheduleColourTextureRebuild();
// True from a schedule until the next rebuild.
bool colourTextureRebuildScheduled();

// A rectangle whose 1D texture profile runs from x0 to x1; untextured, a
// plain rectangle of colour (1, 1, 1, 0.7).
void drawCushionStrip1D(int x0, int y0, int x1, int y1, int textureIndex, bool textured);
// `count` strips side by side, strip c from x = c to c + 1, each with the
// whole 1D profile: the picture of drawCushionStrip1D for every strip, with
// one texture binding.
void drawCushionStrips1D(int count, int y0, int y1, int textureIndex);
// A rectangle with the whole 2D texture stretched over it.
void drawCushionRect2D(int x0, int y0, int x1, int y1, int textureIndex, bool textured);
// A slice of a block: the quadrilateral (xLeft, yLeftBottom), (xRight,
// yRightBottom), (xRight, yRightTop), (xLeft, yLeftTop) with the s range
// sLeft..sRight of the 2D texture.
void drawCushionTrapezoid2D(float xLeft, float xRight, float yLeftBottom, float yRightBottom, float yRightTop,
                            float yLeftTop, float sLeft, float sRight, int textureIndex, bool textured);
