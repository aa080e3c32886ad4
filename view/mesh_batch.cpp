#include "view/mesh_batch.h"

MeshBatch::MeshBatch(GLenum drawMode) : mode(drawMode), vertices(new Vertex[CAPACITY]) {}

void MeshBatch::flush()
{
    if (used == 0)
        return;
    // The client state is set up around each draw: the glut solids drawn between
    // batches use arrays of their own and switch them off afterwards.
    const GLsizei stride = sizeof(Vertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(3, GL_FLOAT, stride, vertices[0].colour);
    glNormalPointer(GL_FLOAT, stride, vertices[0].normal);
    glVertexPointer(3, GL_FLOAT, stride, vertices[0].position);
    glDrawArrays(mode, 0, static_cast<GLsizei>(used));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    used = 0;
}
