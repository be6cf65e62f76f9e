// EssaisCyclide: the starts of the conversion of a net polished against its
// patch, classified and judged (ConversionReseau holds the rest: the
// uncertainty stated and the way back to the world). A reading snapped to
// a simpler kind (a torus's c = 0, a sphere's a = 0, a horn torus's a = mu)
// keeps how far the snap moved a, c, mu, so that the uncertainty stated
// covers it.
#ifndef CYCLIDE_CONVERSION_ESSAISCYCLIDE_H
#define CYCLIDE_CONVERSION_ESSAISCYCLIDE_H

#include "conversion/AffinageCyclide.h"
#include "conversion/GenreCyclide.h"
#include "conversion/LectureDirecte.h"
#include "conversion/Reseau.h"

#include <limits>
#include <vector>

namespace cyclide {

// Sample points of the patch per direction for the polishing.
constexpr int ECHANTILLONS = 6;

// The net moved to unit size (normaliserReseau), with the points at which
// it is judged and how it is polished.
struct Normalisation : ReseauUnite {
    Echantillons grille;     // the 11 x 11 points of the residual R
    bool approfondi = false; // polish with the steps of a patch much smaller than its cyclide
};

// One polished reading with its residual R.
struct LecturePolie {
    CyclideAffinee affinee;
    bool tore = false;
    double residu = std::numeric_limits<double>::infinity();
};

// What a reading must meet to be reported.
struct Seuils {
    double tolerance; // the largest residual R
    double coins;     // the largest distance of a piece's corner to the patch's (over its size)
    bool coinsSelonResidu; // the corners may be as far as ten times R (a loose tolerance)
};

// One start polished and judged.
struct Essai {
    bool verifie = false; // carries the patch within tolerance, corners at the patch's
    bool tore = false;
    GenreCyclide code = GenreCyclide::Aucune;
    double residu = std::numeric_limits<double>::infinity();
    CyclideRepere cyclide; // a, c, mu >= 0
    MorceauCyclide morceau;
    LecturePolie lecture;
    // How far the snaps to a simpler kind moved a, c, mu: the largest change
    // over the cyclide's size (0 when no snap was made).
    double saut = 0;
};

// max(|a|, |mu|): the cyclide's size.
double taille(const CyclideRepere& cy);

// Where a polishing may start: the readings from the boundary circles,
// those nearest to the patch first.
std::vector<CyclideCandidate> departsDirects(const Echantillons& pts, const RBBP& net);

// The reading polished once more with the piece's angles as unknowns, so
// that the corners of the patch are the corners of the piece; sphere holds
// a at 0, and with tenu 0, 1 or 2, a, c or mu is held at cy's value.
LecturePolie polirAvecMorceau(const Echantillons& pts, const Normalisation& n, bool tore,
                              const CyclideRepere& cy, const MorceauCyclide& m, bool sphere = false,
                              int tenu = -1);

// One start polished, classified and judged; a torus near a sphere or a
// horn torus is tried as one (the snap recorded in saut).
Essai essayer(const Echantillons& pts, const Normalisation& n, const CyclideCandidate& depart,
              const Seuils& seuils);

// The starts from the circles tried in order until one is verified (a
// torus or sphere preferred to a general cyclide near it that carries the
// patch no better), then, when none is, the construction's own readings.
Essai essayerTout(const Echantillons& pts, const Normalisation& n,
                  const std::vector<CyclideCandidate>& directs, const Seuils& seuils);

} // namespace cyclide

#endif
