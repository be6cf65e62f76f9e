#include "lot/CarteOrdonnee.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace cyclide {

namespace {

// Worker threads computing the chunks handed to them, in the order given.
class Atelier {
  public:
    Atelier(int fils, const Annulation& annulation) : annulation_(annulation) {
        for (int k = 0; k < fils; ++k)
            fils_.emplace_back([this] { travailler(); });
    }
    ~Atelier() {
        {
            const std::lock_guard<std::mutex> verrou(m_);
            arret_ = true;
        }
        cvTravail_.notify_all();
        for (auto& f : fils_)
            f.join();
    }
    Atelier(const Atelier&) = delete;
    Atelier& operator=(const Atelier&) = delete;

    void confier(TacheCarte* tache) {
        {
            const std::lock_guard<std::mutex> verrou(m_);
            aFaire_.push_back(tache);
        }
        cvTravail_.notify_one();
    }

    // Waits until tache is computed, at most delai; true when it is.
    bool attendre(const TacheCarte* tache, std::chrono::milliseconds delai) {
        std::unique_lock<std::mutex> verrou(m_);
        return cvFini_.wait_for(verrou, delai, [tache] { return tache->finie; });
    }

  private:
    void travailler() {
        for (;;) {
            TacheCarte* tache = nullptr;
            {
                std::unique_lock<std::mutex> verrou(m_);
                cvTravail_.wait(verrou, [this] { return arret_ || !aFaire_.empty(); });
                if (aFaire_.empty())
                    return;
                tache = aFaire_.front();
                aFaire_.pop_front();
            }
            tache->calculer(annulation_);
            {
                const std::lock_guard<std::mutex> verrou(m_);
                tache->finie = true;
            }
            cvFini_.notify_all();
        }
    }

    const Annulation& annulation_;
    std::mutex m_;
    std::condition_variable cvTravail_;
    std::condition_variable cvFini_;
    std::deque<TacheCarte*> aFaire_;
    bool arret_ = false;
    std::vector<std::thread> fils_;
};

// The chunks handed out and not yet given back, in input order.
struct FileTaches {
    std::deque<std::unique_ptr<TacheCarte>> taches;
    std::size_t octets = 0;

    bool accepte(std::size_t maxTaches, std::size_t octetsMax) const {
        return taches.empty() || (taches.size() < maxTaches && octets < octetsMax);
    }
};

bool appeler(const std::function<bool()>& f) {
    return !f || f();
}

} // namespace

int filsEffectifs(int fils) {
    return fils > 0 ? fils : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

BilanCarte executerCarte(const OptionsCarte& options, const RappelsCarte& rappels) {
    const int fils = filsEffectifs(options.fils);
    const std::size_t maxTaches =
        static_cast<std::size_t>(fils) * std::max<std::size_t>(1, options.tachesParFil);
    Annulation annulation(options.annulation);
    BilanCarte bilan;
    FileTaches file;
    Atelier atelier(fils, annulation); // joined before the chunks it computes are freed
    bool finEntree = false;
    for (;;) {
        while (!finEntree && !annulation.demandee() && file.accepte(maxTaches, options.octetsMax) &&
               (file.taches.empty() || appeler(rappels.prete))) {
            std::unique_ptr<TacheCarte> tache = rappels.suivante();
            if (!tache) {
                finEntree = true;
                break;
            }
            file.octets += tache->octets;
            atelier.confier(tache.get());
            file.taches.push_back(std::move(tache));
        }
        if (file.taches.empty() || annulation.demandee())
            break;
        if (!atelier.attendre(file.taches.front().get(), options.pas)) {
            if (!appeler(rappels.patienter))
                annulation.demander();
            continue;
        }
        const std::unique_ptr<TacheCarte> premiere = std::move(file.taches.front());
        file.taches.pop_front();
        file.octets -= premiere->octets;
        ++bilan.taches;
        if (!rappels.rendre(*premiere) || !appeler(rappels.patienter))
            annulation.demander();
    }
    bilan.arretee = annulation.demandee() && !(finEntree && file.taches.empty());
    if (bilan.arretee) // the workers stop at their next item
        for (const auto& t : file.taches)
            while (!atelier.attendre(t.get(), options.pas)) {
            }
    return bilan;
}

} // namespace cyclide
