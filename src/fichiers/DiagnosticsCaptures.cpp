#include "fichiers/DiagnosticsCaptures.h"

#include "fichiers/EcritureFichier.h"

#include <iostream>
#include <unistd.h>

namespace cyclide {

namespace {

// The one capture of the process: how many live, the buffer, and what
// std::cout wrote into before the first.
struct CaptureCommune {
    std::mutex m;
    int vivantes = 0;
    TamponPartage tampon;
    std::streambuf* ancien = nullptr;
};

CaptureCommune& capture() {
    // Never destroyed: std::cout may still point at its buffer while the
    // program's static objects are destroyed.
    static CaptureCommune* const c = new CaptureCommune;
    return *c;
}

} // namespace

TamponPartage::int_type TamponPartage::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    std::lock_guard<std::mutex> verrou(m_);
    texte_ += traits_type::to_char_type(ch);
    return ch;
}

std::streamsize TamponPartage::xsputn(const char* s, std::streamsize n) {
    std::lock_guard<std::mutex> verrou(m_);
    texte_.append(s, static_cast<std::size_t>(n));
    return n;
}

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

std::string TamponPartage::prendre() {
    std::lock_guard<std::mutex> verrou(m_);
    std::string texte;
    texte.swap(texte_);
    return texte;
}

DiagnosticsCaptures::DiagnosticsCaptures() {
    CaptureCommune& c = capture();
    std::lock_guard<std::mutex> verrou(c.m);
    if (c.vivantes++ == 0) {
        std::cout.flush();
        c.ancien = std::cout.rdbuf(&c.tampon);
    }
}

DiagnosticsCaptures::~DiagnosticsCaptures() {
    CaptureCommune& c = capture();
    std::lock_guard<std::mutex> verrou(c.m);
    if (--c.vivantes == 0)
        std::cout.rdbuf(c.ancien);
}

std::string DiagnosticsCaptures::prendre() {
    const std::string texte = capture().tampon.prendre();
    return texte.empty() ? texte : latin1EnUtf8(regrouperRepetitions(texte));
}

void DiagnosticsCaptures::transmettre() {
    const std::string texte = prendre();
    if (!texte.empty())
        ecrireTout(STDERR_FILENO, texte);
}

} // namespace cyclide
