#include "view/quad_arrays.h"

#include <FL/gl.h>

void drawQuads(std::vector<float>& vertices, std::vector<float>& cornerData, CornerData kind)
{
    if (vertices.empty())
        return;
    const GLenum array = kind == CornerData::colour ? GL_COLOR_ARRAY : GL_TEXTURE_COORD_ARRAY;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(array);
    glVertexPointer(2, GL_FLOAT, 0, vertices.data());
    if (kind == CornerData::colour)
        glColorPointer(3, GL_FLOAT, 0, cornerData.data());
    else
        glTexCoordPointer(2, GL_FLOAT, 0, cornerData.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size() / 2));
    glDisableClientState(array);
    glDisableClientState(GL_VERTEX_ARRAY);
    vertices.clear();
    cornerData.clear();
}
