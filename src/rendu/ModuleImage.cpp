// The entry point of the module libcyclide_image.so, the one symbol it
// exports: the converter loads the module and calls it only when an image
// is asked for, so that its other runs load neither Qt nor OpenGL.
#include "rendu/ImageScene.h"

int cyclide_image_png(int* argc, char** argv, const cyclide::Scene* scene,
                      const std::string* affiche, const cyclide::OptionsVue* vue, std::string* png,
                      std::string* raison) {
    const cyclide::Resultat<std::string> image =
        cyclide::imageScenePng(*argc, argv, *scene, *affiche, *vue);
    *png = image.valeur;
    *raison = image.raison;
    return image.ok() ? 0 : 1;
}
