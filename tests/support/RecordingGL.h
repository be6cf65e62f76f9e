// A recording implementation of the OpenGL entry points that the core calls.
//
// The core library calls OpenGL but does not link libGL; the core's tests link
// this file instead, so that a test can assert the exact stream of calls a
// drawing issues: which primitives, in which colours and widths, at which
// coordinates, with lighting switched off and on again.
#ifndef RECORDING_GL_H
#define RECORDING_GL_H

#include <GL/gl.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace glrec {

// One recorded call: the entry point's name (e.g. "glVertex3d") and its
// arguments in order, enums and integers as doubles. glMaterialfv records
// face, pname and the four floats of the colour.
struct Call {
    std::string name;
    std::vector<double> args;
};

// A primitive between glBegin and glEnd, with the vertices it received and
// the colour, line width and point size current when glBegin was called.
struct Primitive {
    GLenum mode = 0;
    std::vector<std::vector<double>> vertices; // x, y, z of each glVertex*
    std::vector<double> colour;                // last glColor* before glBegin
    double lineWidth = 1.0;
    double pointSize = 1.0;
    bool lighting = false; // GL_LIGHTING state when glBegin was called
};

// Forgets every recorded call and resets the tracked state.
void reset();

// When full recording is off only the per-name counters and the state
// (colour, width, lighting) are kept: large sweeps stay cheap.
void setRecordFull(bool on);

const std::vector<Call>& calls();
std::size_t count(const std::string& name);
// Number of glBegin calls with this mode.
std::size_t countBegin(GLenum mode);
// All primitives of the recorded stream, in order (needs full recording).
std::vector<Primitive> primitives();
// True when glBegin and glEnd alternate properly in the recorded stream.
bool beginEndBalanced();
// True when the two streams hold the same calls with the same arguments, to
// the last bit (a non-number equals the same non-number).
bool sameCalls(const std::vector<Call>& a, const std::vector<Call>& b);
// The recorded calls of that entry point, in order.
std::vector<Call> callsNamed(const std::string& name);
// Forgets what was recorded, runs draw and gives the primitives it drew.
template <class Draw> std::vector<Primitive> primitivesOf(Draw draw) {
    reset();
    draw();
    return primitives();
}
// The call is that entry point (glEnable or glDisable) with GL_LIGHTING alone.
bool lightingCall(const Call& c, const char* name);
// Current tracked state.
bool lightingEnabled();
std::size_t openBegins(); // glBegin calls not yet closed

} // namespace glrec

#endif
