#include "sorties/ResultatJson.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace cyclide {

namespace {

// True when texte is well-formed UTF-8 (no overlong forms, no surrogates).
bool utf8Valide(std::string_view texte) {
    std::size_t k = 0;
    while (k < texte.size()) {
        const auto o = static_cast<unsigned char>(texte[k]);
        std::size_t n = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (o < 0x80) {
            ++k;
            continue;
        } else if ((o & 0xE0) == 0xC0) {
            n = 1, min = 0x80, code = o & 0x1F;
        } else if ((o & 0xF0) == 0xE0) {
            n = 2, min = 0x800, code = o & 0x0F;
        } else if ((o & 0xF8) == 0xF0) {
            n = 3, min = 0x10000, code = o & 0x07;
        } else {
            return false;
        }
        if (k + n >= texte.size())
            return false;
        for (std::size_t s = 1; s <= n; ++s) {
            const auto suite = static_cast<unsigned char>(texte[k + s]);
            if ((suite & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (suite & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        k += n + 1;
    }
    return true;
}

// Appends texte as a JSON string (the rules of ajouterTexteJson).
void ajouterTexte(std::string& out, std::string_view texte, bool latin1) {
    const bool copier = !latin1 && utf8Valide(texte);
    out += '"';
    for (char ch : texte) {
        const auto o = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (o < 0x20) {
            static const char HEX[] = "0123456789abcdef";
            out += "\\u00";
            out += HEX[o >> 4];
            out += HEX[o & 15];
        } else if (o < 0x80 || copier) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (o >> 6));
            out += static_cast<char>(0x80 | (o & 0x3F));
        }
    }
    out += '"';
}

// The text sink of the schema: JSON on one line, no spaces, a comma
// before every key or element but the first of its object or array. Each
// piece is formed in a small buffer, comma included, and appended once.
class SortieTexte {
  public:
    explicit SortieTexte(std::string& out) : out_(out) {}

    void objet() { ouvrir('{'); }
    void tableau() { ouvrir('['); }
    void finObjet() { fermer('}'); }
    void finTableau() { fermer(']'); }
    void cle(const char* nom) {
        entreGuillemets(nom, ':');
        suite_ = false;
    }
    bool nombre(double v) {
        if (!std::isfinite(v)) {
            nul();
            return false;
        }
        char tampon[40];
        char* d = debut(tampon);
        ajouter(tampon, std::to_chars(d, tampon + sizeof tampon, v).ptr);
        return true;
    }
    void entier(long v) {
        char tampon[40];
        char* d = debut(tampon);
        ajouter(tampon, std::to_chars(d, tampon + sizeof tampon, v).ptr);
    }
    void mot(const char* texte) { entreGuillemets(texte, '\0'); }
    void texte(std::string_view t, bool latin1) {
        if (suite_)
            out_ += ',';
        ajouterTexte(out_, t, latin1);
        suite_ = true;
    }
    void nul() {
        char tampon[8];
        char* d = debut(tampon);
        std::memcpy(d, "null", 4);
        ajouter(tampon, d + 4);
    }

  private:
    std::string& out_;
    bool suite_ = false; // a value was written: the next key or element needs a comma

    // The comma if one is due; where the piece starts.
    char* debut(char* tampon) const {
        tampon[0] = ',';
        return tampon + (suite_ ? 1 : 0);
    }
    void ajouter(const char* tampon, const char* fin) {
        out_.append(tampon, fin);
        suite_ = true;
    }
    void ouvrir(char ch) {
        char tampon[2] = {',', ch};
        out_.append(suite_ ? tampon : tampon + 1, suite_ ? 2 : 1);
        suite_ = false;
    }
    void fermer(char ch) {
        out_ += ch;
        suite_ = true;
    }
    // "texte" (a short static text needing no escape), then apres if not 0.
    void entreGuillemets(const char* texte, char apres) {
        const std::size_t n = std::strlen(texte);
        char tampon[64];
        if (n + 4 > sizeof tampon) {
            if (suite_)
                out_ += ',';
            out_ += '"';
            out_.append(texte, n);
            out_ += '"';
            if (apres != '\0')
                out_ += apres;
            suite_ = true;
            return;
        }
        char* d = debut(tampon);
        *d++ = '"';
        std::memcpy(d, texte, n);
        d += n;
        *d++ = '"';
        if (apres != '\0')
            *d++ = apres;
        ajouter(tampon, d);
    }
};

} // namespace

bool ajouterNombre(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return false;
    }
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, v);
    out.append(tampon, fin.ptr);
    return true;
}

void ajouterTexteJson(std::string& out, const std::string& texte, bool latin1) {
    ajouterTexte(out, texte, latin1);
}

void ajouterResultatJson(std::string& out, const Scene& s, const OrigineEntree& origine) {
    SortieTexte sortie(out);
    ecrireResultat(sortie, s, origine);
}

void ajouterErreurLotJson(std::string& out, long ligne, const std::string& erreur) {
    SortieTexte sortie(out);
    ecrireErreurLot(sortie, ligne, erreur);
}

std::string resultatJson(const Scene& s, const OrigineEntree& origine) {
    std::string out;
    out.reserve(2048);
    ajouterResultatJson(out, s, origine);
    return out;
}

namespace {

// The input object of a CAD row, without its closing brace.
std::string entreeCao(const ElementCao& e, const std::string& fichier) {
    std::string j = "{\"source\":\"cad\",\"file\":";
    ajouterTexteJson(j, fichier, false);
    j += ",\"face\":" + std::to_string(e.face) + ",\"entity\":" + std::to_string(e.entite);
    j += e.sorte == SorteElementCao::Carreau
             ? ",\"patch\":[" + std::to_string(e.carreauU) + "," + std::to_string(e.carreauV) + "]"
             : std::string(",\"patch\":null");
    j += ",\"surface\":";
    ajouterTexteJson(j, e.surface, true);
    return j;
}

} // namespace

std::string resultatJsonCao(const ElementCao& e, const Scene& s, const std::string& fichier) {
    if (e.sorte != SorteElementCao::Carreau) {
        std::string j = "{\"input\":" + entreeCao(e, fichier) + "},\"face_status\":";
        j += e.sorte == SorteElementCao::Ignoree ? "\"skipped\"" : "\"limit\"";
        j += ",\"reason\":";
        ajouterTexteJson(j, e.raison, true);
        return j + "}";
    }
    OrigineEntree origine;
    origine.sorte = OrigineEntree::Sorte::Reseau;
    origine.fichier = fichier;
    // The input of a net is {"source":"net","file":NAME}: it is replaced
    // by the CAD input, which names the face and the patch.
    std::string debut = "{\"input\":{\"source\":\"net\",\"file\":";
    ajouterTexteJson(debut, fichier, false);
    std::string json = resultatJson(s, origine);
    if (json.compare(0, debut.size(), debut) == 0)
        json.replace(0, debut.size(), "{\"input\":" + entreeCao(e, fichier));
    return json;
}

} // namespace cyclide
