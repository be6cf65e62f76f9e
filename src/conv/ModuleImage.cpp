#include "conv/ModuleImage.h"

#include <climits>
#include <dlfcn.h>
#include <unistd.h>

#include <vector>

// A build without the renderer (no Qt): the module is looked for all the
// same, where the package installs it.
#ifndef CYCLIDE_MODULE_IMAGE
#define CYCLIDE_MODULE_IMAGE "libcyclide_image.so"
#endif
#ifndef CYCLIDE_MODULES_DEPUIS_BIN
#define CYCLIDE_MODULES_DEPUIS_BIN "../lib/x86_64-linux-gnu/cyclide"
#endif

namespace cyclide {

namespace {

// The folder of the running program, with its final '/'; empty when it
// cannot be read.
std::string dossierProgramme() {
    std::vector<char> chemin(PATH_MAX + 1, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", chemin.data(), PATH_MAX);
    if (n <= 0) {
        return std::string();
    }
    const std::string programme(chemin.data(), static_cast<std::size_t>(n));
    return programme.substr(0, programme.rfind('/') + 1);
}

// The image function of the module, loaded once for the process (never
// unloaded: the toolkit it starts stays until the end); nullptr and the
// reason in raison when no candidate loads.
FonctionImagePng fonctionImage(std::string& raison) {
    static std::string raisonChargement;
    static const FonctionImagePng fonction = [] {
        const std::string dossier = dossierProgramme();
        const std::string candidats[2] = {dossier + CYCLIDE_MODULE_IMAGE,
                                          dossier + CYCLIDE_MODULES_DEPUIS_BIN + "/" +
                                              CYCLIDE_MODULE_IMAGE};
        for (const std::string& chemin : candidats) {
            void* module = ::dlopen(chemin.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (module == nullptr) {
                raisonChargement +=
                    std::string(raisonChargement.empty() ? "" : " ; ") + ::dlerror();
                continue;
            }
            void* symbole = ::dlsym(module, SYMBOLE_IMAGE_PNG);
            if (symbole != nullptr) {
                return reinterpret_cast<FonctionImagePng>(symbole);
            }
            raisonChargement += " ; " + chemin + " : " + SYMBOLE_IMAGE_PNG + " absent";
        }
        return static_cast<FonctionImagePng>(nullptr);
    }();
    raison = raisonChargement;
    return fonction;
}

} // namespace

Resultat<std::string> imageParModule(int& argc, char** argv, const Scene& scene,
                                     const std::string& affiche, const OptionsVue& vue) {
    Resultat<std::string> image;
    std::string raison;
    const FonctionImagePng fonction = fonctionImage(raison);
    if (fonction == nullptr) {
        image.raison = "module d'image introuvable (" + raison + ")";
        return image;
    }
    if (fonction(&argc, argv, &scene, &affiche, &vue, &image.valeur, &image.raison) != 0 &&
        image.raison.empty()) {
        image.raison = "le module d'image a echoue sans dire pourquoi";
    }
    return image;
}

} // namespace cyclide
