#pragma once
// Textures that cover the canvas texel for pixel: the picture kept under
// the pointer overlay and the image of the cells. Their sides are powers of
// two, the sizes every renderer takes, with texel i under pixel i.

// The side of a texture that holds `pixels` pixels.
int canvasTextureSide(int pixels);
// Whether the current context takes a texture for a canvas of this size; a
// canvas wider than any texture has to do without.
bool canvasTextureFits(int width, int height);
// Draws the texture over the whole canvas of width x height pixels, texel
// i under pixel i, whatever transform is current. The caller's blending and
// alpha test apply.
void drawCanvasTexture(unsigned texture, int width, int height);
