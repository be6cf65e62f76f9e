#include "lot/LotParametres.h"

#include "fichiers/EcritureFichier.h"
#include "lot/CarteOrdonnee.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <iostream>
#include <memory>
#include <poll.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace cyclide {

namespace {

const std::size_t TAMPON_LECTURE = 1 << 16;

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
struct Bloc : TacheCarte {
    explicit Bloc(const OptionsLot& o) : options(o) {}
    void calculer(const Annulation& annulation) override;

    const OptionsLot& options;
    std::string texte;
    std::vector<LigneBrute> lignes;
    std::string sortie;
    long resultats = 0;
    long erreurs = 0;
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

void Bloc::calculer(const Annulation& annulation) {
    sortie.reserve(lignes.size() * (options.csv ? 400 : 1600));
    for (const LigneBrute& l : lignes) {
        if (annulation.demandee())
            return;
        if (l.tropLongue) {
            ajouterErreurLot(sortie, l.numero,
                             "line longer than " + std::to_string(LONGUEUR_LIGNE_LOT_MAX) +
                                 " bytes",
                             options.csv);
            ++erreurs;
            continue;
        }
        const SorteLigne sorte = ajouterLigneLot(
            sortie, std::string_view(texte).substr(l.debut, l.longueur), l.numero, options);
        resultats += sorte == SorteLigne::Parametres || sorte == SorteLigne::Reseau ? 1 : 0;
        erreurs += sorte == SorteLigne::Erreur ? 1 : 0;
    }
    texte = std::string(); // the rows are kept, the text no longer needed
}

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

// Gives the rows to ecrire whole lines at a time, each piece at most
// PIPE_BUF bytes (a longer row alone): a row is never split between two
// writes, so that a process killed between them leaves whole rows (and a
// pipe never interleaves another writer inside one). False when ecrire
// fails.
template <class Ecrire> bool ecrireLignesEntieres(const std::string& rangs, Ecrire& ecrire) {
    std::size_t debut = 0;
    while (debut < rangs.size()) {
        std::size_t fin = debut;
        while (fin < rangs.size()) {
            const std::size_t nl = rangs.find('\n', fin);
            const std::size_t apres = nl == std::string::npos ? rangs.size() : nl + 1;
            if (fin > debut && apres - debut > PIPE_BUF)
                break;
            fin = apres;
        }
        if (!ecrire(std::string_view(rangs).substr(debut, fin - debut)))
            return false;
        debut = fin;
    }
    return true;
}

// The batch: reads chunks, has them converted on the ordered map and gives
// their rows to ecrire in input order; stops when ecrire fails. Before any
// read that would wait for input, every chunk handed out is written.
template <class Ecrire>
BilanLot traiterLotVers(Source source, const OptionsLot& options, Ecrire ecrire) {
    BilanLot bilan;
    if (options.csv && !ecrire(enteteCsvLot())) {
        bilan.sortieEchouee = true;
        bilan.erreurSortie = errno;
        return bilan;
    }
    LecteurLignes lecteur(source);
    Progression progression(options);
    RappelsCarte rappels;
    rappels.suivante = [&]() -> std::unique_ptr<TacheCarte> {
        auto bloc = std::make_unique<Bloc>(options);
        if (!lecteur.lire(*bloc, std::max(1, options.lignesParBloc)))
            return nullptr;
        bilan.lignes += static_cast<long>(bloc->lignes.size());
        bloc->octets = bloc->texte.size() + bloc->lignes.size() * OCTETS_PAR_RANG;
        return bloc;
    };
    rappels.prete = [&source] { return source.pret(); };
    rappels.rendre = [&](TacheCarte& t) {
        const Bloc& bloc = static_cast<const Bloc&>(t);
        bilan.resultats += bloc.resultats;
        bilan.erreurs += bloc.erreurs;
        if (!ecrireLignesEntieres(bloc.sortie, ecrire)) {
            bilan.sortieEchouee = true;
            bilan.erreurSortie = errno;
        }
        if (options.apresBloc)
            options.apresBloc();
        return !bilan.sortieEchouee;
    };
    rappels.patienter = [&] {
        progression.montrer(lecteur.octetsLus(), bilan.resultats + bilan.erreurs);
        return true;
    };
    OptionsCarte carte;
    carte.fils = options.fils;
    carte.octetsMax = OCTETS_EN_COURS_MAX;
    carte.annulation = options.annulation;
    executerCarte(carte, rappels);
    bilan.erreurEntree = lecteur.erreur();
    bilan.entreeEchouee = bilan.erreurEntree != 0;
    progression.effacer();
    return bilan;
}

} // namespace

BilanLot traiterLot(std::istream& entree, std::ostream& sortie, const OptionsLot& options) {
    return traiterLotVers(Source(entree), options, [&sortie](std::string_view texte) {
        sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
        sortie.flush();
        return static_cast<bool>(sortie);
    });
}

BilanLot traiterLot(int entree, int sortie, const OptionsLot& options) {
    return traiterLotVers(Source(entree), options, [sortie](std::string_view texte) {
        return ecrireTout(sortie, std::string(texte));
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
