#include "conv/RapportCao.h"

#include "conv/Rapport.h"
#include "conv/Sorties.h"
#include "fichiers/DiagnosticsCaptures.h"
#include "lot/CarteOrdonnee.h"
#include "lot/LotParametres.h"
#include "sorties/ResultatJson.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace cyclide {

LigneCao convertirLigneCao(const ElementCao& e, PlanConversion plan, double tolerance,
                           const PrecisionCao& precision) {
    LigneCao l;
    l.element = e;
    if (e.sorte == SorteElementCao::Carreau)
        l.scene = sceneElementCao(e, plan, tolerance, precision);
    return l;
}

std::string jsonLigneCao(const LigneCao& l, const std::string& fichier) {
    return resultatJsonCao(l.element, l.scene, fichier);
}

std::string rapportLigneCao(const LigneCao& l) {
    const ElementCao& e = l.element;
    const std::string face = "face " + std::to_string(e.face);
    switch (e.sorte) {
    case SorteElementCao::Ignoree:
        return face + " ignoree : " + e.raison + "\n";
    case SorteElementCao::Limite:
        return face + " : " + e.raison + "\n";
    case SorteElementCao::Carreau:
        break;
    }
    return face + " carreau " + std::to_string(e.carreauU) + " " + std::to_string(e.carreauV) +
           " (" + e.surface + ")\n" + rapport(l.scene);
}

namespace {

// A row and the precision of its file, as the reader gives them.
using EntreeCao = std::pair<ElementCao, PrecisionCao>;

// Where the rows go: the standard output through its own descriptor (the
// core's diagnostics, taken from std::cout meanwhile, go to the standard
// error), or the stream given.
class EcrivainLignes {
  public:
    explicit EcrivainLignes(std::ostream& sortie) : sortie_(sortie) {
        if (&sortie == &std::cout)
            fd_ = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    }
    ~EcrivainLignes() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    EcrivainLignes(const EcrivainLignes&) = delete;
    EcrivainLignes& operator=(const EcrivainLignes&) = delete;

    // Writes a row's text; throws when the output fails.
    void ecrire(const std::string& texte) {
        errno = 0;
        const bool ecrit =
            fd_ >= 0 ? ecrireTout(fd_, texte) : static_cast<bool>(sortie_ << texte << std::flush);
        if (!ecrit)
            throw ErreurConv("erreur d'ecriture du rapport : " +
                             raisonErreur(errno != 0 ? errno : EIO));
        ++lignes_;
    }
    long lignes() const { return lignes_; }

  private:
    std::ostream& sortie_;
    int fd_ = -1;
    long lignes_ = 0;
};

// A progress line on the standard error while rows are written, when it
// is a terminal.
class ProgressionCao {
  public:
    ProgressionCao() : actif_(::isatty(STDERR_FILENO) != 0), debut_(Horloge::now()) {}
    void montrer(long lignes, bool forcer = false) {
        const auto maintenant = Horloge::now();
        if (!actif_ || (!forcer && maintenant - dernier_ < std::chrono::milliseconds(100)))
            return;
        dernier_ = maintenant;
        const double s = std::chrono::duration<double>(maintenant - debut_).count();
        std::cerr << '\r' << ligneProgression(0, 0, lignes, s) << std::flush;
    }
    ~ProgressionCao() {
        if (actif_)
            std::cerr << '\r' << std::string(79, ' ') << '\r' << std::flush;
    }

  private:
    using Horloge = std::chrono::steady_clock;
    bool actif_;
    Horloge::time_point debut_, dernier_{};
};

// The text of a converted row.
std::string texteLigne(const LigneCao& l, bool json, const std::string& fichier) {
    return json ? jsonLigneCao(l, fichier) + "\n" : rapportLigneCao(l);
}

// Rows between the reader's thread and the map, at most a bounded number.
struct FileCao {
    std::mutex m;
    std::condition_variable cv;
    std::deque<EntreeCao> entrees;
    bool fin = false;   // the reader is done
    bool arret = false; // the map stopped: the reader must stop too
    Resultat<BilanCao> lu;
};
const std::size_t FILE_MAX = 4096;

// Stops the reader when the map stopped.
struct ArretLecture {};

// A chunk of rows converted on a worker.
struct TacheCao : TacheCarte {
    std::vector<EntreeCao> entrees;
    const OptionsRapport* o = nullptr;
    std::string texte;
    void calculer(const Annulation& annulation) override {
        for (const EntreeCao& e : entrees) {
            if (annulation.demandee())
                return;
            texte += texteLigne(convertirLigneCao(e.first, o->plan, o->tolerance, e.second),
                                o->json, o->carreau);
        }
    }
};

// The reader in its own thread, the rows converted on fils workers and
// written in the file's order.
Resultat<BilanCao> lireEnParallele(const OptionsRapport& o, EcrivainLignes& ecrivain,
                                   DiagnosticsCaptures& diagnostics, ProgressionCao& progression) {
    FileCao file;
    std::thread lecteur([&file, &o] {
        Resultat<BilanCao> lu;
        try {
            lu = lireFichierCao(o.carreau, [&file](const ElementCao& e, const PrecisionCao& p) {
                std::unique_lock<std::mutex> verrou(file.m);
                file.cv.wait(verrou,
                             [&file] { return file.entrees.size() < FILE_MAX || file.arret; });
                if (file.arret)
                    throw ArretLecture{};
                file.entrees.emplace_back(e, p);
                file.cv.notify_all();
            });
        } catch (const ArretLecture&) {
            lu.raison = "arret";
        }
        std::lock_guard<std::mutex> verrou(file.m);
        file.lu = lu;
        file.fin = true;
        file.cv.notify_all();
    });
    OptionsCarte carte;
    carte.fils = o.fils;
    RappelsCarte rappels;
    rappels.suivante = [&]() -> std::unique_ptr<TacheCarte> {
        std::unique_lock<std::mutex> verrou(file.m);
        file.cv.wait(verrou, [&file] { return !file.entrees.empty() || file.fin; });
        if (file.entrees.empty())
            return nullptr;
        auto t = std::make_unique<TacheCao>();
        t->o = &o;
        for (int k = 0; k < 8 && !file.entrees.empty(); ++k) {
            t->entrees.push_back(std::move(file.entrees.front()));
            file.entrees.pop_front();
        }
        t->octets = t->entrees.size() * 4096;
        file.cv.notify_all();
        return t;
    };
    rappels.prete = [&file] {
        std::lock_guard<std::mutex> verrou(file.m);
        return !file.entrees.empty() || file.fin;
    };
    std::string erreur;
    rappels.rendre = [&](TacheCarte& t) {
        try {
            ecrivain.ecrire(static_cast<TacheCao&>(t).texte);
        } catch (const ErreurConv& e) {
            erreur = e.what();
            return false;
        }
        return true;
    };
    rappels.patienter = [&] {
        diagnostics.transmettre();
        progression.montrer(ecrivain.lignes());
        return true;
    };
    executerCarte(carte, rappels);
    {
        std::lock_guard<std::mutex> verrou(file.m);
        file.arret = true;
        file.cv.notify_all();
    }
    lecteur.join();
    if (!erreur.empty())
        throw ErreurConv(erreur);
    return file.lu;
}

} // namespace

int lancerCao(const OptionsRapport& o, const OptionsExports& exports, std::ostream& sortie) {
    if (!o.positionnels.empty() || o.exemple != 0 || !exports.obj.empty() || !exports.png.empty() ||
        !exports.step.empty() || !exports.iges.empty())
        throw ErreurConv(
            "--carreau FICHIER CAO ne va qu'avec --plan, --tolerance, --fils et --json");
    // Rows are written as they come. A damaged or truncated file is refused
    // before its first row; a reader that stops midway while loading ends
    // the rows with the error and status 2.
    EcrivainLignes ecrivain(sortie);
    Resultat<BilanCao> lu;
    {
        ProgressionCao progression;
        DiagnosticsCaptures diagnostics;
        if (filsEffectifs(o.fils) > 1) {
            lu = lireEnParallele(o, ecrivain, diagnostics, progression);
        } else {
            lu = lireFichierCao(o.carreau, [&](const ElementCao& e, const PrecisionCao& p) {
                const std::string texte =
                    texteLigne(convertirLigneCao(e, o.plan, o.tolerance, p), o.json, o.carreau);
                diagnostics.transmettre();
                ecrivain.ecrire(texte);
                progression.montrer(ecrivain.lignes());
            });
        }
        diagnostics.transmettre();
    }
    if (!lu.ok())
        throw ErreurConv(lu.raison);
    if (lu.valeur.ignorees == 0)
        return 0;
    avertir(std::to_string(lu.valeur.ignorees) + " face(s) sur " + std::to_string(lu.valeur.faces) +
            " sans carreau converti");
    return SORTIE_FACES_IGNOREES;
}

} // namespace cyclide
