#pragma once
// The canvas's picture without the pointer overlay, kept as a texture of the
// canvas's context after every full draw while Ctrl is held. The first move
// that chooses the lock and letting Ctrl go change only the overlay, and on
// a long history a full draw costs hundreds of milliseconds where putting
// the kept picture back and drawing the overlay over it costs a few.
//
// The back buffer holds nothing after a swap, so the picture is kept in a
// texture rather than left in the buffer. A picture is kept only while
// `keeping` is set, which the canvas sets around its own draws: the same
// frame drawn for an export, in another context, keeps nothing. A kept
// picture serves only a canvas of its size, and a new context drops it with
// the old one's textures.

struct KeptPicture {
    unsigned texture = 0;               // 0 when the current context has none
    int textureWidth = 0, textureHeight = 0;  // powers of two holding the picture
    int width = 0, height = 0;          // the picture kept, 0 x 0 when none
    bool keeping = false;
};

extern KeptPicture keptPicture;

// Copies the viewport, the whole canvas, from the back buffer as the
// picture under the overlay, while `keeping` is set.
void keepPicture();
// Draws the kept picture back over the whole canvas, every channel as it
// was; false, drawing nothing, when no picture of that size is kept.
bool restoreKeptPicture(int width, int height);
// Forgets the picture and the texture: both went with the old context, or
// the picture is about to change.
void forgetKeptPicture(bool contextLost);
