#include "lot/LotParametres.h"

#include "fichiers/LectureCarreau.h"
#include "fichiers/NombreTexte.h"
#include "scene/Scene.h"
#include "sorties/ResultatJson.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <poll.h>
#include <string_view>
#include <thread>
#include <unistd.h>
#include <vector>

namespace cyclide {

namespace {

const std::size_t TAMPON_LECTURE = 1 << 16;

// One CSV field: quoted when it holds a comma, a quote or a line end.
void ajouterChampCsv(std::string& out, const std::string& texte) {
    if (texte.find_first_of(",\"\n\r") == std::string::npos) {
        out += texte;
        return;
    }
    out += '"';
    for (char ch : texte)
        out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    out += '"';
}

// Appends ",v" (empty field for a non-finite v).
void champNombre(std::string& out, double v) {
    out += ',';
    if (std::isfinite(v))
        ajouterNombre(out, v);
}

void ligneCsv(std::string& out, const Scene& s, long numero) {
    out += std::to_string(numero);
    const EntreeScene& e = s.entree;
    if (e.reseauDonne)
        out += std::string(7, ',');
    else
        for (double v : {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10})
            champNombre(out, v);
    out += e.plan == PlanConversion::Py ? ",y," : ",z,";
    out += std::to_string(s.type) + "," + std::to_string(codeGenre(s.typeCyclide)) + ",";
    const char* sorte = nomGenre(s.typeCyclide);
    out += sorte != nullptr ? sorte : "";
    if (!estCyclide(s.typeCyclide)) {
        out += std::string(22, ',') + "\n";
        return;
    }
    const RBBPd& r = s.converti;
    for (double v : {r.a, std::sqrt(r.a * r.a - r.c * r.c), r.c, r.mu, r.omega.getX0(),
                     r.omega.getY0(), r.omega.getZ0()})
        champNombre(out, v);
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l)
            champNombre(out, r.Base[l][k]);
    for (double v : {s.morceau.u0, s.morceau.u1, s.morceau.v0, s.morceau.v1, s.residu})
        champNombre(out, v);
    out += ",\n";
}

void ligneErreur(std::string& out, long numero, const std::string& erreur, bool csv) {
    const std::string texte = "line " + std::to_string(numero) + ": " + erreur;
    if (csv) {
        out += std::to_string(numero) + std::string(33, ',');
        ajouterChampCsv(out, texte);
    } else {
        out +=
            "{\"input\":{\"source\":\"batch\",\"line\":" + std::to_string(numero) + "},\"error\":";
        ajouterTexteJson(out, texte, false);
        out += '}';
    }
    out += '\n';
}

// --- Reading in chunks ------------------------------------------------------

// A chunk ends at this many bytes of input text, whatever its line count.
const std::size_t OCTETS_PAR_BLOC = std::size_t{1} << 18;

// The bytes a row may take (a JSON row of a net is under 2 KB), to bound
// the rows of the chunks in flight before they are written.
const std::size_t OCTETS_PAR_RANG = 2048;

struct LigneBrute {
    long numero = 0;
    std::size_t debut = 0;
    std::size_t longueur = 0;
    bool tropLongue = false;
};

// A chunk of input lines and, once converted, its rows.
struct Bloc {
    std::string texte;
    std::vector<LigneBrute> lignes;
    std::string sortie;
    long resultats = 0;
    long erreurs = 0;
    bool fini = false;
    std::size_t octets = 0; // counted when handed out: its text and its rows to come
};

// Where the lines come from: a stream (read whole chunks at a time) or a
// file descriptor (read as data comes, and asked whether more is ready).
class Source {
  public:
    explicit Source(std::istream& in) : in_(&in) {}
    explicit Source(int fd) : fd_(fd) {}

    // Up to n bytes into tampon; 0 at the end, -1 on an error (errno set).
    long lire(char* tampon, std::size_t n) {
        if (in_ != nullptr) {
            const std::streamsize lu = in_->rdbuf()->sgetn(tampon, static_cast<std::streamsize>(n));
            return static_cast<long>(std::max<std::streamsize>(lu, 0));
        }
        for (;;) {
            const ssize_t lu = ::read(fd_, tampon, n);
            if (lu >= 0 || errno != EINTR)
                return static_cast<long>(lu);
        }
    }
    // True when a read would not wait (a stream always; a file descriptor
    // with data, at its end, or in error).
    bool pret() const {
        if (in_ != nullptr)
            return true;
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, 0) != 0;
    }

  private:
    std::istream* in_ = nullptr;
    int fd_ = -1;
};

// Splits the input into lines without ever holding more than
// LONGUEUR_LIGNE_LOT_MAX bytes of one line.
class LecteurLignes {
  public:
    explicit LecteurLignes(Source source) : source_(source), tampon_(TAMPON_LECTURE) {}

    // Fills bloc with up to n lines (and about OCTETS_PAR_BLOC bytes),
    // returning early with the lines it has when no further input is ready;
    // gives back false when the input is exhausted and nothing was read.
    bool lire(Bloc& bloc, int n) {
        if (enCours_) { // the line cut at the end of the previous chunk
            ligne_.debut = bloc.texte.size();
            bloc.texte += reporte_;
            reporte_.clear();
        }
        while (static_cast<int>(bloc.lignes.size()) < n && bloc.texte.size() < OCTETS_PAR_BLOC) {
            if (pos_ == fin_ && ((!bloc.lignes.empty() && !source_.pret()) || !remplir()))
                break;
            avancer(bloc);
        }
        if (pos_ == fin_ && fini_ && enCours_) // last line without its line end
            terminerLigne(bloc);
        if (enCours_) { // carried over to the next chunk
            reporte_ = bloc.texte.substr(ligne_.debut);
            bloc.texte.resize(ligne_.debut);
        }
        return !bloc.lignes.empty();
    }
    unsigned long long octetsLus() const { return lus_; }
    int erreur() const { return erreur_; }

  private:
    bool remplir() {
        if (fini_)
            return false;
        const long n = source_.lire(tampon_.data(), tampon_.size());
        erreur_ = n < 0 ? errno : 0;
        pos_ = 0;
        fin_ = n > 0 ? static_cast<std::size_t>(n) : 0;
        lus_ += fin_;
        fini_ = n <= 0;
        return n > 0;
    }
    // Consumes the buffer up to the next line end (included).
    void avancer(Bloc& bloc) {
        if (!enCours_) {
            enCours_ = true;
            ligne_ = LigneBrute{++numero_, bloc.texte.size(), 0, false};
        }
        const char* debut = tampon_.data() + pos_;
        const char* nl = static_cast<const char*>(std::memchr(debut, '\n', fin_ - pos_));
        const std::size_t n = nl != nullptr ? static_cast<std::size_t>(nl - debut) : fin_ - pos_;
        if (!ligne_.tropLongue) {
            if (ligne_.longueur + n > LONGUEUR_LIGNE_LOT_MAX) {
                ligne_.tropLongue = true;
                bloc.texte.resize(ligne_.debut);
                ligne_.longueur = 0;
            } else {
                bloc.texte.append(debut, n);
                ligne_.longueur += n;
            }
        }
        pos_ += n + (nl != nullptr ? 1 : 0);
        if (nl != nullptr)
            terminerLigne(bloc);
    }
    void terminerLigne(Bloc& bloc) {
        bloc.lignes.push_back(ligne_);
        enCours_ = false;
    }

    Source source_;
    std::vector<char> tampon_;
    std::size_t pos_ = 0;
    std::size_t fin_ = 0;
    bool fini_ = false;
    bool enCours_ = false;
    LigneBrute ligne_;
    std::string reporte_;
    long numero_ = 0;
    unsigned long long lus_ = 0;
    int erreur_ = 0;
};

void convertirBloc(Bloc& bloc, const OptionsLot& options) {
    bloc.sortie.reserve(bloc.lignes.size() * (options.csv ? 400 : 1600));
    for (const LigneBrute& l : bloc.lignes) {
        if (l.tropLongue) {
            ligneErreur(bloc.sortie, l.numero,
                        "line longer than " + std::to_string(LONGUEUR_LIGNE_LOT_MAX) + " bytes",
                        options.csv);
            ++bloc.erreurs;
            continue;
        }
        const SorteLigne sorte =
            ajouterLigneLot(bloc.sortie, std::string_view(bloc.texte).substr(l.debut, l.longueur),
                            l.numero, options);
        bloc.resultats += sorte == SorteLigne::Parametres || sorte == SorteLigne::Reseau ? 1 : 0;
        bloc.erreurs += sorte == SorteLigne::Erreur ? 1 : 0;
    }
    bloc.texte = std::string(); // the rows are kept, the text no longer needed
}

// Worker threads converting the chunks handed to them.
class Atelier {
  public:
    Atelier(int fils, const OptionsLot& options) : options_(options) {
        for (int k = 0; k < fils; ++k)
            fils_.emplace_back([this] { travailler(); });
    }
    ~Atelier() {
        {
            std::lock_guard<std::mutex> verrou(m_);
            arret_ = true;
        }
        cvTravail_.notify_all();
        for (auto& f : fils_)
            f.join();
    }
    Atelier(const Atelier&) = delete;
    Atelier& operator=(const Atelier&) = delete;

    void confier(Bloc* bloc) {
        {
            std::lock_guard<std::mutex> verrou(m_);
            aFaire_.push_back(bloc);
        }
        cvTravail_.notify_one();
    }
    // Waits until bloc is converted, at most delai.
    bool attendre(Bloc* bloc, std::chrono::milliseconds delai) {
        std::unique_lock<std::mutex> verrou(m_);
        return cvFini_.wait_for(verrou, delai, [bloc] { return bloc->fini; });
    }

  private:
    void travailler() {
        for (;;) {
            Bloc* bloc = nullptr;
            {
                std::unique_lock<std::mutex> verrou(m_);
                cvTravail_.wait(verrou, [this] { return arret_ || !aFaire_.empty(); });
                if (aFaire_.empty())
                    return;
                bloc = aFaire_.front();
                aFaire_.pop_front();
            }
            convertirBloc(*bloc, options_);
            {
                std::lock_guard<std::mutex> verrou(m_);
                bloc->fini = true;
            }
            cvFini_.notify_all();
        }
    }

    const OptionsLot& options_;
    std::mutex m_;
    std::condition_variable cvTravail_;
    std::condition_variable cvFini_;
    std::deque<Bloc*> aFaire_;
    bool arret_ = false;
    std::vector<std::thread> fils_;
};

// The progress line on the standard error, at most ten times a second and
// only after the first half second.
class Progression {
  public:
    explicit Progression(const OptionsLot& o)
        : actif_(o.progression), total_(o.tailleEntree), debut_(Horloge::now()) {}
    void montrer(unsigned long long lus, long lignes) {
        if (!actif_)
            return;
        const auto t = Horloge::now();
        const double s = std::chrono::duration<double>(t - debut_).count();
        if (s < 0.5 || t - derniere_ < std::chrono::milliseconds(100))
            return;
        derniere_ = t;
        std::cerr << '\r' << ligneProgression(lus, total_, lignes, s) << std::flush;
        montree_ = true;
    }
    void effacer() {
        if (montree_)
            std::cerr << '\r' << std::string(79, ' ') << '\r' << std::flush;
    }

  private:
    using Horloge = std::chrono::steady_clock;
    bool actif_;
    unsigned long long total_;
    Horloge::time_point debut_;
    Horloge::time_point derniere_{};
    bool montree_ = false;
};

// The chunks handed out and not yet written, in input order, with the
// bytes they hold.
struct FileBlocs {
    std::deque<std::unique_ptr<Bloc>> blocs;
    std::size_t octets = 0;

    bool accepte(std::size_t maxBlocs) const {
        return blocs.empty() || (blocs.size() < maxBlocs && octets < OCTETS_EN_COURS_MAX);
    }
};

// The batch loop: reads chunks, hands them to the workers and gives their
// rows to ecrire in input order; stops reading when ecrire fails. Before
// any read that would wait for input, every chunk handed out is written.
template <class Ecrire>
BilanLot traiterLotVers(Source source, const OptionsLot& options, Ecrire ecrire) {
    const unsigned coeurs = std::max(1u, std::thread::hardware_concurrency());
    const int fils = options.fils > 0 ? options.fils : static_cast<int>(coeurs);
    const std::size_t maxBlocs = static_cast<std::size_t>(fils) * 4;
    BilanLot bilan;
    if (options.csv && !ecrire(enteteCsvLot())) {
        bilan.sortieEchouee = true;
        bilan.erreurSortie = errno;
        return bilan;
    }
    LecteurLignes lecteur(source);
    Progression progression(options);
    FileBlocs file;
    Atelier atelier(fils, options);
    bool finEntree = false;
    while (!finEntree || !file.blocs.empty()) {
        while (!finEntree && !bilan.sortieEchouee && file.accepte(maxBlocs) &&
               (file.blocs.empty() || source.pret())) {
            auto bloc = std::make_unique<Bloc>();
            finEntree = !lecteur.lire(*bloc, std::max(1, options.lignesParBloc));
            if (finEntree)
                break;
            bilan.lignes += static_cast<long>(bloc->lignes.size());
            bloc->octets = bloc->texte.size() + bloc->lignes.size() * OCTETS_PAR_RANG;
            file.octets += bloc->octets;
            atelier.confier(bloc.get());
            file.blocs.push_back(std::move(bloc));
        }
        if (file.blocs.empty())
            break;
        if (!atelier.attendre(file.blocs.front().get(), std::chrono::milliseconds(100))) {
            progression.montrer(lecteur.octetsLus(), bilan.resultats + bilan.erreurs);
            continue;
        }
        const Bloc& premier = *file.blocs.front();
        if (!bilan.sortieEchouee && !ecrire(premier.sortie)) {
            bilan.sortieEchouee = true;
            bilan.erreurSortie = errno;
        }
        bilan.resultats += premier.resultats;
        bilan.erreurs += premier.erreurs;
        file.octets -= premier.octets;
        file.blocs.pop_front();
        if (options.apresBloc)
            options.apresBloc();
        progression.montrer(lecteur.octetsLus(), bilan.resultats + bilan.erreurs);
    }
    bilan.erreurEntree = lecteur.erreur();
    bilan.entreeEchouee = bilan.erreurEntree != 0;
    progression.effacer();
    return bilan;
}

// A line of numbers: seven are a parameter set, 36 a net.
LigneLot ligneNombres(std::string_view ligne) {
    LigneLot l;
    std::string_view m[NOMBRES_RESEAU];
    const std::size_t n = champsLigne(ligne, m, NOMBRES_RESEAU);
    if (n == 0)
        return l;
    l.sorte = SorteLigne::Erreur;
    if (separateursMelanges(ligne)) {
        l.erreur = "numbers separated by both commas and white space";
        return l;
    }
    if (n != 7 && n != static_cast<std::size_t>(NOMBRES_RESEAU)) {
        l.erreur = "expected 7 numbers (a parameter set) or 36 (a net), found " +
                   std::to_string(n) + " fields";
        return l;
    }
    for (std::size_t k = 0; k < n; ++k)
        if (!lireNombreDecimal(m[k], l.valeurs[k])) {
            l.erreur = "field " + std::to_string(k + 1) + " " + texteCite(m[k]) +
                       " is not a finite decimal number";
            return l;
        }
    l.sorte = n == 7 ? SorteLigne::Parametres : SorteLigne::Reseau;
    return l;
}

// A line holding a JSON object: a net.
LigneLot ligneJson(std::string_view ligne) {
    LigneLot l;
    l.sorte = SorteLigne::Erreur;
    const FauteJson faute = lireReseauJson(ligne, l.valeurs);
    switch (faute.sorte) {
    case FauteJson::Sorte::Aucune:
        l.sorte = SorteLigne::Reseau;
        break;
    case FauteJson::Sorte::Syntaxe:
        l.erreur = "invalid JSON at byte " + std::to_string(faute.octet);
        break;
    case FauteJson::Sorte::Debordement:
        l.erreur = "a JSON number overflows a double";
        break;
    case FauteJson::Sorte::Forme:
        l.erreur = "expected a JSON object {\"net\": [[x,y,z,w] x 9]}";
        break;
    case FauteJson::Sorte::NonFini:
        l.erreur = faute.chemin + " is not a finite number";
        break;
    }
    return l;
}

} // namespace

LigneLot lireLigneLot(std::string_view ligne) {
    const std::size_t debut = ligne.find_first_not_of(" \t\r\v\f");
    if (debut != std::string_view::npos && ligne[debut] == '{')
        return ligneJson(ligne);
    return ligneNombres(ligne);
}

LigneLot analyserLigneLot(std::string_view ligne) {
    LigneLot l = lireLigneLot(ligne);
    if (l.sorte == SorteLigne::Reseau) {
        l.sorte = SorteLigne::Erreur;
        l.erreur = "expected 7 numbers, found a net";
    }
    return l;
}

EntreeScene entreeParametres(const double valeurs[7], PlanConversion plan) {
    EntreeScene e;
    double* champs[7] = {&e.theta00, &e.theta02, &e.theta20, &e.theta22, &e.rayon, &e.z11, &e.P10};
    for (int k = 0; k < 7; ++k)
        *champs[k] = valeurs[k];
    e.plan = plan;
    return e;
}

namespace {

// The scene of a line read: its parameter set or its net.
Scene sceneLigne(const LigneLot& l, const OptionsLot& options) {
    if (l.sorte == SorteLigne::Parametres)
        return construireScene(entreeParametres(l.valeurs, options.plan));
    RBBP net;
    reseauDesValeurs(l.valeurs, net);
    return construireSceneReseau(net, options.plan, options.tolerance);
}

} // namespace

SorteLigne ajouterLigneLot(std::string& sortie, std::string_view ligne, long numero,
                           const OptionsLot& options) {
    const LigneLot l = lireLigneLot(numero == 1 ? sansMarqueUtf8(ligne) : ligne);
    if (l.sorte == SorteLigne::Erreur)
        ligneErreur(sortie, numero, l.erreur, options.csv);
    if (l.sorte != SorteLigne::Parametres && l.sorte != SorteLigne::Reseau)
        return l.sorte;
    const Scene s = sceneLigne(l, options);
    if (options.csv) {
        ligneCsv(sortie, s, numero);
    } else {
        OrigineEntree o;
        o.sorte = OrigineEntree::Sorte::Lot;
        o.ligne = numero;
        ajouterResultatJson(sortie, s, o);
        sortie += '\n';
    }
    return l.sorte;
}

std::string enteteCsvLot() {
    return "line,theta00,theta02,theta20,theta22,radius,z11,p10,plane,type,code,kind,"
           "a,b,c,mu,centre_x,centre_y,centre_z,"
           "frame0_x,frame0_y,frame0_z,frame1_x,frame1_y,frame1_z,frame2_x,frame2_y,frame2_z,"
           "u0,u1,v0,v1,residual,error\n";
}

BilanLot traiterLot(std::istream& entree, std::ostream& sortie, const OptionsLot& options) {
    return traiterLotVers(Source(entree), options, [&sortie](const std::string& texte) {
        sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
        sortie.flush();
        return static_cast<bool>(sortie);
    });
}

BilanLot traiterLot(int entree, int sortie, const OptionsLot& options) {
    return traiterLotVers(Source(entree), options, [sortie](const std::string& texte) {
        const char* debut = texte.data();
        std::size_t reste = texte.size();
        while (reste > 0) {
            const ssize_t n = ::write(sortie, debut, reste);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            debut += n;
            reste -= static_cast<std::size_t>(n);
        }
        return true;
    });
}

std::string ligneProgression(unsigned long long lus, unsigned long long total, long lignes,
                             double secondes) {
    std::string r;
    if (total > 0) {
        const double f = std::min(1.0, static_cast<double>(lus) / static_cast<double>(total));
        const int plein = static_cast<int>(f * 30);
        r = "[" + std::string(static_cast<std::size_t>(plein), '#') +
            std::string(static_cast<std::size_t>(30 - plein), '.') + "] " +
            std::to_string(static_cast<int>(f * 100)) + " % ";
    }
    const double debit = secondes > 0 ? lignes / secondes : 0;
    r += std::to_string(lignes) + " lignes, " + std::to_string(static_cast<long>(debit)) +
         " lignes/s";
    return r;
}

} // namespace cyclide
