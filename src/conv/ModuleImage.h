// The converter's image: the module libcyclide_image.so (the window's
// renderer on an off-screen surface), loaded on the first request only, so
// that a run without --png never loads Qt or OpenGL.
#ifndef CYCLIDE_CONV_MODULEIMAGE_H
#define CYCLIDE_CONV_MODULEIMAGE_H

#include "noyau/Resultat.h"
#include "rendu/ImageScene.h"
#include "scene/Scene.h"

#include <string>

namespace cyclide {

// The 800 x 800 PNG of scene's view through the module, found beside the
// program (the build tree) or in the library folder of the installation.
// In: argc/argv for the toolkit; affiche and vue as for imageScenePng.
// Out: the PNG bytes, or the French reason: the module's own, or why it
// could not be loaded.
Resultat<std::string> imageParModule(int& argc, char** argv, const Scene& scene,
                                     const std::string& affiche, const OptionsVue& vue);

} // namespace cyclide

#endif
