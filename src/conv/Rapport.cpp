#include "conv/Rapport.h"

#include "conv/ModuleImage.h"
#include "conv/RapportCao.h"
#include "conv/Sorties.h"
#include "conversion/GenreCyclide.h"
#include "fichiers/FichierParametres.h"
#include "fichiers/LectureCarreau.h"
#include "fichiers/NombreTexte.h"
#include "lot/LotParametres.h"
#include "sorties/ExportIges.h"
#include "sorties/ExportObj.h"
#include "sorties/ExportStep.h"
#include "sorties/ResultatJson.h"

#include <algorithm>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace cyclide {

namespace {

// The names of the numbers on line k of the record's text form (23 lines:
// nine "x y z w", Base, dA, dB, omega, "a c mu"), for the "indefini" line.
std::string nomChamp(std::size_t ligne, std::size_t mot) {
    if (ligne < 9) {
        const std::string ij = std::to_string(ligne / 3) + std::to_string(ligne % 3);
        return (mot < 3 ? "P" : "w") + ij;
    }
    if (ligne >= 10 && ligne <= 12)
        return "Base";
    if (ligne == 14 || ligne == 15)
        return "dA";
    if (ligne == 17 || ligne == 18)
        return "dB";
    if (ligne == 20)
        return "omega";
    const char* const acmu[3] = {"a", "c", "mu"};
    return ligne == 22 && mot < 3 ? acmu[mot] : "?";
}

bool motNonFini(const std::string& mot) {
    return mot == "nan" || mot == "-nan" || mot == "inf" || mot == "-inf";
}

// Adds nom to noms unless it is there already.
void nommer(std::vector<std::string>& noms, const std::string& nom) {
    if (std::find(noms.begin(), noms.end(), nom) == noms.end())
        noms.push_back(nom);
}

// Rewrites each non-finite number of line numero of the record as
// "indefini", keeping the separators, and names its field in noms.
std::string marquerIndefinis(const std::string& ligne, std::size_t numero,
                             std::vector<std::string>& noms) {
    std::string r;
    std::size_t mot = 0;
    std::size_t k = 0;
    while (k < ligne.size()) {
        if (ligne[k] == ' ') {
            r += ligne[k++];
            continue;
        }
        const std::size_t fin = std::min(ligne.find(' ', k), ligne.size());
        const std::string m = ligne.substr(k, fin - k);
        if (motNonFini(m))
            nommer(noms, nomChamp(numero, mot));
        r += motNonFini(m) ? std::string("indefini") : m;
        ++mot;
        k = fin;
    }
    return r;
}

// The record's text form with its non-finite numbers marked.
std::string enregistrementMarque(const RBBPd& r, std::vector<std::string>& noms) {
    std::ostringstream texte;
    texte.precision(17);
    RBBPd copie = r; // the text form takes a modifiable record
    texte << copie;
    std::istringstream lignes(texte.str());
    std::string sortie;
    std::size_t numero = 0;
    for (std::string l; std::getline(lignes, l); ++numero)
        sortie += marquerIndefinis(l, numero, noms) + "\n";
    return sortie;
}

// A number of the report, "indefini" when it is not finite.
std::string nombreRapport(double v, const char* nom, std::vector<std::string>& noms) {
    if (!std::isfinite(v)) {
        nommer(noms, nom);
        return "indefini";
    }
    std::ostringstream t;
    t.precision(17);
    t << v;
    return t.str();
}

} // namespace

std::string rapport(const Scene& s) {
    std::string out = "type " + std::to_string(s.type) + "\n";
    out += "cyclide " + std::to_string(codeGenre(s.typeCyclide)) + " " +
           messageCyclide(s.typeCyclide) + "\n";
    if (!estCyclide(s.typeCyclide))
        out += "verdict non convertible: " + s.raison + "\n";
    std::vector<std::string> noms;
    out += enregistrementMarque(s.converti, noms);
    if (estCyclide(s.typeCyclide)) {
        out += "morceau";
        for (double v : {s.morceau.u0, s.morceau.u1, s.morceau.v0, s.morceau.v1})
            out += " " + nombreRapport(v, "morceau", noms);
        out += "\n";
    }
    if (estCyclide(s.typeCyclide) || s.type != 0)
        out += "residu " + nombreRapport(s.residu, "residu", noms) + "\n";
    if (estCyclide(s.typeCyclide)) {
        std::ostringstream t;
        t.precision(2);
        t << s.incertitude;
        out += "incertitude relative de a, c, mu " +
               (std::isfinite(s.incertitude) ? t.str() : std::string("indefini")) + "\n";
        // Only when the numbers leave the kind open: the report of a kind
        // they fix keeps its lines.
        const std::vector<GenreCyclide> admis = codesAdmis(s.genresAdmis, s.typeCyclide);
        if (admis.size() > 1) {
            out += "genres admis par les donnees";
            for (const GenreCyclide g : admis)
                out += " " + std::to_string(codeGenre(g));
            out += "\n";
        }
    }
    if (!noms.empty()) {
        out += "indefini :";
        for (const auto& n : noms)
            out += " " + n;
        out += "\n";
    }
    return out;
}

namespace {

// The seven parameters from the command line or from a parameter file;
// throws when they cannot all be had. entree gets what was read.
void lireParametresDemandes(const OptionsRapport& o, double valeurs[NOMBRE_PARAMETRES],
                            IdentiteFichier& entree) {
    if (o.positionnels.size() == static_cast<std::size_t>(NOMBRE_PARAMETRES)) {
        for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
            if (!lireNombreDecimal(o.positionnels[k], valeurs[k]))
                throw ErreurConv("parametre non numerique " + texteCite(o.positionnels[k]) +
                                 " (nombre decimal fini attendu)");
        return;
    }
    if (o.positionnels.size() != 1)
        throw ErreurConv(
            "il faut sept parametres, un fichier ou --exemple N (voir cyclide-conv --help)");
    const std::string& nom = o.positionnels[0];
    const Resultat<ParametresFichier> lu = lireParametresEntiers(lireTexteEntree(nom, entree));
    if (lu.valeur.verdict == VerdictParametres::Carreau)
        throw ErreurConv("le fichier '" + nom + "' : " + lu.raison +
                         " ; pour le convertir : " + "cyclide-conv --carreau '" + nom + "'");
    if (!lu.ok())
        throw ErreurConv("le fichier '" + nom + "' : " + lu.raison);
    std::copy(lu.valeur.valeurs, lu.valeur.valeurs + NOMBRE_PARAMETRES, valeurs);
}

// The net of --carreau (a file or the standard input); throws, naming the
// line at fault, when it cannot be read. A net whose boundaries are not
// circular arcs is read: its verdict says so.
RBBP lireReseau(const OptionsRapport& o, IdentiteFichier& entree) {
    std::istringstream texte(lireTexteEntree(o.carreau, entree));
    const std::string designation =
        o.carreau == "-" ? "le carreau de l'entree standard" : "le carreau '" + o.carreau + "'";
    const Resultat<RBBP> lu = lireCarreau(texte);
    if (!lu.ok())
        throw ErreurConv(designation + " : " + lu.raison);
    return lu.valeur;
}

// What the scene is built from: the example, the seven parameters or the
// net given directly.
EntreeScene entreeDemandee(const OptionsRapport& o, const double valeurs[NOMBRE_PARAMETRES],
                           const RBBP& net) {
    EntreeScene e = entreeParametres(valeurs, o.plan);
    e.exemple = o.exemple;
    if (!o.carreau.empty()) {
        e.reseauDonne = true;
        e.reseau = net;
        e.tolerance = o.tolerance;
    }
    return e;
}

// Where the numbers came from, for the JSON "input" key.
OrigineEntree origineDemandee(const OptionsRapport& o) {
    OrigineEntree origine;
    if (o.exemple != 0) {
        origine.sorte = OrigineEntree::Sorte::Exemple;
    } else if (!o.carreau.empty()) {
        origine.sorte = OrigineEntree::Sorte::Reseau;
        origine.fichier = o.carreau;
    } else if (o.positionnels.size() == 1) {
        origine.sorte = OrigineEntree::Sorte::Fichier;
        origine.fichier = o.positionnels[0];
    }
    return origine;
}

// The OBJ text of the result; notices about left-out groups go to the
// standard error.
std::string texteObj(const Scene& s) {
    std::vector<std::string> notices;
    std::string texte = texteObjScene(s, notices);
    for (const auto& notice : notices)
        avertir(notice);
    return texte;
}

// The STEP text of the scene; notices go to the standard error, and a patch
// that cannot be written throws.
std::string texteStep(const std::string& chemin, const Scene& s) {
    std::vector<std::string> notices;
    const Resultat<std::string> texte = texteStepScene(s, chemin, notices);
    for (const auto& notice : notices)
        avertir(notice);
    if (!texte.ok())
        throw ErreurConv("impossible d'ecrire le fichier STEP '" + chemin + "' : " + texte.raison);
    return texte.valeur;
}

// The 800 x 800 PNG image of the scene's view, through the module that
// holds the window's renderer; throws when it cannot be made.
std::string imagePng(int& argc, char** argv, const OptionsExports& o, const Scene& s) {
#ifdef CYCLIDE_AVEC_PNG
    const Resultat<std::string> png = imageParModule(argc, argv, s, o.affiche, o.vue);
    if (!png.ok())
        throw ErreurConv(png.raison);
    return png.valeur;
#else
    (void)argc;
    (void)argv;
    (void)o;
    (void)s;
    throw ErreurConv("cette version de cyclide-conv est construite sans l'image (--png)");
#endif
}

// The IGES text of the scene, written by cyclide-cao; notices go to the
// standard error, and a scene that cannot be written throws.
std::string texteIges(const std::string& chemin, const Scene& s) {
    std::vector<std::string> notices;
    const Resultat<std::string> texte = texteIgesScene(s, notices);
    for (const auto& notice : notices)
        avertir(notice);
    if (!texte.ok())
        throw ErreurConv("impossible d'ecrire le fichier IGES '" + chemin + "' : " + texte.raison);
    return texte.valeur;
}

// The texts of the exports asked for, made while the core's diagnostics
// are captured.
struct TextesExports {
    std::string obj, png, step, iges;
};

TextesExports textesExports(int& argc, char** argv, const OptionsExports& o, const Scene& s) {
    TextesExports t;
    if (!o.step.empty())
        t.step = texteStep(o.step, s);
    if (!o.obj.empty())
        t.obj = texteObj(s);
    if (!o.png.empty())
        t.png = imagePng(argc, argv, o, s);
    if (!o.iges.empty())
        t.iges = texteIges(o.iges, s);
    return t;
}

// Writes the report text on the stream; throws when it cannot.
void ecrireRapport(std::ostream& sortie, const std::string& texte) {
    errno = 0;
    sortie << texte << std::flush;
    if (!sortie)
        throw ErreurConv("erreur d'ecriture du rapport : " +
                         raisonErreur(errno != 0 ? errno : EIO));
}

} // namespace

int lancerRapport(int& argc, char** argv, const OptionsRapport& o, const OptionsExports& exports,
                  std::ostream& sortie) {
    double valeurs[NOMBRE_PARAMETRES] = {0, 0, 0, 0, 0, 0, 0};
    IdentiteFichier entree;
    RBBP net;
    if (!o.carreau.empty() && o.carreau != "-" && estFichierCao(o.carreau))
        return lancerCao(o, exports, sortie);
    if (!o.carreau.empty())
        net = lireReseau(o, entree);
    else if (o.exemple == 0)
        lireParametresDemandes(o, valeurs, entree);
    const std::string nomEntree =
        !o.carreau.empty() ? o.carreau : (o.positionnels.size() == 1 ? o.positionnels[0] : "");
    const Sorties sorties = preparerSorties(exports, entree, nomEntree);
    Scene scene;
    TextesExports textes;
    {
        DiagnosticsCaptures diagnostics;
        scene = construireScene(entreeDemandee(o, valeurs, net));
        diagnostics.transmettre();
        try {
            textes = textesExports(argc, argv, exports, scene);
        } catch (const ErreurConv&) {
            diagnostics.transmettre();
            throw;
        }
        diagnostics.transmettre();
    }
    if (!exports.obj.empty())
        ecrireSortie(sorties.obj, textes.obj, "le fichier OBJ");
    if (!exports.png.empty())
        ecrireSortie(sorties.png, textes.png, "l'image");
    if (!exports.step.empty())
        ecrireSortie(sorties.step, textes.step, "le fichier STEP");
    if (!exports.iges.empty())
        ecrireSortie(sorties.iges, textes.iges, "le fichier IGES");
    const std::string texte =
        o.json ? resultatJson(scene, origineDemandee(o)) + "\n" : rapport(scene);
    ecrireRapport(sorties.rapport == &std::cerr ? std::cerr : sortie, texte);
    return 0;
}

namespace {

// Opens the batch's input; throws, naming the reason, when it cannot be
// read. taille gets its size when it is a regular file.
int ouvrirLot(const std::string& nom, unsigned long long& taille) {
    if (nom == "-")
        return STDIN_FILENO;
    const int fd = ::open(nom.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    struct stat etat {};
    const int erreur = fd < 0 ? errno : (::fstat(fd, &etat) != 0 ? errno : 0);
    const int raison = erreur != 0 ? erreur : (S_ISDIR(etat.st_mode) ? EISDIR : 0);
    if (raison != 0) {
        if (fd >= 0)
            ::close(fd);
        throw ErreurConv("impossible d'ouvrir le fichier '" + nom + "' : " + raisonErreur(raison));
    }
    if (S_ISREG(etat.st_mode))
        taille = static_cast<unsigned long long>(etat.st_size);
    return fd;
}

} // namespace

int lancerLot(const OptionsLotConv& lot) {
    OptionsLot options;
    options.plan = lot.plan;
    options.csv = lot.csv;
    options.fils = lot.fils;
    options.tolerance = lot.tolerance;
    options.progression = ::isatty(STDERR_FILENO) != 0;
    const int entree = ouvrirLot(lot.lot, options.tailleEntree);
    const int sortie = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    BilanLot bilan;
    {
        DiagnosticsCaptures diagnostics;
        options.apresBloc = [&diagnostics] { diagnostics.transmettre(); };
        bilan = traiterLot(entree, sortie, options);
        diagnostics.transmettre();
    }
    if (bilan.sortieEchouee)
        throw ErreurConv("erreur d'ecriture sur la sortie standard : " +
                         raisonErreur(bilan.erreurSortie));
    if (bilan.entreeEchouee)
        throw ErreurConv("impossible de lire '" + lot.lot +
                         "' : " + raisonErreur(bilan.erreurEntree));
    if (bilan.erreurs == 0)
        return 0;
    avertir(std::to_string(bilan.erreurs) + " ligne(s) en erreur sur " +
            std::to_string(bilan.lignes));
    return SORTIE_LIGNES_EN_ERREUR;
}

} // namespace cyclide
