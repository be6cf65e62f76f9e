#include "LotParametres.h"

#include "NombreTexte.h"
#include "ResultatJson.h"
#include "Scene.h"

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
#include <string_view>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const std::size_t TAMPON_LECTURE = 1 << 16;

bool estSeparateur(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f' || ch == ',';
}

// The words of a line up to its comment, as views into the line; counts
// them all but keeps only the first max.
std::size_t mots(std::string_view ligne, std::string_view* vues, std::size_t max) {
    std::size_t n = 0;
    const std::size_t fin = std::min(ligne.find('#'), ligne.size());
    std::size_t k = 0;
    while (k < fin) {
        while (k < fin && estSeparateur(ligne[k]))
            ++k;
        const std::size_t debut = k;
        while (k < fin && !estSeparateur(ligne[k]))
            ++k;
        if (k > debut && n < max)
            vues[n] = ligne.substr(debut, k - debut);
        n += k > debut ? 1 : 0;
    }
    return n;
}

// A word quoted in an error message, cut short and with its control
// characters replaced.
std::string cite(std::string_view mot) {
    std::string r = mot.size() > 40 ? std::string(mot.substr(0, 40)) + "..." : std::string(mot);
    for (char& ch : r)
        if (static_cast<unsigned char>(ch) < 0x20)
            ch = '?';
    return "'" + r + "'";
}

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
    for (double v : {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10})
        champNombre(out, v);
    out += e.choix == 0 ? ",y," : ",z,";
    out += std::to_string(s.type) + "," + std::to_string(s.typeCyclide) + ",";
    const char* sorte = sorteCyclide(s.typeCyclide);
    out += sorte != nullptr ? sorte : "";
    if (s.typeCyclide == 0) {
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
};

// Splits the input into lines without ever holding more than
// LONGUEUR_LIGNE_LOT_MAX bytes of one line.
class LecteurLignes {
  public:
    explicit LecteurLignes(std::istream& in) : in_(in), tampon_(TAMPON_LECTURE) {}

    // Fills bloc with up to n lines; gives back false when the input is
    // exhausted and nothing was read.
    bool lire(Bloc& bloc, int n) {
        while (static_cast<int>(bloc.lignes.size()) < n) {
            if (pos_ == fin_ && !remplir())
                break;
            avancer(bloc);
        }
        if (pos_ == fin_ && fini_ && enCours_) // last line without its line end
            terminerLigne(bloc);
        return !bloc.lignes.empty();
    }
    unsigned long long octetsLus() const { return lus_; }

  private:
    bool remplir() {
        if (fini_)
            return false;
        const std::streamsize n =
            in_.rdbuf()->sgetn(tampon_.data(), static_cast<std::streamsize>(tampon_.size()));
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

    std::istream& in_;
    std::vector<char> tampon_;
    std::size_t pos_ = 0;
    std::size_t fin_ = 0;
    bool fini_ = false;
    bool enCours_ = false;
    LigneBrute ligne_;
    long numero_ = 0;
    unsigned long long lus_ = 0;
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
        bloc.resultats += sorte == SorteLigne::Parametres ? 1 : 0;
        bloc.erreurs += sorte == SorteLigne::Erreur ? 1 : 0;
    }
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

// The batch loop: reads chunks, hands them to the workers and gives their
// rows to ecrire in input order; stops reading when ecrire fails.
template <class Ecrire>
BilanLot traiterLotVers(std::istream& entree, const OptionsLot& options, Ecrire ecrire) {
    const unsigned coeurs = std::max(1u, std::thread::hardware_concurrency());
    const int fils = options.fils > 0 ? options.fils : static_cast<int>(coeurs);
    const std::size_t maxEnCours = static_cast<std::size_t>(fils) * 4;
    BilanLot bilan;
    if (options.csv && !ecrire(enteteCsvLot())) {
        bilan.sortieEchouee = true;
        return bilan;
    }
    LecteurLignes lecteur(entree);
    Progression progression(options);
    std::deque<std::unique_ptr<Bloc>> enCours;
    Atelier atelier(fils, options);
    bool finEntree = false;
    while (!finEntree || !enCours.empty()) {
        while (!finEntree && !bilan.sortieEchouee && enCours.size() < maxEnCours) {
            auto bloc = std::make_unique<Bloc>();
            finEntree = !lecteur.lire(*bloc, std::max(1, options.lignesParBloc));
            if (finEntree)
                break;
            bilan.lignes += static_cast<long>(bloc->lignes.size());
            atelier.confier(bloc.get());
            enCours.push_back(std::move(bloc));
        }
        if (enCours.empty())
            break;
        if (!atelier.attendre(enCours.front().get(), std::chrono::milliseconds(100))) {
            progression.montrer(lecteur.octetsLus(), bilan.resultats + bilan.erreurs);
            continue;
        }
        const Bloc& premier = *enCours.front();
        if (!bilan.sortieEchouee && !ecrire(premier.sortie))
            bilan.sortieEchouee = true;
        bilan.resultats += premier.resultats;
        bilan.erreurs += premier.erreurs;
        enCours.pop_front();
        if (options.apresBloc)
            options.apresBloc();
        progression.montrer(lecteur.octetsLus(), bilan.resultats + bilan.erreurs);
    }
    progression.effacer();
    return bilan;
}

} // namespace

SorteLigne analyserLigneLot(std::string_view ligne, double valeurs[7], std::string& erreur) {
    std::string_view m[7];
    const std::size_t n = mots(ligne, m, 7);
    if (n == 0)
        return SorteLigne::Vide;
    if (n != 7) {
        erreur = "expected 7 numbers, found " + std::to_string(n) + " fields";
        return SorteLigne::Erreur;
    }
    double v[7];
    for (std::size_t k = 0; k < 7; ++k) {
        if (!lireNombreDecimal(m[k], v[k])) {
            erreur = "field " + std::to_string(k + 1) + " " + cite(m[k]) +
                     " is not a finite decimal number";
            return SorteLigne::Erreur;
        }
    }
    std::copy(v, v + 7, valeurs);
    return SorteLigne::Parametres;
}

EntreeScene entreeParametres(const double valeurs[7], int choix) {
    EntreeScene e;
    double* champs[7] = {&e.theta00, &e.theta02, &e.theta20, &e.theta22, &e.rayon, &e.z11, &e.P10};
    for (int k = 0; k < 7; ++k)
        *champs[k] = valeurs[k];
    e.choix = choix;
    return e;
}

SorteLigne ajouterLigneLot(std::string& sortie, std::string_view ligne, long numero,
                           const OptionsLot& options) {
    double v[7];
    std::string erreur;
    const SorteLigne sorte = analyserLigneLot(ligne, v, erreur);
    if (sorte == SorteLigne::Erreur)
        ligneErreur(sortie, numero, erreur, options.csv);
    if (sorte != SorteLigne::Parametres)
        return sorte;
    const Scene s = construireScene(entreeParametres(v, options.choix));
    if (options.csv) {
        ligneCsv(sortie, s, numero);
    } else {
        OrigineEntree o;
        o.sorte = OrigineEntree::Sorte::Lot;
        o.ligne = numero;
        ajouterResultatJson(sortie, s, o);
        sortie += '\n';
    }
    return sorte;
}

std::string enteteCsvLot() {
    return "line,theta00,theta02,theta20,theta22,radius,z11,p10,plane,type,code,kind,"
           "a,b,c,mu,centre_x,centre_y,centre_z,"
           "frame0_x,frame0_y,frame0_z,frame1_x,frame1_y,frame1_z,frame2_x,frame2_y,frame2_z,"
           "u0,u1,v0,v1,residual,error\n";
}

BilanLot traiterLot(std::istream& entree, std::ostream& sortie, const OptionsLot& options) {
    return traiterLotVers(entree, options, [&sortie](const std::string& texte) {
        sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
        sortie.flush();
        return static_cast<bool>(sortie);
    });
}

BilanLot traiterLot(std::istream& entree, int descripteur, const OptionsLot& options) {
    return traiterLotVers(entree, options, [descripteur](const std::string& texte) {
        const char* debut = texte.data();
        std::size_t reste = texte.size();
        while (reste > 0) {
            const ssize_t n = ::write(descripteur, debut, reste);
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
