// cyclide-conv: the conversion of the program without its window. Builds the
// patch from the seven parameters (or loads a built-in example, or reads a
// net given directly), converts a
// copy with the chosen auxiliary plane and prints the verdict, the converted
// record, the piece of cyclide and the residual, and on request writes the
// result as a Wavefront OBJ file or renders the view as a PNG image. Opens a
// GL context (and needs an X server) only for the image.
#include "DecisionCarreau.h"
#include "EcritureFichier.h"
#include "Exemples.h"
#include "ExportObj.h"
#include "ExportStep.h"
#include "FichierParametres.h"
#include "LectureCarreau.h"
#include "LotParametres.h"
#include "Messages.h"
#include "NombreTexte.h"
#include "RBBPd.h"
#include "Residu.h"
#include "ResultatJson.h"
#include "Scene.h"
// The image's request (OptionsVue) is read even without the image.
#include "ImageVue.h"
#ifdef CYCLIDE_AVEC_CAO
#include "ConversionCao.h"
#include "ExportIges.h"
#endif

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const int SORTIE_USAGE = 2;

const char* const USAGE =
    "Usage :\n"
    "  cyclide-conv [--plan y|z] T00 T02 T20 T22 RAYON Z11 P10\n"
    "  cyclide-conv [--plan y|z] FICHIER|-\n"
    "  cyclide-conv [--plan y|z] --exemple 1|2|3\n"
    "  cyclide-conv [--plan y|z] --carreau FICHIER|- [--tolerance R]\n"
    "  cyclide-conv ... --obj FICHIER.obj\n"
    "  cyclide-conv ... --png FICHIER.png [--affiche LISTES] [--vue X,Y,Z] [--zoom F]\n"
    "                   [--recadrer]\n"
    "  cyclide-conv ... --json\n"
    "  cyclide-conv ... --step FICHIER.step\n"
    "  cyclide-conv ... --iges FICHIER.iges\n"
    "  cyclide-conv [--plan y|z] --carreau FICHIER.step|.stp|.iges|.igs [--json]\n"
    "  cyclide-conv [--plan y|z] --lot FICHIER|- [--csv] [--fils N]\n"
    "  cyclide-conv --help\n"
    "\n"
    "Construit le carreau a partir des sept parametres (angles en radians), d'un\n"
    "fichier de parametres (.car, .bez ; - pour l'entree standard), d'un exemple\n"
    "integre ou d'un carreau donne point par point, le convertit en carreau de\n"
    "cyclide de Dupin et affiche :\n"
    "  type T                  le type de conversion (0, 1 ou 2)\n"
    "  cyclide K MESSAGE       le type de cyclide et son message\n"
    "  verdict non convertible: RAISON\n"
    "                          pourquoi le carreau n'est pas converti (si K = 0)\n"
    "  l'enregistrement converti (17 chiffres significatifs)\n"
    "  morceau U0 U1 V0 V1     les bornes du morceau de cyclide (si K != 0)\n"
    "  residu R                l'ecart relatif du carreau a la cyclide : celle du\n"
    "                          type K si K != 0, sinon la meilleure lecture essayee\n"
    "                          (si T != 0 ; inf si aucune n'est finie)\n"
    "\n"
    "  --plan z   plan auxiliaire Pz (par defaut)\n"
    "  --plan y   plan auxiliaire Py\n"
    "  --carreau FICHIER|-\n"
    "             lit le carreau donne directement : neuf lignes \"x y z w\" (point\n"
    "             de controle et poids), ligne par ligne P00 P01 P02 P10 P11 P12\n"
    "             P20 P21 P22 (# commentaire, lignes vides ignorees ; - : l'entree\n"
    "             standard) ; ses quatre bords doivent etre des arcs de cercle\n"
    "  --tolerance R\n"
    "             avec --carreau : l'ecart relatif admis, pour les bords en arcs de\n"
    "             cercle et pour le residu de la cyclide (nombre decimal fini > 0,\n"
    "             1e-6 par defaut)\n"
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
    "  --recadrer ajuste les listes affichees a l'image (centre et zoom)\n"
    "  --json     ecrit le resultat en un objet JSON sur une ligne (cles en\n"
    "             anglais, schema docs/cyclide-conv.schema.json)\n"
    "  --step FICHIER.step\n"
    "             ecrit aussi un fichier STEP (AP214) : le carreau, le morceau de\n"
    "             cyclide et la cyclide entiere en surfaces B-spline rationnelles\n"
    "  --iges FICHIER.iges\n"
    "             ecrit aussi un fichier IGES (par Open CASCADE) des memes surfaces\n"
    "  --carreau FICHIER.step|.stp|.iges|.igs\n"
    "             convertit chaque carreau de Bezier ou B-spline de degre 2 x 2 au\n"
    "             plus des faces du fichier CAO : un resultat par carreau, avec sa\n"
    "             face et son rang ; les autres faces sont nommees sur la sortie\n"
    "             d'erreur\n"
    "  --lot FICHIER|-\n"
    "             convertit un jeu de sept nombres par ligne (# commentaire,\n"
    "             lignes vides ignorees ; - : l'entree standard) et ecrit un objet\n"
    "             JSON par ligne, dans l'ordre des lignes ; une ligne fausse donne\n"
    "             une ligne d'erreur et le lot continue\n"
    "  --csv      avec --lot : un en-tete puis une ligne CSV par jeu\n"
    "  --fils N   avec --lot : N fils de calcul (par defaut un par coeur)\n"
    "\n"
    "Les nombres sont decimaux et finis (1.5, -2, 3e-4). Un fichier de sortie est\n"
    "remplace en entier, ou laisse tel quel en cas d'echec ; un lien symbolique\n"
    "met a jour sa cible. Le nom - designe la sortie standard : le rapport passe\n"
    "alors sur la sortie d'erreur. Une sortie qui serait aussi l'entree ou l'autre\n"
    "sortie est refusee.\n";

// What the command line asks for.
struct Demande {
    bool aide = false;
    int choix = 1;       // 1 "Plan Pz", 0 "Plan Py"
    int exemple = 0;     // 0: no example
    std::string carreau; // empty: no net given directly; "-": the standard input
    double tolerance = TOLERANCE_CARREAU;
    bool toleranceDonnee = false;
    std::string obj; // empty: no OBJ file
    std::string png; // empty: no image
    std::string affiche = "1";
    bool json = false;
    std::string step; // empty: no STEP file
    std::string iges; // empty: no IGES file
    std::string lot;  // empty: no batch; "-": the standard input
    bool csv = false;
    int fils = 0; // 0: one per core
    OptionsVue vue;
    std::vector<std::string> positionnels;
};

// Reports bad usage, an unreadable input or a failed output: one French
// line on the standard error, exit status 2.
[[noreturn]] void echouer(const std::string& message) {
    ecrireTout(STDERR_FILENO, "cyclide-conv : " + message + "\n");
    std::exit(SORTIE_USAGE);
}

// True for an option: "--..." or "-h". Everything else (numbers, "-" for
// the standard input, names) is a positional argument.
bool estOption(const std::string& arg) {
    return arg.compare(0, 2, "--") == 0 || arg == "-h";
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

// The value of an option that takes a file name; exits when it is missing.
std::string nomFichierOption(int argc, char** argv, int& k, const std::string& option) {
    if (k + 1 >= argc || std::string(argv[k + 1]).empty())
        echouer("l'option " + option + " attend un nom de fichier");
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
        d.step = nomFichierOption(argc, argv, k, arg);
    } else if (arg == "--iges") {
        d.iges = nomFichierOption(argc, argv, k, arg);
    } else if (arg == "--lot") {
        d.lot = nomFichierOption(argc, argv, k, arg);
    } else if (arg == "--carreau") {
        d.carreau = nomFichierOption(argc, argv, k, arg);
    } else if (arg == "--tolerance") {
        if (k + 1 >= argc || !lireNombreDecimal(argv[k + 1], d.tolerance) || !(d.tolerance > 0))
            echouer("l'option --tolerance attend un nombre decimal fini positif");
        d.toleranceDonnee = true;
        ++k;
    } else if (arg == "--fils") {
        double v = 0;
        if (k + 1 >= argc || !lireNombreDecimal(argv[k + 1], v) || v < 1 || v > 256 ||
            v != static_cast<int>(v))
            echouer("l'option --fils attend un entier de 1 a 256");
        d.fils = static_cast<int>(v);
        ++k;
    } else {
        return false;
    }
    return true;
}

// Reads "X,Y,Z" (three finite numbers of degrees) into the view's rotation.
bool lireAnglesVue(const std::string& texte, OptionsVue& vue) {
    const std::size_t a = texte.find(',');
    const std::size_t b = a == std::string::npos ? a : texte.find(',', a + 1);
    if (b == std::string::npos)
        return false;
    double x = 0, y = 0, z = 0;
    if (!lireNombreDecimal(texte.substr(0, a), x) ||
        !lireNombreDecimal(texte.substr(a + 1, b - a - 1), y) ||
        !lireNombreDecimal(texte.substr(b + 1), z))
        return false;
    if (std::fabs(x) > 1e6 || std::fabs(y) > 1e6 || std::fabs(z) > 1e6)
        return false;
    vue.x = x;
    vue.y = y;
    vue.z = z;
    return true;
}

// The options of the image's view (--vue, --zoom, --recadrer); gives back
// false when argv[k] is none of them.
bool analyserOptionVue(int argc, char** argv, int& k, Demande& d) {
    const std::string arg = argv[k];
    if (arg == "--vue") {
        if (k + 1 >= argc || !lireAnglesVue(argv[k + 1], d.vue))
            echouer("l'option --vue attend trois angles en degres X,Y,Z");
        ++k;
    } else if (arg == "--zoom") {
        if (k + 1 >= argc || !lireNombreDecimal(argv[k + 1], d.vue.zoom) || !(d.vue.zoom > 0) ||
            d.vue.zoom > 1e6)
            echouer("l'option --zoom attend un nombre positif");
        ++k;
    } else if (arg == "--recadrer") {
        d.vue.recadrer = true;
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
            d.obj = nomFichierOption(argc, argv, k, arg);
        } else if (arg == "--png") {
            d.png = nomFichierOption(argc, argv, k, arg);
        } else if (analyserOptionScript(argc, argv, k, d) || analyserOptionVue(argc, argv, k, d)) {
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

// The text of the parameter file nom ("-": the standard input); exits
// with status 2 when it cannot be read. entree gets what was read.
std::string lireTexteEntree(const std::string& nom, IdentiteFichier& entree) {
    std::string texte;
    std::string raison;
    ResultatLecture fin;
    if (nom == "-") {
        entree = identiteDescripteur(STDIN_FILENO);
        fin = lireDescripteurBorne(STDIN_FILENO, texte, raison);
    } else {
        fin = lireFichierParametres(nom, false, texte, raison, &entree);
    }
    const std::string designation = nom == "-" ? "l'entree standard" : "le fichier '" + nom + "'";
    if (fin == ResultatLecture::OuvertureImpossible)
        echouer("impossible d'ouvrir " + designation + " : " + raison);
    if (fin != ResultatLecture::Lu)
        echouer("impossible de lire " + designation + " : " + raison);
    return texte;
}

// The seven parameters from the command line or from a parameter file;
// exits with status 2 when they cannot all be had.
void lireEntree(const Demande& d, double valeurs[NOMBRE_PARAMETRES], IdentiteFichier& entree) {
    if (d.positionnels.size() == static_cast<std::size_t>(NOMBRE_PARAMETRES)) {
        for (int k = 0; k < NOMBRE_PARAMETRES; ++k)
            if (!lireNombreDecimal(d.positionnels[k], valeurs[k]))
                echouer("parametre non numerique '" + d.positionnels[k] +
                        "' (nombre decimal fini attendu)");
        return;
    }
    if (d.positionnels.size() != 1)
        echouer("il faut sept parametres, un fichier ou --exemple N (voir cyclide-conv --help)");
    const std::string& nom = d.positionnels[0];
    std::istringstream texte(lireTexteEntree(nom, entree));
    const LectureParametres lecture = analyserParametres(texte, valeurs);
    if (!lecture.refuse.empty())
        echouer("le fichier '" + nom + "' contient '" + lecture.refuse +
                "' qui n'est pas un nombre decimal fini");
    if (lecture.lus < NOMBRE_PARAMETRES)
        echouer("le fichier '" + nom + "' ne contient que " + std::to_string(lecture.lus) +
                " nombre(s) sur sept");
}

// Makes sure descriptors 0, 1 and 2 are open (on /dev/null when the
// caller closed them), so that no file this program opens takes their
// place.
void ouvrirDescripteursStandard() {
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) < 0) {
            const int nul = ::open("/dev/null", O_RDWR);
            if (nul >= 0 && nul != fd) {
                ::dup2(nul, fd);
                ::close(nul);
            }
        }
}

// Where the report and the outputs go, decided before anything is
// redirected or written.
struct Sorties {
    int rapport = -1; // the descriptor of the report: the real standard output, or
                      // the standard error when an output takes the standard output
    CibleEcriture obj;
    CibleEcriture png;
    CibleEcriture step;
};

// Resolves one output; exits when it cannot be written there.
CibleEcriture resoudre(const std::string& nom, const FluxConnus& flux, const char* quoi) {
    CibleEcriture cible;
    std::string raison;
    if (!resoudreCible(nom, flux, cible, raison))
        echouer(std::string("impossible d'ecrire ") + quoi + " '" + nom + "' : " + raison);
    return cible;
}

// True when both outputs would be written to the same stream or file.
bool memeSortie(const CibleEcriture& a, const CibleEcriture& b) {
    if (a.genre == GenreCible::Flux && b.genre == GenreCible::Flux)
        return a.descripteur == b.descripteur;
    return memeFichier(a.identite, b.identite);
}

// Resolves the outputs and refuses, before anything is written, an output
// that is the input or the other output.
Sorties preparerSorties(const Demande& d, const IdentiteFichier& entree) {
    Sorties s;
    FluxConnus flux;
    flux.sortieStandard = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    flux.sortieErreur = STDERR_FILENO;
    s.rapport = flux.sortieStandard;
    const std::string nomEntree =
        !d.carreau.empty() ? d.carreau : (d.positionnels.size() == 1 ? d.positionnels[0] : "");
    std::vector<CibleEcriture*> demandees;
    if (!d.obj.empty()) {
        s.obj = resoudre(d.obj, flux, "le fichier OBJ");
        demandees.push_back(&s.obj);
    }
    if (!d.png.empty()) {
        s.png = resoudre(d.png, flux, "l'image");
        demandees.push_back(&s.png);
    }
    if (!d.step.empty()) {
        s.step = resoudre(d.step, flux, "le fichier STEP");
        demandees.push_back(&s.step);
    }
    for (CibleEcriture* c : demandees) {
        if (memeFichier(c->identite, entree))
            echouer("la sortie '" + c->nom + "' est le fichier d'entree '" + nomEntree +
                    "' : rien n'a ete ecrit");
        if (c->genre == GenreCible::Flux && c->descripteur == flux.sortieStandard)
            s.rapport = STDERR_FILENO;
    }
    for (std::size_t a = 0; a < demandees.size(); ++a)
        for (std::size_t b = a + 1; b < demandees.size(); ++b)
            if (memeSortie(*demandees[a], *demandees[b]))
                echouer("'" + demandees[a]->nom + "' et '" + demandees[b]->nom +
                        "' designent le meme fichier : rien n'a ete ecrit");
    return s;
}

// Latin-1 bytes (the core's diagnostics) as UTF-8.
std::string latin1EnUtf8(const std::string& texte) {
    std::string utf8;
    utf8.reserve(texte.size());
    for (char ch : texte) {
        const auto octet = static_cast<unsigned char>(ch);
        if (octet < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (octet >> 6));
            utf8 += static_cast<char>(0x80 | (octet & 0x3F));
        }
    }
    return utf8;
}

// The diagnostic lines with each run of identical lines written once,
// followed by how often it came: checking several readings of one patch may
// meet the same degenerate construction many times.
std::string regrouperRepetitions(const std::string& texte) {
    std::string resultat;
    std::size_t debut = 0;
    while (debut < texte.size()) {
        std::size_t fin = texte.find('\n', debut);
        fin = fin == std::string::npos ? texte.size() : fin + 1;
        const std::string ligne = texte.substr(debut, fin - debut);
        int fois = 1;
        while (texte.compare(fin, ligne.size(), ligne) == 0 && ligne.back() == '\n') {
            fin += ligne.size();
            ++fois;
        }
        resultat += ligne;
        if (fois > 1)
            resultat += "(" + std::to_string(fois) + " fois de suite)\n";
        debut = fin;
    }
    return resultat;
}

// Takes what the core prints on the standard output (its diagnostic
// lines, ISO 8859-1) into an anonymous file, and passes it on to the
// standard error in UTF-8 at each call of transmettre. The standard output
// descriptor then names that file only: no output the user asked for
// shares it.
class DiagnosticsCaptures {
  public:
    DiagnosticsCaptures() {
        std::cout.flush();
        std::fflush(stdout);
        fichier_ = ::memfd_create("cyclide-diagnostics", MFD_CLOEXEC);
        if (fichier_ < 0) {
            std::FILE* secours = std::tmpfile();
            fichier_ = secours != nullptr ? ::dup(::fileno(secours)) : -1;
            if (secours != nullptr)
                std::fclose(secours);
        }
        const int cible = fichier_ >= 0 ? fichier_ : ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (cible >= 0)
            ::dup2(cible, STDOUT_FILENO);
        if (cible >= 0 && cible != fichier_)
            ::close(cible);
    }
    ~DiagnosticsCaptures() {
        if (fichier_ >= 0)
            ::close(fichier_);
    }
    DiagnosticsCaptures(const DiagnosticsCaptures&) = delete;
    DiagnosticsCaptures& operator=(const DiagnosticsCaptures&) = delete;

    // Sends what was printed since the last call to the standard error.
    void transmettre() {
        std::cout.flush();
        std::fflush(stdout);
        if (fichier_ < 0)
            return;
        std::string texte;
        char tampon[4096];
        ssize_t n;
        off_t position = 0;
        while ((n = ::pread(fichier_, tampon, sizeof tampon, position)) > 0) {
            texte.append(tampon, static_cast<std::size_t>(n));
            position += n;
        }
        // Emptied: the standard output shares the file's offset.
        if (::ftruncate(fichier_, 0) == 0)
            ::lseek(fichier_, 0, SEEK_SET);
        ecrireTout(STDERR_FILENO, latin1EnUtf8(regrouperRepetitions(texte)));
    }

  private:
    int fichier_ = -1;
};

// The report: type, cyclide code and message, for code 0 the verdict's
// reason, the converted record, for a cyclide the piece's ranges, and the
// residual whenever a reading was tried; 17 significant digits.
std::string rapport(const Scene& s) {
    std::ostringstream out;
    out.precision(17);
    out << "type " << s.type << "\n";
    out << "cyclide " << s.typeCyclide << " " << messageCyclide(s.typeCyclide) << "\n";
    if (s.typeCyclide == 0)
        out << "verdict non convertible: " << s.raison << "\n";
    RBBPd converti = s.converti; // the text form takes a modifiable record
    out << converti;
    if (s.typeCyclide != 0)
        out << "morceau " << s.morceau.u0 << " " << s.morceau.u1 << " " << s.morceau.v0 << " "
            << s.morceau.v1 << "\n";
    if (s.typeCyclide != 0 || s.type != 0)
        out << "residu " << s.residu << "\n";
    return out.str();
}

// The OBJ text of the result; notices about left-out groups go to the
// standard error.
std::string texteObj(const Scene& s) {
    const std::vector<std::string> entete = {
        "cyclide-conv : carreau, carreau converti et cyclide de Dupin",
        "type " + std::to_string(s.type) + ", cyclide " + std::to_string(s.typeCyclide) + " (" +
            messageCyclide(s.typeCyclide) + ")"};
    std::vector<std::string> notices;
    std::ostringstream texte;
    ecrireObj(texte, groupesConversion(s.converti, s.typeCyclide, s.morceau), entete, notices);
    for (const auto& notice : notices)
        ecrireTout(STDERR_FILENO, "cyclide-conv : " + notice + "\n");
    return texte.str();
}

// The 800 x 800 PNG image of the scene's view (its parameters, example or
// net), through the same off-screen rendering as the window's image
// command. False, with a French message in erreur, when it cannot be made.
bool imagePng(int& argc, char** argv, const Demande& d, const Scene& s, std::string& png,
              std::string& erreur) {
#ifdef CYCLIDE_AVEC_PNG
    return imageScenePng(argc, argv, s.entree, d.affiche, png, erreur, d.vue);
#else
    (void)argc;
    (void)argv;
    (void)d;
    (void)s;
    (void)png;
    erreur = "cette version de cyclide-conv est construite sans l'image (--png)";
    return false;
#endif
}

// Writes one output; exits when it fails (the old file is left as it was).
void ecrireSortie(const CibleEcriture& cible, const std::string& contenu, const char* quoi) {
    std::string raison;
    if (ecrireCible(cible, contenu, raison) != ResultatEcriture::Reussie)
        echouer(std::string("impossible d'ecrire ") + quoi + " '" + cible.nom + "' : " + raison);
}

// The batch: every line of the file (or of the standard input) converted on
// every core, one row per line on the standard output, in input order; the
// core's diagnostic lines passed on to the standard error after each chunk.
// Gives back the exit status.
int lancerLot(const Demande& d) {
    if (!d.positionnels.empty() || d.exemple != 0 || !d.carreau.empty() || d.json ||
        !d.step.empty() || !d.obj.empty() || !d.png.empty())
        echouer("--lot ne prend ni parametres, ni fichier, ni --exemple, --carreau, --json, "
                "--step, --obj, --png");
    OptionsLot options;
    options.choix = d.choix;
    options.csv = d.csv;
    options.fils = d.fils;
    options.progression = ::isatty(STDERR_FILENO) != 0;
    std::ifstream fichier;
    if (d.lot != "-") {
        struct stat etat {};
        fichier.open(d.lot, std::ios::binary);
        if (!fichier || ::stat(d.lot.c_str(), &etat) != 0 || S_ISDIR(etat.st_mode))
            echouer("impossible d'ouvrir le fichier '" + d.lot + "'");
        if (S_ISREG(etat.st_mode))
            options.tailleEntree = static_cast<unsigned long long>(etat.st_size);
    }
    std::istream& entree = d.lot == "-" ? std::cin : fichier;
    const int sortie = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    DiagnosticsCaptures diagnostics;
    options.apresBloc = [&diagnostics] { diagnostics.transmettre(); };
    const BilanLot bilan = traiterLot(entree, sortie, options);
    diagnostics.transmettre();
    if (bilan.sortieEchouee)
        echouer("erreur d'ecriture sur la sortie standard : " + raisonErreur(errno));
    if (entree.bad())
        echouer("impossible de lire '" + d.lot + "'");
    if (bilan.erreurs > 0)
        ecrireTout(STDERR_FILENO, "cyclide-conv : " + std::to_string(bilan.erreurs) +
                                      " ligne(s) en erreur sur " + std::to_string(bilan.lignes) +
                                      "\n");
    return 0;
}

// The names of the four boundaries of a net, and the index of the control
// point t (0..2) along boundary k.
const char* const NOMS_BORDS[4] = {"u = 0 (P00 P01 P02)", "u = 1 (P20 P21 P22)",
                                   "v = 0 (P00 P10 P20)", "v = 1 (P02 P12 P22)"};
void indicesBord(int k, int t, int& i, int& j) {
    const int fixe = k % 2 == 0 ? 0 : 2;
    i = k < 2 ? fixe : t;
    j = k < 2 ? t : fixe;
}

// Exits with the boundary at fault when one of the four boundaries of the
// net is not a circular arc (within the relative tolerance tol): such a
// file does not hold a net that the conversion is about.
void verifierBords(const RBBP& net, double tol, const std::string& designation) {
    for (int k = 0; k < 4; ++k) {
        Point q[3];
        double w[3];
        for (int t = 0; t < 3; ++t) {
            int i = 0, j = 0;
            indicesBord(k, t, i, j);
            q[t] = net.getP(i, j);
            w[t] = net.getW(i, j);
        }
        std::string pourquoi;
        if (!arcDeCercle(q[0], q[1], q[2], w[0], w[1], w[2], tol, pourquoi)) {
            std::string message = designation + " : le bord " + NOMS_BORDS[k];
            message += " n'est pas un arc de cercle : ";
            echouer(message + pourquoi);
        }
    }
}

// The net of --carreau (a file or the standard input); exits with status 2,
// naming the line or the boundary at fault, when it cannot be read or is
// not a net of circular boundaries. entree gets what was read.
RBBP lireReseau(const Demande& d, IdentiteFichier& entree) {
    std::istringstream texte(lireTexteEntree(d.carreau, entree));
    const std::string designation =
        d.carreau == "-" ? "le carreau de l'entree standard" : "le carreau '" + d.carreau + "'";
    RBBPd net;
    std::string erreur;
    if (!lireCarreau(texte, net, erreur))
        echouer(designation + " : " + erreur);
    verifierBords(net, d.tolerance, designation);
    return net;
}

// What the scene is built from: the example, the seven parameters or the
// net given directly.
EntreeScene entreeDemandee(const Demande& d, const double valeurs[NOMBRE_PARAMETRES],
                           const RBBP& net) {
    EntreeScene e = entreeParametres(valeurs, d.choix);
    e.exemple = d.exemple;
    if (!d.carreau.empty()) {
        e.reseauDonne = true;
        e.reseau = net;
        e.tolerance = d.tolerance;
    }
    return e;
}

// Where the numbers came from, for the JSON "input" key.
OrigineEntree origineDemandee(const Demande& d) {
    OrigineEntree o;
    if (d.exemple != 0) {
        o.sorte = OrigineEntree::Sorte::Exemple;
    } else if (!d.carreau.empty()) {
        o.sorte = OrigineEntree::Sorte::Reseau;
        o.fichier = d.carreau;
    } else if (d.positionnels.size() == 1) {
        o.sorte = OrigineEntree::Sorte::Fichier;
        o.fichier = d.positionnels[0];
    }
    return o;
}

// The STEP text of the scene; notices go to the standard error, and a patch
// that cannot be written exits.
std::string texteStepDemande(const Demande& d, const Scene& s) {
    std::vector<std::string> notices;
    std::string texte;
    std::string raison;
    const bool ok = texteStepScene(s, d.step, texte, notices, raison);
    for (const auto& notice : notices)
        ecrireTout(STDERR_FILENO, "cyclide-conv : " + notice + "\n");
    if (!ok)
        echouer("impossible d'ecrire le fichier STEP '" + d.step + "' : " + raison);
    return texte;
}

#ifdef CYCLIDE_AVEC_CAO
// Every patch of a CAD file: one report (or JSON line) per patch, the
// skipped faces named on the standard error. Gives back the exit status.
int lancerCao(const Demande& d) {
    if (!d.positionnels.empty() || d.exemple != 0 || !d.obj.empty() || !d.png.empty() ||
        !d.step.empty() || !d.iges.empty())
        echouer("--carreau FICHIER CAO ne va qu'avec --plan, --tolerance et --json");
    std::string sortie, raison;
    std::vector<std::string> notices;
    const int rapport = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    DiagnosticsCaptures diagnostics;
    const bool lu =
        convertirFichierCao(d.carreau, d.choix, d.tolerance, d.json, sortie, notices, raison);
    diagnostics.transmettre();
    for (const auto& notice : notices)
        ecrireTout(STDERR_FILENO, "cyclide-conv : " + notice + "\n");
    if (!lu)
        echouer(raison);
    if (!ecrireTout(rapport, sortie))
        echouer("erreur d'ecriture du rapport : " + raisonErreur(errno));
    return 0;
}
#endif

} // namespace

int main(int argc, char** argv) {
    // Write errors are told, not signals that kill without a word.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    ouvrirDescripteursStandard();
    Demande d = analyser(argc, argv);
    if (d.aide) {
        if (!ecrireTout(STDOUT_FILENO, USAGE))
            echouer("erreur d'ecriture sur la sortie standard");
        return 0;
    }
    if (!d.lot.empty())
        return lancerLot(d);
    if (d.csv || d.fils != 0)
        echouer("--csv et --fils vont avec --lot");
    if (d.toleranceDonnee && d.carreau.empty())
        echouer("--tolerance va avec --carreau");
#ifdef CYCLIDE_AVEC_CAO
    if (!d.carreau.empty() && estFichierCao(d.carreau))
        return lancerCao(d);
#endif
    double valeurs[NOMBRE_PARAMETRES] = {0, 0, 0, 0, 0, 0, 0};
    IdentiteFichier entree;
    RBBP net;
    if (d.exemple != 0 || !d.carreau.empty()) {
        if (d.exemple != 0 && !d.carreau.empty())
            echouer("--exemple et --carreau ne vont pas ensemble");
        if (!d.positionnels.empty())
            echouer(d.exemple != 0 ? "--exemple ne prend ni parametres ni fichier"
                                   : "--carreau ne prend ni parametres ni autre fichier");
        if (!d.carreau.empty())
            net = lireReseau(d, entree);
    } else {
        lireEntree(d, valeurs, entree);
    }
    const Sorties sorties = preparerSorties(d, entree);

    DiagnosticsCaptures diagnostics;
    const Scene scene = construireScene(entreeDemandee(d, valeurs, net));
    diagnostics.transmettre();
    const std::string step = d.step.empty() ? std::string() : texteStepDemande(d, scene);
    std::string obj;
    if (!d.obj.empty())
        obj = texteObj(scene);
    std::string png;
    std::string erreur;
    const bool image = d.png.empty() || imagePng(argc, argv, d, scene, png, erreur);
    diagnostics.transmettre();
    if (!image)
        echouer(erreur);
    if (!d.obj.empty())
        ecrireSortie(sorties.obj, obj, "le fichier OBJ");
    if (!d.png.empty())
        ecrireSortie(sorties.png, png, "l'image");
    if (!d.step.empty())
        ecrireSortie(sorties.step, step, "le fichier STEP");
    if (!d.iges.empty()) {
#ifdef CYCLIDE_AVEC_CAO
        std::vector<std::string> notices;
        std::string raison;
        if (!exporterIges(d.iges, scene, notices, raison))
            echouer("impossible d'ecrire le fichier IGES '" + d.iges + "' : " + raison);
#else
        echouer("cette version de cyclide-conv est construite sans Open CASCADE (--iges)");
#endif
    }
    const std::string texte =
        d.json ? resultatJson(scene, origineDemandee(d)) + "\n" : rapport(scene);
    if (!ecrireTout(sorties.rapport, texte))
        echouer("erreur d'ecriture du rapport : " + raisonErreur(errno));
    return 0;
}
