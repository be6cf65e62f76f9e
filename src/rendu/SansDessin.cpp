// The OpenGL entry points the core's drawing forms call, for the programs
// that never draw (the converter, the Python module): linking them instead
// of libGL keeps OpenGL out of those programs. Reaching one is a fault of
// the program (it draws after all): it says so and aborts rather than draw
// nothing in silence. Hidden, so that they never stand in for the real
// library of a module loaded later in the same process.
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void dessinImpossible(const char* fonction) {
    std::fprintf(stderr, "cyclide : %s appelee par un programme lie sans OpenGL\n", fonction);
    std::abort();
}

} // namespace

#define CYCLIDE_SANS_DESSIN(nom, parametres)                                                       \
    extern "C" __attribute__((visibility("hidden"))) void nom parametres {                         \
        dessinImpossible(#nom);                                                                    \
    }

CYCLIDE_SANS_DESSIN(glBegin, (unsigned))
CYCLIDE_SANS_DESSIN(glEnd, ())
CYCLIDE_SANS_DESSIN(glEnable, (unsigned))
CYCLIDE_SANS_DESSIN(glDisable, (unsigned))
CYCLIDE_SANS_DESSIN(glFlush, ())
CYCLIDE_SANS_DESSIN(glColor3d, (double, double, double))
CYCLIDE_SANS_DESSIN(glColor3f, (float, float, float))
CYCLIDE_SANS_DESSIN(glNormal3d, (double, double, double))
CYCLIDE_SANS_DESSIN(glNormal3f, (float, float, float))
CYCLIDE_SANS_DESSIN(glVertex3d, (double, double, double))
CYCLIDE_SANS_DESSIN(glVertex3f, (float, float, float))
CYCLIDE_SANS_DESSIN(glLineWidth, (float))
CYCLIDE_SANS_DESSIN(glPointSize, (float))
CYCLIDE_SANS_DESSIN(glMaterialfv, (unsigned, unsigned, const float*))
