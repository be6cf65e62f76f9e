// cyclide-conv: the conversion of the program without its window. Builds the
// patch from the seven parameters (or loads a built-in example), converts a
// copy with the chosen auxiliary plane and prints the verdict, the converted
// record, the piece of cyclide and the residual, and on request writes the
// result as a Wavefront OBJ file or renders the view as a PNG image. Opens a
// GL context (and needs an X server) only for the image.
#include "ExportObj.h"
#include "FichierParametres.h"
#include "Messages.h"
#include "RBBPd.h"
#include "Scene.h"
// The image's request (OptionsVue) is read even without the image.
#include "ImageVue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
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
    "  cyclide-conv ... --png FICHIER.png [--affiche LISTES] [--vue X,Y,Z] [--zoom F]\n"
    "                   [--recadrer]\n"
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
    "  --vue X,Y,Z\n"
    "             rotations de la vue autour de x, y et z, en degres (0,0,0 par\n"
    "             defaut : vue de dessus)\n"
    "  --zoom F   facteur de zoom de l'image (1.5 par defaut)\n"
    "  --recadrer ajuste les listes affichees a l'image (centre et zoom)\n";

// What the command line asks for.
struct Demande {
    bool aide = false;
    int choix = 1;   // 1 "Plan Pz", 0 "Plan Py"
    int exemple = 0; // 0: no example
    std::string obj; // empty: no OBJ file
    std::string png; // empty: no image
    std::string affiche = "1";
    OptionsVue vue;
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

// Reads "X,Y,Z" (three finite numbers of degrees) into the view's rotation.
bool lireAnglesVue(const std::string& texte, OptionsVue& vue) {
    const std::size_t a = texte.find(',');
    const std::size_t b = a == std::string::npos ? a : texte.find(',', a + 1);
    if (b == std::string::npos)
        return false;
    double x = 0, y = 0, z = 0;
    if (!lireNombre(texte.substr(0, a), x) || !lireNombre(texte.substr(a + 1, b - a - 1), y) ||
        !lireNombre(texte.substr(b + 1), z))
        return false;
    if (std::fabs(x) > 1e6 || std::fabs(y) > 1e6 || std::fabs(z) > 1e6)
        return false;
    vue.x = x;
    vue.y = y;
    vue.z = z;
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
        } else if (arg == "--vue") {
            if (k + 1 >= argc || !lireAnglesVue(argv[k + 1], d.vue))
                echouer("l'option --vue attend trois angles en degres X,Y,Z");
            ++k;
        } else if (arg == "--zoom") {
            if (k + 1 >= argc || !lireNombre(argv[k + 1], d.vue.zoom) || !(d.vue.zoom > 0) ||
                d.vue.zoom > 1e6)
                echouer("l'option --zoom attend un nombre positif");
            ++k;
        } else if (arg == "--recadrer") {
            d.vue.recadrer = true;
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

// Runs the window's rebuild: the scene of the parameters (or the example)
// with the chosen plane.
Resultat convertir(const Demande& d, const double valeurs[NOMBRE_PARAMETRES]) {
    DiagnosticsVersErreur diversion;
    EntreeScene entree;
    double* champs[NOMBRE_PARAMETRES] = {&entree.theta00, &entree.theta02, &entree.theta20,
                                         &entree.theta22, &entree.rayon,   &entree.z11,
                                         &entree.P10};
    for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
        *champs[k] = valeurs[k];
    entree.exemple = d.exemple;
    entree.choix = d.choix;
    const Scene scene = construireScene(entree);
    Resultat res;
    res.type = scene.type;
    res.code = scene.typeCyclide;
    res.converti = scene.converti;
    res.morceau = scene.morceau;
    res.residu = scene.residu;
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
    return ecrireImageCarreau(argc, argv, valeurs, d.exemple, d.choix, d.affiche, d.png, erreur,
                              d.vue);
#else
    (void)argc;
    (void)argv;
    (void)d;
    (void)valeurs;
    erreur = "cette version de cyclide-conv est construite sans l'image (--png)";
    return false;
#endif
}

} // namespace

int main(int argc, char** argv) {
    Demande d = analyser(argc, argv);
    if (d.aide) {
        std::cout << USAGE;
        return 0;
    }
    double valeurs[NOMBRE_PARAMETRES] = {0, 0, 0, 0, 0, 0, 0};
    if (d.exemple != 0) {
        if (!d.positionnels.empty())
            echouer("--exemple ne prend ni parametres ni fichier");
    } else {
        lireEntree(d, valeurs);
    }
    Resultat res = convertir(d, valeurs);
    if (!d.obj.empty() && !exporter(d, res))
        echouer("impossible d'ecrire le fichier OBJ '" + d.obj + "'");
    std::string erreur;
    if (!d.png.empty() && !ecrireImage(argc, argv, d, valeurs, erreur))
        echouer(erreur);
    imprimer(res);
    if (!std::cout)
        echouer("erreur d'ecriture sur la sortie standard");
    return 0;
}
