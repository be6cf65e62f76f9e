#include "conv/Options.h"

#include "fichiers/NombreTexte.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <map>
#include <utility>

namespace cyclide {

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
    "  cyclide-conv ... --en-place\n"
    "  cyclide-conv [--plan y|z] --carreau FICHIER.step|.stp|.iges|.igs [--json]\n"
    "               [--fils N]\n"
    "  cyclide-conv [--plan y|z] --lot FICHIER|- [--csv] [--fils N] [--tolerance R]\n"
    "  cyclide-conv --help\n"
    "  cyclide-conv --version\n"
    "\n"
    "Construit le carreau a partir des sept parametres (angles en radians), d'un\n"
    "fichier de parametres (.car, .bez : exactement sept nombres ; - pour l'entree\n"
    "standard), d'un exemple integre ou d'un carreau donne point par point, le\n"
    "convertit en carreau de cyclide de Dupin et affiche :\n"
    "  type T                  le type de conversion (0, 1 ou 2)\n"
    "  cyclide K MESSAGE       le type de cyclide et son message\n"
    "  verdict non convertible: RAISON\n"
    "                          pourquoi le carreau n'est pas converti (si K = 0)\n"
    "  l'enregistrement converti (17 chiffres significatifs)\n"
    "  morceau U0 U1 V0 V1     les bornes du morceau de cyclide (si K != 0)\n"
    "  residu R                l'ecart relatif du carreau a la cyclide : celle du\n"
    "                          type K si K != 0, sinon la meilleure lecture essayee\n"
    "                          (si T != 0 ; indefini si aucune n'est finie)\n"
    "  indefini : NOMBRES      les nombres du rapport qui n'existent pas (ecrits\n"
    "                          indefini), s'il y en a\n"
    "\n"
    "  --plan z   plan auxiliaire Pz (par defaut)\n"
    "  --plan y   plan auxiliaire Py\n"
    "  --carreau FICHIER|-\n"
    "             lit le carreau donne directement : neuf lignes \"x y z w\" (point\n"
    "             de controle et poids), ligne par ligne P00 P01 P02 P10 P11 P12\n"
    "             P20 P21 P22 (# commentaire, lignes vides ignorees ; - : l'entree\n"
    "             standard), ou 36 nombres sur une ligne, ou un objet JSON\n"
    "             {\"net\": [[x,y,z,w], ... neuf points]} ; un carreau dont un bord\n"
    "             n'est pas un arc de cercle est non convertible (type 0)\n"
    "  --tolerance R\n"
    "             avec --carreau ou --lot : l'ecart relatif admis pour un carreau\n"
    "             donne, pour les bords en arcs de cercle et pour le residu de la\n"
    "             cyclide (nombre decimal dans ]0, 1[, 1e-6 par defaut)\n"
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
    "  --en-place un fichier de sortie a plusieurs noms (lien dur) est recopie en\n"
    "             place, le lien est garde : tous ses noms voient le nouveau texte.\n"
    "             Attention : un fichier ecrit en place peut rester incomplet si le\n"
    "             programme est tue pendant l'ecriture (kill -9, panne). Sans cette\n"
    "             option il est remplace comme les autres\n"
    "  --carreau FICHIER.step|.stp|.iges|.igs\n"
    "             lit le fichier CAO (dans un processus a part) : un resultat par\n"
    "             carreau de chaque face, dans l'ordre du fichier, avec sa face et\n"
    "             son rang (carreaux de Bezier ou B-spline de degre 2 x 2 au plus,\n"
    "             tores et spheres) ; une ligne pour une face sur un plan, un\n"
    "             cylindre ou un cone, une ligne qui dit pourquoi pour une face\n"
    "             illisible, invalide ou d'un autre genre (statut de sortie 3)\n"
    "  --lot FICHIER|-\n"
    "             convertit chaque ligne (# commentaire, lignes vides ignorees ;\n"
    "             - : l'entree standard) : sept nombres, un jeu de parametres ;\n"
    "             36 nombres ou un objet JSON {\"net\": [[x,y,z,w], ...]}, un\n"
    "             carreau donne ; les nombres d'une ligne sont separes par des\n"
    "             blancs, ou tous par des virgules. Ecrit un objet JSON par ligne,\n"
    "             dans l'ordre des lignes, chacun des que possible ; une ligne\n"
    "             fausse donne une ligne d'erreur et le lot continue\n"
    "  --csv      avec --lot : un en-tete puis une ligne CSV par jeu\n"
    "  --fils N   avec --lot : N fils de calcul (par defaut un par coeur) ;\n"
    "             avec --carreau FICHIER CAO : les carreaux convertis sur N fils\n"
    "             (par defaut un), les lignes dans l'ordre du fichier\n"
    "\n"
    "Les nombres sont decimaux et finis (1.5, -2, 3e-4), de 64 caracteres au\n"
    "plus. Un fichier de sortie est remplace en entier, ou laisse tel quel en cas\n"
    "d'echec ou d'arret ; un lien symbolique met a jour sa cible ; un fichier a\n"
    "plusieurs noms (lien dur) est remplace aussi : ce nom recoit le nouveau\n"
    "texte, ses autres noms gardent l'ancien (sauf avec --en-place). Le nom -\n"
    "designe la sortie standard : le rapport passe alors sur la sortie d'erreur.\n"
    "Une sortie qui serait aussi l'entree ou l'autre sortie est refusee.\n"
    "\n"
    "Code de sortie : 0 pour tout verdict (convertible ou non) ; 1 quand une\n"
    "ligne d'un lot est en erreur (toutes les lignes sont ecrites) ; 2 pour un\n"
    "usage faux, une entree illisible ou une sortie impossible a ecrire ; 3\n"
    "quand des faces d'un fichier CAO n'ont donne aucun carreau (chacune a sa\n"
    "ligne avec la raison).\n";

namespace {

// CLI11 reads "-7.982" as a short option: a word that starts with '-'
// followed by a digit or a point gets a leading blank, which keeps it a
// value and which the number rule ignores.
const char MARQUE = ' ';

bool ressembleNombreNegatif(const std::string& mot) {
    return mot.size() > 1 && mot[0] == '-' && ((mot[1] >= '0' && mot[1] <= '9') || mot[1] == '.');
}

std::string sansMarque(const std::string& mot) {
    return !mot.empty() && mot[0] == MARQUE ? mot.substr(1) : mot;
}

// The message for an option given without its value.
const std::map<std::string, std::string>& attentes() {
    static const std::map<std::string, std::string> m = {
        {"--plan", "l'option --plan attend y ou z"},
        {"--exemple", "l'option --exemple attend 1, 2 ou 3"},
        {"--carreau", "l'option --carreau attend un nom de fichier"},
        {"--tolerance", std::string("l'option --tolerance attend ") + TOLERANCE_ATTENDUE},
        {"--obj", "l'option --obj attend un nom de fichier"},
        {"--png", "l'option --png attend un nom de fichier"},
        {"--step", "l'option --step attend un nom de fichier"},
        {"--iges", "l'option --iges attend un nom de fichier"},
        {"--lot", "l'option --lot attend un nom de fichier"},
        {"--fils", "l'option --fils attend un entier de 1 a 256"},
        {"--affiche", "l'option --affiche attend des chiffres de 1 a 7"},
        {"--vue", "l'option --vue attend trois angles en degres X,Y,Z"},
        {"--zoom", "l'option --zoom attend un nombre positif"}};
    return m;
}

// True for a word that names an option ("--json", "-h"): CLI11 takes the
// word after an option as its value whatever it is, and an option never
// takes the next option as its value. "-" (a standard stream) and the
// marked negative numbers are values.
bool estOption(const std::string& mot) {
    return mot.size() > 1 && mot[0] == '-';
}

// A validator that refuses with the option's own message.
CLI::Validator valide(const std::string& option, bool (*accepte)(const std::string&)) {
    return CLI::Validator(
        [option, accepte](std::string& valeur) {
            if (estOption(valeur) || !accepte(sansMarque(valeur)))
                throw ErreurConv(attentes().at(option));
            return std::string();
        },
        "", option);
}

bool nomNonVide(const std::string& t) {
    return !t.empty();
}

bool toleranceLue(const std::string& t) {
    double v = 0;
    return lireNombreDecimal(t, v) && toleranceAdmise(v);
}

bool zoomValide(const std::string& t) {
    double v = 0;
    return lireNombreDecimal(t, v) && v > 0 && v <= 1e6;
}

bool nombreFils(const std::string& t) {
    double v = 0;
    return lireNombreDecimal(t, v) && v >= 1 && v <= 256 && v == static_cast<int>(v);
}

bool listesValides(const std::string& t) {
    if (t.empty())
        return false;
    for (char ch : t)
        if (ch < '1' || ch > '7')
            return false;
    return true;
}

// Reads "X,Y,Z" (three finite numbers of degrees, at most 1e6 each).
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

bool anglesValides(const std::string& t) {
    OptionsVue vue;
    return lireAnglesVue(t, vue);
}

// A validator for a value among a few words, naming the unknown one.
CLI::Validator parmi(const std::string& quoi, const std::vector<std::string>& mots,
                     const std::string& attendus) {
    return CLI::Validator(
        [quoi, mots, attendus](std::string& valeur) {
            if (estOption(valeur))
                throw ErreurConv(attentes().at("--" + quoi));
            for (const auto& m : mots)
                if (valeur == m)
                    return std::string();
            throw ErreurConv(quoi + " inconnu " + texteCite(sansMarque(valeur)) + " (" + attendus +
                             " attendu)");
        },
        "", quoi);
}

// The texts of the options before they are turned into numbers.
struct Textes {
    std::string plan, exemple, tolerance, fils, vue, zoom;
    int json = 0, csv = 0, recadrer = 0, aide = 0, version = 0, enPlace = 0;
};

// The options, in groups, with their validators and their combinations.
struct Application {
    CLI::App app{"cyclide-conv"};
    CLI::Option* positionnels = nullptr;
    CLI::Option* lot = nullptr;
    CLI::Option* carreau = nullptr;
    CLI::Option* exemple = nullptr;
    CLI::Option* tolerance = nullptr;

    Application(Demande& d, Textes& t) {
        app.set_help_flag();
        app.allow_extras();
        app.add_flag("-h,--help", t.aide);
        app.add_flag("--version", t.version);
        positionnels = app.add_option("parametres", d.rapport.positionnels);
        ajouterEntree(d, t);
        ajouterSorties(d, t);
        ajouterImage(d, t);
        ajouterLot(d, t);
    }

    void ajouterEntree(Demande& d, Textes& t) {
        CLI::App* g = app.add_option_group("entree");
        g->add_option("--plan", t.plan)->check(parmi("plan", {"y", "z"}, "y ou z"));
        exemple = g->add_option("--exemple", t.exemple)
                      ->check(parmi("exemple", {"1", "2", "3"}, "1, 2 ou 3"));
        carreau =
            g->add_option("--carreau", d.rapport.carreau)->check(valide("--carreau", nomNonVide));
        tolerance =
            g->add_option("--tolerance", t.tolerance)->check(valide("--tolerance", toleranceLue));
        exemple->excludes(carreau);
        positionnels->excludes(exemple)->excludes(carreau);
    }

    void ajouterSorties(Demande& d, Textes& t) {
        CLI::App* g = app.add_option_group("sorties");
        g->add_option("--obj", d.exports.obj)->check(valide("--obj", nomNonVide));
        g->add_option("--png", d.exports.png)->check(valide("--png", nomNonVide));
        g->add_option("--step", d.exports.step)->check(valide("--step", nomNonVide));
        g->add_option("--iges", d.exports.iges)->check(valide("--iges", nomNonVide));
        g->add_flag("--json", t.json);
        g->add_flag("--en-place", t.enPlace);
    }

    void ajouterImage(Demande& d, Textes& t) {
        CLI::App* g = app.add_option_group("image");
        g->add_option("--affiche", d.exports.affiche)->check(valide("--affiche", listesValides));
        g->add_option("--vue", t.vue)->check(valide("--vue", anglesValides));
        g->add_option("--zoom", t.zoom)->check(valide("--zoom", zoomValide));
        g->add_flag("--recadrer", t.recadrer);
    }

    void ajouterLot(Demande& d, Textes& t) {
        CLI::App* g = app.add_option_group("lot");
        lot = g->add_option("--lot", d.lot.lot)->check(valide("--lot", nomNonVide));
        CLI::Option* csv = g->add_flag("--csv", t.csv);
        g->add_option("--fils", t.fils)->check(valide("--fils", nombreFils));
        csv->needs(lot);
        for (const char* autre :
             {"--exemple", "--carreau", "--json", "--step", "--iges", "--obj", "--png"})
            lot->excludes(app.get_option(autre));
        lot->excludes(positionnels);
    }
};

const std::string MESSAGE_LOT = "--lot ne prend ni parametres, ni fichier, ni --exemple, "
                                "--carreau, --json, --step, --obj, --png";

// The French message of a combination CLI11 refused ("A requires B",
// "A excludes B").
std::string messageCombinaison(const std::string& texte) {
    auto contient = [&texte](const char* nom) { return texte.find(nom) != std::string::npos; };
    if (contient("--lot") && contient(" excludes "))
        return MESSAGE_LOT;
    if (contient(" requires "))
        return "--csv va avec --lot";
    if (contient("--exemple") && contient("--carreau"))
        return "--exemple et --carreau ne vont pas ensemble";
    if (contient("--exemple"))
        return "--exemple ne prend ni parametres ni fichier";
    return "--carreau ne prend ni parametres ni autre fichier";
}

// The option named at the start of a CLI11 message ("--obj: ...").
std::string optionNommee(const std::string& texte) {
    const std::size_t fin = texte.find(':');
    return fin == std::string::npos ? std::string() : texte.substr(0, fin);
}

// Refuses an option given more than once: the last would silently win.
void refuserRepetitions(const CLI::App& app) {
    for (const CLI::Option* o : app.get_options())
        if (o->count() > 1 && !o->get_positional() && o->get_name() != "--help")
            throw ErreurConv("l'option " + o->get_name() + " est donnee plusieurs fois");
    for (const CLI::App* g : app.get_subcommands({}))
        refuserRepetitions(*g);
}

double nombre(const std::string& texte, double parDefaut) {
    double v = parDefaut;
    if (!texte.empty())
        lireNombreDecimal(sansMarque(texte), v);
    return v;
}

// Turns the checked texts into the options of each mode.
void completer(Demande& d, const Textes& t, bool toleranceDonnee) {
    d.aide = t.aide > 0;
    d.version = t.version > 0;
    d.rapport.plan = t.plan == "y" ? PlanConversion::Py : PlanConversion::Pz;
    d.rapport.exemple = t.exemple.empty() ? 0 : t.exemple[0] - '0';
    d.rapport.tolerance = nombre(t.tolerance, TOLERANCE_CARREAU);
    d.rapport.json = t.json > 0;
    for (auto& p : d.rapport.positionnels)
        p = sansMarque(p);
    d.exports.vue.zoom = nombre(t.zoom, d.exports.vue.zoom);
    d.exports.vue.recadrer = t.recadrer > 0;
    d.exports.liens = t.enPlace > 0 ? LiensDurs::EnPlace : LiensDurs::Remplaces;
    if (!t.vue.empty())
        lireAnglesVue(sansMarque(t.vue), d.exports.vue);
    d.modeLot = !d.lot.lot.empty();
    d.lot.csv = t.csv > 0;
    d.lot.fils = static_cast<int>(nombre(t.fils, 0));
    d.rapport.fils = static_cast<int>(nombre(t.fils, 1));
    if (!t.fils.empty() && !d.modeLot && d.rapport.carreau.empty())
        throw ErreurConv("--fils va avec --lot ou --carreau FICHIER CAO");
    d.lot.plan = d.rapport.plan;
    d.lot.tolerance = d.rapport.tolerance;
    if (toleranceDonnee && d.rapport.carreau.empty() && !d.modeLot)
        throw ErreurConv("--tolerance va avec --carreau ou --lot");
    const OptionsExports& e = d.exports;
    if (t.enPlace > 0 && e.obj.empty() && e.png.empty() && e.step.empty() && e.iges.empty())
        throw ErreurConv("--en-place va avec --obj, --png, --step ou --iges");
}

} // namespace

Demande analyserLigneCommande(int argc, char** argv) {
    std::vector<std::string> mots;
    for (int k = argc - 1; k >= 1; --k)
        mots.push_back(ressembleNombreNegatif(argv[k]) ? MARQUE + std::string(argv[k]) : argv[k]);
    Demande d;
    Textes t;
    Application a(d, t);
    try {
        a.app.parse(mots);
    } catch (const CLI::ArgumentMismatch& e) {
        const std::string nom = optionNommee(e.what());
        const auto it = attentes().find(nom);
        if (std::string(e.what()).find("At Most") != std::string::npos)
            throw ErreurConv("l'option " + nom + " est donnee plusieurs fois");
        throw ErreurConv(it != attentes().end() ? it->second : std::string(e.what()));
    } catch (const CLI::RequiresError& e) {
        if (t.aide == 0 && t.version == 0)
            throw ErreurConv(messageCombinaison(e.what()));
    } catch (const CLI::ExcludesError& e) {
        if (t.aide == 0 && t.version == 0)
            throw ErreurConv(messageCombinaison(e.what()));
    } catch (const CLI::ParseError& e) {
        throw ErreurConv(e.what());
    }
    for (const std::string& reste : a.app.remaining())
        throw ErreurConv("option inconnue " + texteCite(sansMarque(reste)) +
                         " (voir cyclide-conv --help)");
    refuserRepetitions(a.app);
    completer(d, t, a.tolerance->count() > 0);
    return d;
}

} // namespace cyclide
