// A program linked with the stand-in of OpenGL that draws after all: its
// first GL call must say which entry point was reached and abort, rather
// than draw nothing in silence. Converting first shows that everything but
// the drawing works in such a program.
#include "scene/DessinScene.h"
#include "scene/Scene.h"

#include <cstdio>

int main() {
    cyclide::EntreeScene entree;
    entree.exemple = 1;
    const cyclide::Scene scene = cyclide::construireScene(entree);
    std::printf("type %d\n", scene.type);
    std::fflush(stdout);
    cyclide::dessinerListe(scene, 1);
    return 0;
}
