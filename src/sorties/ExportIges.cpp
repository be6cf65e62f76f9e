#include "sorties/ExportIges.h"

#include "fichiers/LecteurCao.h"

#include <cstdio>
#include <sstream>

namespace cyclide {

std::string texteSurfacesIges(const std::vector<SurfaceNommee>& surfaces) {
    std::string t;
    char nombre[32];
    for (const SurfaceNommee& sn : surfaces) {
        const SurfaceBSpline& s = sn.surface;
        t += "surface " + sn.nom + " " + std::to_string(s.nu) + " " + std::to_string(s.nv) + "\n";
        for (std::size_t k = 0; k < s.points.size() && k < s.poids.size(); ++k) {
            for (double v : {s.points[k][0], s.points[k][1], s.points[k][2], s.poids[k]}) {
                std::snprintf(nombre, sizeof nombre, "%.17g ", v);
                t += nombre;
            }
            t.back() = '\n';
        }
    }
    return t;
}

Resultat<std::string> texteIgesScene(const Scene& s, std::vector<std::string>& notices) {
    const std::vector<SurfaceNommee> surfaces = surfacesStep(s, notices);
    if (!carreauExact(surfaces))
        return {std::string(), RAISON_CARREAU_INEXACT};
    Resultat<std::string> texte = igesParLecteurCao(texteSurfacesIges(surfaces));
    if (!texte.ok())
        return texte;
    // The writer's notices come first, one line "surface omise: NOM" each.
    std::istringstream lignes(texte.valeur);
    std::string iges;
    for (std::string l; std::getline(lignes, l);)
        if (l.compare(0, 15, "surface omise: ") == 0)
            notices.push_back("surface " + l.substr(15) + " omise : refusee par l'ecrivain IGES");
        else
            iges += l + "\n";
    return {iges, ""};
}

} // namespace cyclide
