#include "RecordingGL.h"

#include <cstring>
#include <initializer_list>
#include <string_view>

namespace glrec {
namespace {

struct State {
    std::vector<Call> calls;
    // Keyed by the entry points' own name literals: counting allocates nothing.
    std::map<std::string_view, std::size_t> counts;
    std::map<GLenum, std::size_t> begins;
    bool full = true;
    bool lighting = false;
    std::size_t open = 0;
};

State& state() {
    static State s;
    return s;
}

// Counts the call and, under full recording only, stores it with its
// arguments (so that large sweeps with full recording off stay cheap).
void record(const char* name, const double* args, std::size_t n) {
    State& s = state();
    ++s.counts[name];
    if (s.full)
        s.calls.push_back(Call{name, std::vector<double>(args, args + n)});
}

void record(const char* name, std::initializer_list<double> args) {
    record(name, args.begin(), args.size());
}

} // namespace

void reset() {
    State& s = state();
    bool full = s.full;
    s = State();
    s.full = full;
}

void setRecordFull(bool on) {
    state().full = on;
}

const std::vector<Call>& calls() {
    return state().calls;
}

std::size_t count(const std::string& name) {
    auto it = state().counts.find(name);
    return it == state().counts.end() ? 0 : it->second;
}

std::vector<Call> callsNamed(const std::string& name) {
    std::vector<Call> out;
    for (const Call& c : state().calls)
        if (c.name == name)
            out.push_back(c);
    return out;
}

bool lightingCall(const Call& c, const char* name) {
    return c.name == name && c.args.size() == 1 && c.args[0] == GL_LIGHTING;
}

std::size_t countBegin(GLenum mode) {
    auto it = state().begins.find(mode);
    return it == state().begins.end() ? 0 : it->second;
}

std::vector<Primitive> primitives() {
    std::vector<Primitive> out;
    std::vector<double> colour{1, 1, 1};
    double width = 1.0, size = 1.0;
    bool lighting = false, inside = false;
    for (const Call& c : state().calls) {
        if (c.name == "glColor3d" || c.name == "glColor3f") {
            colour = c.args;
        } else if (c.name == "glLineWidth") {
            width = c.args[0];
        } else if (c.name == "glPointSize") {
            size = c.args[0];
        } else if (c.name == "glEnable" && c.args[0] == GL_LIGHTING) {
            lighting = true;
        } else if (c.name == "glDisable" && c.args[0] == GL_LIGHTING) {
            lighting = false;
        } else if (c.name == "glBegin") {
            Primitive p;
            p.mode = static_cast<GLenum>(c.args[0]);
            p.colour = colour;
            p.lineWidth = width;
            p.pointSize = size;
            p.lighting = lighting;
            out.push_back(p);
            inside = true;
        } else if (c.name == "glEnd") {
            inside = false;
        } else if ((c.name == "glVertex3d" || c.name == "glVertex3f") && inside) {
            out.back().vertices.push_back(c.args);
        }
    }
    return out;
}

bool beginEndBalanced() {
    int depth = 0;
    for (const Call& c : state().calls) {
        if (c.name == "glBegin" && ++depth > 1)
            return false;
        if (c.name == "glEnd" && --depth < 0)
            return false;
    }
    return depth == 0;
}

bool sameCalls(const std::vector<Call>& a, const std::vector<Call>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t n = 0; n < a.size(); ++n) {
        if (a[n].name != b[n].name || a[n].args.size() != b[n].args.size())
            return false;
        for (std::size_t k = 0; k < a[n].args.size(); ++k)
            if (std::memcmp(&a[n].args[k], &b[n].args[k], sizeof(double)) != 0)
                return false;
    }
    return true;
}

bool lightingEnabled() {
    return state().lighting;
}
std::size_t openBegins() {
    return state().open;
}

} // namespace glrec

using glrec::record;

extern "C" {

void glBegin(GLenum mode) {
    ++glrec::state().begins[mode];
    ++glrec::state().open;
    record("glBegin", {double(mode)});
}
void glEnd(void) {
    if (glrec::state().open > 0)
        --glrec::state().open;
    record("glEnd", {});
}
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    record("glVertex3d", {x, y, z});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glVertex3f", {x, y, z});
}
void glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    record("glNormal3d", {x, y, z});
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glNormal3f", {x, y, z});
}
void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
    record("glColor3d", {r, g, b});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {r, g, b});
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    record("glColor4f", {r, g, b, a});
}
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    double args[6] = {double(face), double(pname)};
    std::size_t n = (pname == GL_SHININESS) ? 1 : 4;
    for (std::size_t i = 0; i < n; ++i)
        args[2 + i] = params[i];
    record("glMaterialfv", args, 2 + n);
}
void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    record("glMaterialf", {double(face), double(pname), param});
}
void glLineWidth(GLfloat width) {
    record("glLineWidth", {width});
}
void glPointSize(GLfloat size) {
    record("glPointSize", {size});
}
void glEnable(GLenum cap) {
    if (cap == GL_LIGHTING)
        glrec::state().lighting = true;
    record("glEnable", {double(cap)});
}
void glDisable(GLenum cap) {
    if (cap == GL_LIGHTING)
        glrec::state().lighting = false;
    record("glDisable", {double(cap)});
}
void glFlush(void) {
    record("glFlush", {});
}

} // extern "C"
