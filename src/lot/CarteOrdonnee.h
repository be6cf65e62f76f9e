// CarteOrdonnee: the one ordered parallel map of the batches. The calling
// thread hands out chunks of work, worker threads compute them, and the
// calling thread takes them back in the order they were handed out. The
// chunks in flight are bounded in number and in bytes, so that memory stays
// small whatever the input's length; a flag stops the map between items.
// The converter's --lot (lines of text in, rows out) and the Python
// module's convert_batch (arrays in, dicts or columns out) both run on it.
#ifndef CYCLIDE_LOT_CARTEORDONNEE_H
#define CYCLIDE_LOT_CARTEORDONNEE_H

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

namespace cyclide {

// Whether a map was asked to stop: by itself (a failed output, a callback
// that said stop) or from outside (annulation, any thread may set it).
class Annulation {
  public:
    explicit Annulation(const std::atomic<bool>* externe) : externe_(externe) {}

    // True once a stop was asked; checked by the workers between items.
    bool demandee() const {
        return interne_.load(std::memory_order_relaxed) ||
               (externe_ != nullptr && externe_->load(std::memory_order_relaxed));
    }
    void demander() { interne_.store(true, std::memory_order_relaxed); }

  private:
    std::atomic<bool> interne_{false};
    const std::atomic<bool>* externe_;
};

// One chunk of work, derived by each user of the map.
struct TacheCarte {
    virtual ~TacheCarte() = default;
    // Computes the chunk on a worker thread, checking annulation between
    // items (a chunk stopped half way is never given back).
    virtual void calculer(const Annulation& annulation) = 0;

    std::size_t octets = 0; // memory the chunk holds until given back (input and results)
    bool finie = false;     // set by the map (under its lock) once calculer returned
};

// How the map runs.
struct OptionsCarte {
    int fils = 0;                                  // worker threads; 0: one per core
    std::size_t tachesParFil = 4;                  // chunks in flight per worker, at most
    std::size_t octetsMax = std::size_t{32} << 20; // bytes in flight, at most (a chunk already
                                                   // handed out is finished)
    std::chrono::milliseconds pas{100};            // longest wait between calls of patienter
    const std::atomic<bool>* annulation = nullptr; // set from outside to stop the map
};

// What the map calls, all on the calling thread.
struct RappelsCarte {
    // The next chunk, or nullptr at the end of the input.
    std::function<std::unique_ptr<TacheCarte>()> suivante;
    // True when suivante would not wait for input; empty: always true.
    // While it is false the map gives back what is done before reading on.
    std::function<bool()> prete;
    // A computed chunk, in input order; false stops the map.
    std::function<bool(TacheCarte&)> rendre;
    // Called while waiting (at least every pas) and after each chunk given
    // back (progress, signals); false stops the map. May be empty.
    std::function<bool()> patienter;
};

// How a map ended.
struct BilanCarte {
    long taches = 0;      // chunks given back
    bool arretee = false; // stopped (a callback, the annulation) before the input's end
};

// Runs the map: chunks are asked for while fewer than fils * tachesParFil
// and octetsMax bytes are in flight (and the input is ready), computed on
// the workers, and given back in order. A stop leaves the chunks in flight
// to end quickly (their workers see the annulation) and gives none back.
// In: the options, the callbacks (suivante and rendre needed).
// Out: how many chunks were given back, and whether the map stopped early.
BilanCarte executerCarte(const OptionsCarte& options, const RappelsCarte& rappels);

// The worker count of fils: itself when positive, one per core otherwise.
int filsEffectifs(int fils);

} // namespace cyclide

#endif
