// cyclide-conv: the conversion of the program without its window. Builds the
// patch from the seven parameters (or loads a built-in example), converts a
// copy with the chosen auxiliary plane and prints the verdict, the converted
// record, the piece of cyclide and the residual, and on request writes the
// result as a Wavefront OBJ file or renders the view as a PNG image. Opens a
// GL context (and needs an X server) only for the image.
#include "Exemples.h"
#include "ExportObj.h"
#include "ExportStep.h"
#include "FichierParametres.h"
#include "LotParametres.h"
#include "Messages.h"
#include "NombreTexte.h"
#include "RBBPd.h"
#include "Residu.h"
#include "ResultatJson.h"
#include "Scene.h"
#ifdef CYCLIDE_AVEC_PNG
#include "ImageVue.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const int SORTIE_USAGE = 2;

const char* const USAGE =
    "Usage :\n"
    "  cyclide-conv [--plan y|z] T00 T02 T20 T22 RAYON Z11 P10\n"
    "  cyclide-conv [--plan y|z] FICHIER\n"
    "  cyclide-conv [--plan y|z] --exemple 1|2|3\n"
    "  cyclide-conv ... --obj FICHIER.obj\n"
    "  cyclide-conv ... --png FICHIER.png [--affiche LISTES]\n"
    "  cyclide-conv ... --json\n"
    "  cyclide-conv ... --step FICHIER.step\n"
    "  cyclide-conv [--plan y|z] --lot FICHIER|- [--csv] [--fils N]\n"
    "  cyclide-conv --help\n"
    "\n"
    "Construit le carreau a partir des sept parametres (angles en radians), d'un\n"
    "fichier de parametres (.car, .bez) ou d'un exemple integre, le convertit en\n"
    "carreau de cyclide de Dupin et affiche :\n"
    "  type T                  le type de conversion (0, 1 ou 2)\n"
    "  cyclide K MESSAGE       le type de cyclide et son message\n"
    "  l'enregistrement converti (17 chiffres significatifs)\n"
    "  morceau U0 U1 V0 V1     les bornes du morceau de cyclide (si K != 0)\n"
    "  residu R                l'ecart relatif du carreau a la cyclide (si K != 0)\n"
    "\n"
    "  --plan z   plan auxiliaire Pz (par defaut)\n"
    "  --plan y   plan auxiliaire Py\n"
    "  --obj FICHIER.obj\n"
    "             ecrit aussi un fichier Wavefront OBJ : groupes carreau,\n"
    "             carreau_cyclide, morceau_cyclide, cyclide et polyedre\n"
    "  --png FICHIER.png\n"
    "             ecrit aussi l'image 800 x 800 de la vue (il faut un serveur X)\n"
    "  --affiche LISTES\n"
    "             les listes affichees dans l'image, chiffres de 1 a 7 (1 par\n"
    "             defaut) : 1 carreau, 2 bord, 3 nouveau carreau, 4 nouveau bord,\n"
    "             5 nouveau polyedre, 6 cyclide, 7 carreau cyclide\n"
    "  --json     ecrit le resultat en un objet JSON sur une ligne (cles en\n"
    "             anglais, schema docs/cyclide-conv.schema.json)\n"
    "  --step FICHIER.step\n"
    "             ecrit aussi un fichier STEP (AP214) : le carreau, le morceau de\n"
    "             cyclide et la cyclide entiere en surfaces B-spline rationnelles\n"
    "  --lot FICHIER|-\n"
    "             convertit un jeu de sept nombres par ligne (# commentaire,\n"
    "             lignes vides ignorees ; - : l'entree standard) et ecrit un objet\n"
    "             JSON par ligne, dans l'ordre des lignes ; une ligne fausse donne\n"
    "             une ligne d'erreur et le lot continue\n"
    "  --csv      avec --lot : un en-tete puis une ligne CSV par jeu\n"
    "  --fils N   avec --lot : N fils de calcul (par defaut un par coeur)\n";

// What the command line asks for.
struct Demande {
    bool aide = false;
    int choix = 1;   // 1 "Plan Pz", 0 "Plan Py"
    int exemple = 0; // 0: no example
    std::string obj; // empty: no OBJ file
    std::string png; // empty: no image
    std::string affiche = "1";
    bool json = false;
    std::string step; // empty: no STEP file
    std::string lot;  // empty: no batch; "-": the standard input
    bool csv = false;
    int fils = 0; // 0: one per core
    std::vector<std::string> positionnels;
};

// Reports bad usage or an unreadable input: one French line on the standard
// error, exit status 2.
[[noreturn]] void echouer(const std::string& message) {
    std::cerr << "cyclide-conv : " << message << std::endl;
    std::exit(SORTIE_USAGE);
}

// A whole argument as a double (strtod syntax, nothing left over).
// Gives back false for an empty or partly numeric text.
bool lireNombre(const std::string& texte, double& valeur) {
    if (texte.empty())
        return false;
    char* fin = nullptr;
    valeur = std::strtod(texte.c_str(), &fin);
    return fin != texte.c_str() && *fin == '\0';
}

// True for an argument that looks like an option rather than a number:
// "--..." or "-" followed by something that cannot start a number.
bool estOption(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '-')
        return false;
    if (arg[1] == '-')
        return true;
    double inutile;
    return !lireNombre(arg, inutile);
}

// True for a non-empty text made only of the digits 1 to 7.
bool listesValides(const std::string& texte) {
    if (texte.empty())
        return false;
    for (char ch : texte)
        if (ch < '1' || ch > '7')
            return false;
    return true;
}

// The value of option argv[k] (the next argument); exits when missing.
std::string valeurOption(int argc, char** argv, int& k, const char* attendu) {
    if (k + 1 >= argc || std::string(argv[k + 1]).empty())
        echouer(std::string("l'option ") + argv[k] + " attend " + attendu);
    return argv[++k];
}

// The options for scripts and CAD (--json, --step, --lot, --csv, --fils);
// gives back false when argv[k] is none of them.
bool analyserOptionScript(int argc, char** argv, int& k, Demande& d) {
    const std::string arg = argv[k];
    if (arg == "--json") {
        d.json = true;
    } else if (arg == "--csv") {
        d.csv = true;
    } else if (arg == "--step") {
        d.step = valeurOption(argc, argv, k, "un nom de fichier");
    } else if (arg == "--lot") {
        d.lot = valeurOption(argc, argv, k, "un nom de fichier ou -");
    } else if (arg == "--fils") {
        const std::string n = valeurOption(argc, argv, k, "un nombre de fils");
        double v = 0;
        if (!lireNombreDecimal(n, v) || v < 1 || v > 256 || v != static_cast<int>(v))
            echouer("l'option --fils attend un entier de 1 a 256");
        d.fils = static_cast<int>(v);
    } else {
        return false;
    }
    return true;
}

// Reads the command line into a Demande; exits with status 2 on bad usage.
Demande analyser(int argc, char** argv) {
    Demande d;
    for (int k = 1; k < argc; ++k) {
        std::string arg = argv[k];
        if (!estOption(arg)) {
            d.positionnels.push_back(arg);
        } else if (arg == "--help" || arg == "-h") {
            d.aide = true;
        } else if (arg == "--plan") {
            if (k + 1 >= argc)
                echouer("l'option --plan attend y ou z");
            std::string plan = argv[++k];
            if (plan == "z")
                d.choix = 1;
            else if (plan == "y")
                d.choix = 0;
            else
                echouer("plan inconnu '" + plan + "' (y ou z attendu)");
        } else if (arg == "--exemple") {
            if (k + 1 >= argc)
                echouer("l'option --exemple attend 1, 2 ou 3");
            std::string num = argv[++k];
            if (num == "1" || num == "2" || num == "3")
                d.exemple = num[0] - '0';
            else
                echouer("exemple inconnu '" + num + "' (1, 2 ou 3 attendu)");
        } else if (arg == "--obj") {
            if (k + 1 >= argc || std::string(argv[k + 1]).empty())
                echouer("l'option --obj attend un nom de fichier");
            d.obj = argv[++k];
        } else if (arg == "--png") {
            if (k + 1 >= argc || std::string(argv[k + 1]).empty())
                echouer("l'option --png attend un nom de fichier");
            d.png = argv[++k];
        } else if (analyserOptionScript(argc, argv, k, d)) {
            continue;
        } else if (arg == "--affiche") {
            if (k + 1 >= argc || !listesValides(argv[k + 1]))
                echouer("l'option --affiche attend des chiffres de 1 a 7");
            d.affiche = argv[++k];
        } else {
            echouer("option inconnue '" + arg + "' (voir cyclide-conv --help)");
        }
    }
    return d;
}

// The seven parameters from the command line or from a parameter file;
// exits with status 2 when they cannot all be had.
void lireEntree(const Demande& d, double valeurs[NOMBRE_PARAMETRES]) {
    if (d.positionnels.size() == static_cast<std::size_t>(NOMBRE_PARAMETRES)) {
        for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
            if (!lireNombre(d.positionnels[k], valeurs[k]))
                echouer("parametre non numerique '" + d.positionnels[k] + "'");
        return;
    }
    if (d.positionnels.size() != 1)
        echouer("il faut sept parametres, un fichier ou --exemple N (voir cyclide-conv --help)");
    const std::string& nom = d.positionnels[0];
    std::ifstream fichier(nom);
    if (!fichier)
        echouer("impossible d'ouvrir le fichier '" + nom + "'");
    int lus = lireParametres(fichier, valeurs);
    if (fichier.bad())
        echouer("impossible de lire le fichier '" + nom + "'");
    if (lus < NOMBRE_PARAMETRES)
        echouer("le fichier '" + nom + "' ne contient que " + std::to_string(lus) +
                " nombre(s) sur sept");
}

// Sends what the core prints on the standard output (its diagnostic lines
// for degenerate constructions) to the standard error while it lives, so
// that the standard output carries only the converter's report.
class DiagnosticsVersErreur {
  public:
    DiagnosticsVersErreur() {
        std::cout.flush();
        std::fflush(stdout);
        sauvegarde_ = ::dup(STDOUT_FILENO);
        if (sauvegarde_ >= 0)
            ::dup2(STDERR_FILENO, STDOUT_FILENO);
    }
    ~DiagnosticsVersErreur() {
        std::cout.flush();
        std::fflush(stdout);
        if (sauvegarde_ >= 0) {
            ::dup2(sauvegarde_, STDOUT_FILENO);
            ::close(sauvegarde_);
        }
    }
    DiagnosticsVersErreur(const DiagnosticsVersErreur&) = delete;
    DiagnosticsVersErreur& operator=(const DiagnosticsVersErreur&) = delete;

  private:
    int sauvegarde_ = -1;
};

// The result of one run of the window's rebuild, without drawing.
struct Resultat {
    int type = 0;
    int code = 0;
    RBBPd converti;
    MorceauCyclide morceau;
    double residu = 0;
};

// Runs what the window's rebuild runs: the construction (or the example),
// a copy, the conversion of the copy with the chosen plane.
Resultat convertir(const Demande& d, const double valeurs[NOMBRE_PARAMETRES]) {
    DiagnosticsVersErreur diversion;
    Resultat res;
    RBBPd Bez;
    if (d.exemple != 0)
        res.type = chargerExemple(d.exemple, Bez);
    else
        res.type = Bez.convertToCD4(valeurs[0], valeurs[1], valeurs[2], valeurs[3], valeurs[4],
                                    valeurs[5], valeurs[6]);
    res.converti = Bez;
    res.code = res.converti.calculConversion(res.type, d.choix, res.morceau);
    if (res.code != 0)
        res.residu = residuCyclide(res.converti);
    return res;
}

// Prints the report: type, cyclide code and message, the converted record,
// and for a cyclide the piece's ranges and the residual; 17 significant
// digits.
void imprimer(Resultat& res) {
    std::cout.precision(17);
    std::cout << "type " << res.type << "\n";
    std::cout << "cyclide " << res.code << " " << messageCyclide(res.code) << "\n";
    std::cout << res.converti;
    if (res.code != 0) {
        std::cout << "morceau " << res.morceau.u0 << " " << res.morceau.u1 << " " << res.morceau.v0
                  << " " << res.morceau.v1 << "\n";
        std::cout << "residu " << res.residu << "\n";
    }
    std::cout.flush();
}

// Writes the OBJ file of the result; notices about left-out groups and any
// diagnostic line of the core go to the standard error.
// Gives back false when the file cannot be written.
bool exporter(const Demande& d, const Resultat& res) {
    DiagnosticsVersErreur diversion;
    std::vector<std::string> entete = {
        "cyclide-conv : carreau, carreau converti et cyclide de Dupin",
        "type " + std::to_string(res.type) + ", cyclide " + std::to_string(res.code) + " (" +
            messageCyclide(res.code) + ")"};
    std::vector<std::string> notices;
    bool ok = exporterObj(d.obj, res.converti, res.code, res.morceau, entete, notices);
    for (const auto& notice : notices)
        std::cerr << "cyclide-conv : " << notice << std::endl;
    return ok;
}

// Renders the view of the patch as an 800 x 800 PNG image, through the same
// off-screen rendering as the window's image command. Gives back false with
// a French message when the image cannot be made or written.
bool ecrireImage(int& argc, char** argv, const Demande& d, const double valeurs[NOMBRE_PARAMETRES],
                 std::string& erreur) {
#ifdef CYCLIDE_AVEC_PNG
    DiagnosticsVersErreur diversion;
    return ecrireImageCarreau(argc, argv, valeurs, d.exemple, d.choix, d.affiche, d.png, erreur);
#else
    (void)argc;
    (void)argv;
    (void)d;
    (void)valeurs;
    erreur = "cette version de cyclide-conv est construite sans l'image (--png)";
    return false;
#endif
}

// The batch: every line of the file (or of the standard input) converted on
// every core, one row per line on the standard output, in input order.
// Gives back the exit status.
int lancerLot(const Demande& d) {
    if (!d.positionnels.empty() || d.exemple != 0 || d.json || !d.step.empty() || !d.obj.empty() ||
        !d.png.empty())
        echouer(
            "--lot ne prend ni parametres, ni fichier, ni --exemple, --json, --step, --obj, --png");
    OptionsLot options;
    options.choix = d.choix;
    options.csv = d.csv;
    options.fils = d.fils;
    options.progression = ::isatty(STDERR_FILENO) != 0;
    std::ifstream fichier;
    if (d.lot != "-") {
        fichier.open(d.lot, std::ios::binary);
        struct stat etat {};
        if (!fichier || ::stat(d.lot.c_str(), &etat) != 0 || S_ISDIR(etat.st_mode))
            echouer("impossible d'ouvrir le fichier '" + d.lot + "'");
        if (S_ISREG(etat.st_mode))
            options.tailleEntree = static_cast<unsigned long long>(etat.st_size);
    }
    std::istream& entree = d.lot == "-" ? std::cin : fichier;
    std::cout.flush();
    const int sortie = ::dup(STDOUT_FILENO);
    if (sortie < 0)
        echouer("sortie standard indisponible");
    BilanLot bilan;
    {
        DiagnosticsVersErreur diversion;
        bilan = traiterLot(entree, sortie, options);
    }
    ::close(sortie);
    if (bilan.sortieEchouee)
        echouer("erreur d'ecriture sur la sortie standard");
    if (entree.bad())
        echouer("impossible de lire '" + d.lot + "'");
    if (bilan.erreurs > 0)
        std::cerr << "cyclide-conv : " << bilan.erreurs << " ligne(s) en erreur sur "
                  << bilan.lignes << std::endl;
    return 0;
}

// The scene of the request (example or seven parameters), the core's
// diagnostic lines sent to the standard error.
Scene sceneDemandee(const Demande& d, const double valeurs[NOMBRE_PARAMETRES]) {
    DiagnosticsVersErreur diversion;
    EntreeScene e = entreeParametres(valeurs, d.choix);
    e.exemple = d.exemple;
    return construireScene(e);
}

// Where the numbers came from, for the JSON "input" key.
OrigineEntree origineDemandee(const Demande& d) {
    OrigineEntree o;
    if (d.exemple != 0) {
        o.sorte = OrigineEntree::Sorte::Exemple;
    } else if (d.positionnels.size() == 1) {
        o.sorte = OrigineEntree::Sorte::Fichier;
        o.fichier = d.positionnels[0];
    }
    return o;
}

// Writes the STEP file of the scene; notices go to the standard error.
void ecrireStep(const Demande& d, const Scene& s) {
    std::vector<std::string> notices;
    std::string raison;
    const bool ok = exporterStep(d.step, s, notices, raison);
    for (const auto& notice : notices)
        std::cerr << "cyclide-conv : " << notice << std::endl;
    if (!ok)
        echouer("impossible d'ecrire le fichier STEP '" + d.step + "' : " + raison);
}

} // namespace

int main(int argc, char** argv) {
    Demande d = analyser(argc, argv);
    if (d.aide) {
        std::cout << USAGE;
        return 0;
    }
    if (!d.lot.empty())
        return lancerLot(d);
    if (d.csv || d.fils != 0)
        echouer("--csv et --fils vont avec --lot");
    double valeurs[NOMBRE_PARAMETRES] = {0, 0, 0, 0, 0, 0, 0};
    if (d.exemple != 0) {
        if (!d.positionnels.empty())
            echouer("--exemple ne prend ni parametres ni fichier");
    } else {
        lireEntree(d, valeurs);
    }
    if (d.json || !d.step.empty()) {
        const Scene s = sceneDemandee(d, valeurs);
        if (!d.step.empty())
            ecrireStep(d, s);
        if (d.json)
            std::cout << resultatJson(s, origineDemandee(d)) << std::endl;
    }
    Resultat res = convertir(d, valeurs);
    if (!d.obj.empty() && !exporter(d, res))
        echouer("impossible d'ecrire le fichier OBJ '" + d.obj + "'");
    std::string erreur;
    if (!d.png.empty() && !ecrireImage(argc, argv, d, valeurs, erreur))
        echouer(erreur);
    if (!d.json)
        imprimer(res);
    if (!std::cout)
        echouer("erreur d'ecriture sur la sortie standard");
    return 0;
}
