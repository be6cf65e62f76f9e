// An OpenGL implementation that draws nothing, for timing the core's
// drawings without a driver and without a recorder's bookkeeping: each entry
// point the core calls only counts (vertices and primitives) and folds its
// numbers into a checksum, so that no argument can be left uncomputed.
#ifndef GL_NUL_H
#define GL_NUL_H

#include <cstddef>

namespace glnul {

// Vertices (glVertex*) and primitives (glBegin) received since the start.
std::size_t sommets();
std::size_t primitives();
// Sum of every number received; read it so the work is not discarded.
double somme();

} // namespace glnul

#endif
