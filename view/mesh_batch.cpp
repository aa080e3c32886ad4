#include "view/mesh_batch.h"

MeshBatch::MeshBatch(GLenum drawMode) : mode(drawMode), vertices(new MeshVertex[CAPACITY]) {}

void MeshBatch::flush()
{
    if (used == 0)
        return;
    draw(mode, vertices.get(), used);
    if (kept)
        kept->emplace_back(vertices.get(), vertices.get() + used);
    used = 0;
}

void MeshBatch::draw(GLenum mode, const MeshVertex* band, std::size_t count)
{
    // The client state is set up around each draw: the glut solids drawn between
    // batches use arrays of their own and switch them off afterwards.
    const GLsizei stride = sizeof(MeshVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(3, GL_FLOAT, stride, band[0].colour);
    glNormalPointer(GL_FLOAT, stride, band[0].normal);
    glVertexPointer(3, GL_FLOAT, stride, band[0].position);
    glDrawArrays(mode, 0, static_cast<GLsizei>(count));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
