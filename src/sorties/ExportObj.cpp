#include "sorties/ExportObj.h"

#include "conversion/GenreCyclide.h"
#include "fichiers/EcritureFichier.h"
#include "fichiers/FichierParametres.h"
#include "noyau/Constantes.h"
#include "surfaces/Cyclide.h"

#include <cmath>
#include <locale>
#include <ostream>
#include <sstream>

namespace cyclide {

namespace {

const int PAS_CARREAU = 30;

// The quadrilaterals of an (nbu + 1) x (nbv + 1) grid stored row by row, in
// the drawing's vertex order.
std::vector<std::array<int, 4>> facesGrille(int nbu, int nbv) {
    std::vector<std::array<int, 4>> faces;
    faces.reserve(static_cast<std::size_t>(nbu) * nbv);
    auto indice = [nbv](int i, int j) { return i * (nbv + 1) + j; };
    for (int i = 0; i < nbu; ++i)
        for (int j = 0; j < nbv; ++j)
            faces.push_back(
                {indice(i, j), indice(i + 1, j), indice(i + 1, j + 1), indice(i, j + 1)});
    return faces;
}

std::array<double, 3> difference(const std::array<double, 3>& p, const std::array<double, 3>& q) {
    return {p[0] - q[0], p[1] - q[1], p[2] - q[2]};
}

// Sum over the faces of (geometric normal of the face) . (sum of its vertex
// normals): positive when the winding agrees with the normals.
double accordWindingNormales(const GroupeObj& g) {
    double total = 0;
    for (const auto& f : g.faces) {
        auto d1 = difference(g.sommets[f[2]], g.sommets[f[0]]);
        auto d2 = difference(g.sommets[f[3]], g.sommets[f[1]]);
        std::array<double, 3> n = {d1[1] * d2[2] - d1[2] * d2[1], d1[2] * d2[0] - d1[0] * d2[2],
                                   d1[0] * d2[1] - d1[1] * d2[0]};
        for (int k = 0; k < 4; ++k) {
            const auto& m = g.normales[f[k]];
            double produit = n[0] * m[0] + n[1] * m[1] + n[2] * m[2];
            if (std::isfinite(produit))
                total += produit;
        }
    }
    return total;
}

bool finis(const std::vector<std::array<double, 3>>& valeurs) {
    for (const auto& v : valeurs)
        if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2]))
            return false;
    return true;
}

} // namespace

// Samples of the patch drawing as a shared-vertex grid.
// Input: group name, patch, counts. Gives back an empty group (no vertex, no
// face) for counts below 1.
GroupeObj grilleCarreau(const std::string& nom, const RBBP& carreau, int nbu, int nbv) {
    GroupeObj g;
    g.nom = nom;
    if (nbu < 1 || nbv < 1)
        return g;
    std::vector<std::vector<Point>> grille = carreau.echantillons(nbu, nbv);
    for (const auto& ligne : grille)
        for (const Point& p : ligne)
            g.sommets.push_back({p.getX0(), p.getY0(), p.getZ0()});
    g.faces = facesGrille(nbu, nbv);
    return g;
}

// The tessellation of a cyclide piece as a shared-vertex grid with its
// normals (the normalised gradient, as the drawing computes them). The faces
// are wound, all alike, so that they face the side the normals point to.
// Input: name, ranges, a, c, mu. Gives back non-finite values as computed
// (the writer leaves them out).
GroupeObj grilleCyclide(const std::string& nom, double u0, double u1, double v0, double v1,
                        double a, double c, double mu) {
    GroupeObj g;
    g.nom = nom;
    Cyclide cy(u0, u1, v0, v1, a, c, mu);
    const int nu = cy.getUMAX(), nv = cy.getVMAX();
    for (int i = 0; i <= nu; ++i)
        for (int j = 0; j <= nv; ++j) {
            double u = i, v = j;
            g.sommets.push_back({cy.fx(u, v), cy.fy(u, v), cy.fz(u, v)});
            g.normales.push_back({cy.normalx(u, v), cy.normaly(u, v), cy.normalz(u, v)});
        }
    g.faces = facesGrille(nu, nv);
    if (accordWindingNormales(g) < 0)
        for (auto& f : g.faces)
            f = {f[0], f[3], f[2], f[1]};
    return g;
}

// The control net as the net drawing draws it.
// Input: name, patch. Gives back 9 vertices (P[i][j] at 3 i + j) and 12
// segments.
GroupeObj polyedreCarreau(const std::string& nom, const RBBP& carreau) {
    GroupeObj g;
    g.nom = nom;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point& p = carreau.P[i][j];
            g.sommets.push_back({p.getX0(), p.getY0(), p.getZ0()});
        }
    for (int i = 0; i < 2; ++i) {
        for (int k = 0; k < 3; ++k)
            g.segments.push_back({3 * k + i, 3 * k + i + 1});
        for (int j = 0; j < 3; ++j)
            g.segments.push_back({3 * i + j, 3 * (i + 1) + j});
    }
    return g;
}

// Whether all vertex coordinates are finite. Gives back true for no vertex.
bool sommetsFinis(const GroupeObj& groupe) {
    return finis(groupe.sommets);
}

// Whether all normal components are finite. Gives back true for no normal.
bool normalesFinies(const GroupeObj& groupe) {
    return finis(groupe.normales);
}

// The five groups of a conversion (only the patch when code is Aucune).
// Input: the record after the conversion and before the change of frame,
// the kind of cyclide and the piece's ranges.
// Gives back the groups in file order, non-finite values included.
std::vector<GroupeObj> groupesConversion(const RBBPd& converti, GenreCyclide code,
                                         const MorceauCyclide& morceau) {
    std::vector<GroupeObj> groupes;
    groupes.push_back(grilleCarreau("carreau", converti, PAS_CARREAU, PAS_CARREAU));
    if (!estCyclide(code))
        return groupes;
    RBBPd dansRepere = converti;
    dansRepere.changementBase();
    groupes.push_back(grilleCarreau("carreau_cyclide", dansRepere, PAS_CARREAU, PAS_CARREAU));
    double a = converti.getA(), c = converti.getC(), mu = converti.getMu();
    groupes.push_back(
        grilleCyclide("morceau_cyclide", morceau.u0, morceau.u1, morceau.v0, morceau.v1, a, c, mu));
    groupes.push_back(grilleCyclide("cyclide", 0, DEUX_PI, 0, DEUX_PI, a, c, mu));
    groupes.push_back(polyedreCarreau("polyedre", dansRepere));
    return groupes;
}

// Writes the OBJ text: comment lines, then per group "g NAME", its "v"
// lines, its "vn" lines, then "f" (a//a with normals) or "l" elements; the
// indices run on across the groups. Numbers have 17 significant digits, in
// the classic locale.
// Input: stream, groups, comment lines, notices to fill.
// Gives back nothing; left-out groups and normals are named in notices.
void ecrireObj(std::ostream& out, const std::vector<GroupeObj>& groupes,
               const std::vector<std::string>& entete, std::vector<std::string>& notices) {
    std::ostringstream texte;
    texte.imbue(std::locale::classic());
    texte.precision(17);
    for (const auto& ligne : entete)
        texte << "# " << ligne << "\n";
    long premierSommet = 1, premiereNormale = 1;
    for (const GroupeObj& g : groupes) {
        if (!sommetsFinis(g)) {
            notices.push_back("groupe '" + g.nom + "' omis : ses sommets ne sont pas tous finis");
            continue;
        }
        bool avecNormales = !g.normales.empty();
        if (avecNormales && !normalesFinies(g)) {
            notices.push_back("groupe '" + g.nom +
                              "' : normales omises, elles ne sont pas toutes finies");
            avecNormales = false;
        }
        texte << "g " << g.nom << "\n";
        for (const auto& s : g.sommets)
            texte << "v " << s[0] << " " << s[1] << " " << s[2] << "\n";
        if (avecNormales)
            for (const auto& n : g.normales)
                texte << "vn " << n[0] << " " << n[1] << " " << n[2] << "\n";
        for (const auto& f : g.faces) {
            texte << "f";
            for (int k = 0; k < 4; ++k) {
                texte << " " << premierSommet + f[k];
                if (avecNormales)
                    texte << "//" << premiereNormale + f[k];
            }
            texte << "\n";
        }
        for (const auto& s : g.segments)
            texte << "l " << premierSommet + s[0] << " " << premierSommet + s[1] << "\n";
        premierSommet += static_cast<long>(g.sommets.size());
        if (avecNormales)
            premiereNormale += static_cast<long>(g.normales.size());
    }
    out << texte.str();
}

// Writes the OBJ file of a conversion without ever leaving half a file.
// Input: file name, the converted record (before the change of frame), the
// code, the piece, comment lines, notices to fill.
// Gives back true on success; false when the file cannot be written (an
// existing file is then untouched).
bool exporterObj(const std::string& chemin, const RBBPd& converti, GenreCyclide code,
                 const MorceauCyclide& morceau, const std::vector<std::string>& entete,
                 std::vector<std::string>& notices) {
    std::ostringstream texte;
    ecrireObj(texte, groupesConversion(converti, code, morceau), entete, notices);
    return ecrireFichierAtomique(chemin, texte.str());
}

std::string texteObjScene(const Scene& s, std::vector<std::string>& notices) {
    const std::vector<std::string> entete = {
        "cyclide-conv : carreau, carreau converti et cyclide de Dupin",
        "type " + std::to_string(s.type) + ", cyclide " + std::to_string(codeGenre(s.typeCyclide)) +
            " (" + messageCyclide(s.typeCyclide) + ")"};
    std::ostringstream texte;
    ecrireObj(texte, groupesConversion(s.converti, s.typeCyclide, s.morceau), entete, notices);
    return texte.str();
}

} // namespace cyclide
