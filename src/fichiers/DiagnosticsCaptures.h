// Diagnostics captured: what the core prints on std::cout (the original
// classes' diagnostic lines, ISO 8859-1) is kept apart from a program's own
// output, so that a report, a JSON stream or a script's standard output is
// never broken into by them, and passed on to the standard error.
#ifndef CYCLIDE_FICHIERS_DIAGNOSTICSCAPTURES_H
#define CYCLIDE_FICHIERS_DIAGNOSTICSCAPTURES_H

#include <mutex>
#include <streambuf>
#include <string>

namespace cyclide {

// A stream buffer many threads may write to at once; keeps what they wrote.
class TamponPartage : public std::streambuf {
  public:
    // Gives back what was written since the last call, and forgets it.
    std::string prendre();

  protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;

  private:
    std::mutex m_;
    std::string texte_;
};

// While at least one lives, in any thread, std::cout writes into one shared
// buffer: the first one made puts it in place, the last one destroyed puts
// back what was there. Nothing the core prints reaches the standard output
// meanwhile. prendre and transmettre give what was printed since the last
// call (by any thread: diagnostics of a conversion running beside this one
// may come with it).
class DiagnosticsCaptures {
  public:
    DiagnosticsCaptures();
    ~DiagnosticsCaptures();
    DiagnosticsCaptures(const DiagnosticsCaptures&) = delete;
    DiagnosticsCaptures& operator=(const DiagnosticsCaptures&) = delete;

    // What was printed, in UTF-8, each run of identical lines written once
    // with how often it came; empty when nothing was.
    std::string prendre();

    // Writes prendre() on the standard error.
    void transmettre();
};

// The diagnostic lines with each run of identical lines written once,
// followed by how often it came.
std::string regrouperRepetitions(const std::string& texte);

// Latin-1 bytes (the core's diagnostics) as UTF-8.
std::string latin1EnUtf8(const std::string& texte);

} // namespace cyclide

#endif
