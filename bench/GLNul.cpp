#include "GLNul.h"

#include <GL/gl.h>

namespace glnul {
namespace {

std::size_t nbSommets = 0;
std::size_t nbPrimitives = 0;
double total = 0;

} // namespace

std::size_t sommets() {
    return nbSommets;
}
std::size_t primitives() {
    return nbPrimitives;
}
double somme() {
    return total;
}

} // namespace glnul

using glnul::nbPrimitives;
using glnul::nbSommets;
using glnul::total;

// The entry points of the recording implementation in tests/support, with
// the same signatures as <GL/gl.h>.
extern "C" {

void glBegin(GLenum mode) {
    ++nbPrimitives;
    total += mode;
}
void glEnd(void) {}
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    ++nbSommets;
    total += x + y + z;
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    ++nbSommets;
    total += x + y + z;
}
void glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    total += x + y + z;
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    total += x + y + z;
}
void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
    total += r + g + b;
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    total += r + g + b;
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    total += r + g + b + a;
}
void glMaterialfv(GLenum, GLenum pname, const GLfloat* params) {
    total += params[0];
    if (pname != GL_SHININESS)
        total += params[1] + params[2] + params[3];
}
void glMaterialf(GLenum, GLenum, GLfloat param) {
    total += param;
}
void glLineWidth(GLfloat width) {
    total += width;
}
void glPointSize(GLfloat size) {
    total += size;
}
void glEnable(GLenum cap) {
    total += cap;
}
void glDisable(GLenum cap) {
    total += cap;
}
void glFlush(void) {}

} // extern "C"
