#include "ResultatJson.h"

#include "Messages.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace cyclide {

namespace {

// True when texte is well-formed UTF-8 (no overlong forms, no surrogates).
bool utf8Valide(const std::string& texte) {
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

// Writes the JSON value of one result and collects the names of the numbers
// that were not finite.
class EcrivainJson {
  public:
    explicit EcrivainJson(std::string& out) : out_(out) {}

    // Literal texts are appended with their length known at compile time.
    template <std::size_t N> void brut(const char (&texte)[N]) { out_.append(texte, N - 1); }
    void brut(const char* texte) { out_ += texte; }
    void cle(const char* nom) {
        out_ += '"';
        out_ += nom;
        out_.append("\":", 2);
    }
    // The name is only formed when the number is not finite.
    template <class Nom> void nombre(Nom nom, double v) {
        if (!ajouterNombre(out_, v))
            nonFinis_.push_back(nom());
    }
    void entier(long v) {
        char tampon[24];
        const auto fin = std::to_chars(tampon, tampon + sizeof tampon, v);
        out_.append(tampon, fin.ptr);
    }
    template <class Nom> void triplet(Nom chemin, const double v[3]) {
        out_ += '[';
        for (int k = 0; k < 3; ++k) {
            if (k > 0)
                out_ += ',';
            nombre([&] { return chemin() + "[" + std::to_string(k) + "]"; }, v[k]);
        }
        out_ += ']';
    }
    const std::vector<std::string>& nonFinis() const { return nonFinis_; }

  private:
    std::string& out_;
    std::vector<std::string> nonFinis_;
};

const char* const NOMS_PARAMETRES[7] = {"theta00", "theta02", "theta20", "theta22",
                                        "radius",  "z11",     "p10"};

// Appends "cle":{...} with n named numbers; a number that is not finite is
// named chemin.nom (chemin is the key's path in the object).
void ecrireNombresNommes(EcrivainJson& e, const char* cle, const std::string& chemin,
                         const char* const noms[], const double valeurs[], int n) {
    e.cle(cle);
    e.brut("{");
    for (int k = 0; k < n; ++k) {
        if (k > 0)
            e.brut(",");
        e.cle(noms[k]);
        e.nombre([&] { return chemin + "." + noms[k]; }, valeurs[k]);
    }
    e.brut("}");
}

void ecrireParametres(EcrivainJson& e, const EntreeScene& entree) {
    const double v[7] = {entree.theta00, entree.theta02, entree.theta20, entree.theta22,
                         entree.rayon,   entree.z11,     entree.P10};
    ecrireNombresNommes(e, "parameters", "input.parameters", NOMS_PARAMETRES, v, 7);
}

// The opening of the "input" object: its source and what names it.
void ouvrirEntree(EcrivainJson& e, std::string& out, const EntreeScene& entree,
                  const OrigineEntree& o) {
    switch (o.sorte) {
    case OrigineEntree::Sorte::Exemple:
        e.brut("{\"source\":\"example\",\"example\":");
        e.entier(entree.exemple);
        return;
    case OrigineEntree::Sorte::Fichier:
    case OrigineEntree::Sorte::Reseau:
        e.brut(o.sorte == OrigineEntree::Sorte::Reseau ? "{\"source\":\"net\",\"file\":"
                                                       : "{\"source\":\"file\",\"file\":");
        ajouterTexteJson(out, o.fichier, false);
        return;
    case OrigineEntree::Sorte::Lot:
        e.brut("{\"source\":\"batch\",\"line\":");
        e.entier(o.ligne);
        return;
    case OrigineEntree::Sorte::Parametres:
        e.brut("{\"source\":\"parameters\"");
        return;
    }
}

void ecrireEntree(EcrivainJson& e, std::string& out, const EntreeScene& entree,
                  const OrigineEntree& o) {
    e.cle("input");
    ouvrirEntree(e, out, entree, o);
    // A batch line may hold a net: no parameters then.
    if (o.sorte != OrigineEntree::Sorte::Exemple && o.sorte != OrigineEntree::Sorte::Reseau &&
        !entree.reseauDonne) {
        e.brut(",");
        ecrireParametres(e, entree);
    }
    e.brut("}");
}

// The nine control points with their weights, i (along u) outer.
void ecrireReseau(EcrivainJson& e, const RBBP& net) {
    e.cle("net");
    e.brut("[");
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (i + j > 0)
                e.brut(",");
            const auto chemin = [i, j] { return "net[" + std::to_string(3 * i + j) + "]"; };
            const Point& p = net.P[i][j];
            const double xyz[3] = {p.getX0(), p.getY0(), p.getZ0()};
            e.brut("{\"i\":");
            e.entier(i);
            e.brut(",\"j\":");
            e.entier(j);
            e.brut(",");
            e.cle("point");
            e.triplet([&] { return chemin() + ".point"; }, xyz);
            e.brut(",");
            e.cle("weight");
            e.nombre([&] { return chemin() + ".weight"; }, net.w[i][j]);
            e.brut("}");
        }
    }
    e.brut("]");
}

void ecrireCyclide(EcrivainJson& e, const RBBPd& c) {
    e.cle("cyclide");
    const double champs[4] = {c.a, std::sqrt(c.a * c.a - c.c * c.c), c.c, c.mu};
    const char* noms[4] = {"a", "b", "c", "mu"};
    e.brut("{");
    for (int k = 0; k < 4; ++k) {
        e.cle(noms[k]);
        e.nombre([&] { return std::string("cyclide.") + noms[k]; }, champs[k]);
        e.brut(",");
    }
    const double centre[3] = {c.omega.getX0(), c.omega.getY0(), c.omega.getZ0()};
    e.cle("centre");
    e.triplet([] { return std::string("cyclide.centre"); }, centre);
    e.brut(",");
    e.cle("frame");
    e.brut("[");
    for (int k = 0; k < 3; ++k) {
        if (k > 0)
            e.brut(",");
        const double axe[3] = {c.Base[0][k], c.Base[1][k], c.Base[2][k]};
        e.triplet([k] { return "cyclide.frame[" + std::to_string(k) + "]"; }, axe);
    }
    e.brut("]}");
}

void ecrireMorceau(EcrivainJson& e, const MorceauCyclide& m) {
    static const char* const NOMS[4] = {"u0", "u1", "v0", "v1"};
    const double bornes[4] = {m.u0, m.u1, m.v0, m.v1};
    ecrireNombresNommes(e, "piece", "piece", NOMS, bornes, 4);
}

// Why the record carries no cyclide, or which numbers were not finite;
// empty when there is nothing to say.
std::string raison(const Scene& s, const std::vector<std::string>& nonFinis) {
    std::string r;
    if (s.typeCyclide == 0)
        r = !s.raison.empty() ? s.raison
            : s.type == 0     ? "the patch is not convertible (conversion type 0)"
                              : "no Dupin cyclide carries the patch (cyclide code 0)";
    if (!nonFinis.empty()) {
        if (!r.empty())
            r += "; ";
        r += "not finite, written as null:";
        for (const auto& nom : nonFinis)
            r += " " + nom;
    }
    return r;
}

} // namespace

const char* sorteCyclide(int code) {
    static const char* const SORTES[7] = {nullptr,         "ring",          "spindle",     "horned",
                                          "double_sphere", "crossed_torus", "collar_torus"};
    return code >= 0 && code <= 6 ? SORTES[code] : nullptr;
}

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

void ajouterResultatJson(std::string& out, const Scene& s, const OrigineEntree& origine) {
    EcrivainJson e(out);
    e.brut("{");
    ecrireEntree(e, out, s.entree, origine);
    e.brut(s.entree.plan == PlanConversion::Py ? ",\"plane\":\"y\",\"type\":"
                                               : ",\"plane\":\"z\",\"type\":");
    e.entier(s.type);
    e.brut(",\"code\":");
    e.entier(s.typeCyclide);
    e.brut(",\"kind\":");
    const char* sorte = sorteCyclide(s.typeCyclide);
    if (sorte != nullptr)
        ajouterTexteJson(out, sorte);
    else
        e.brut("null");
    e.brut(",\"message\":");
    ajouterTexteJson(out, messageCyclide(s.typeCyclide));
    e.brut(",");
    ecrireReseau(e, s.Bez);
    e.brut(",");
    if (s.typeCyclide != 0) {
        ecrireCyclide(e, s.converti);
        e.brut(",");
        ecrireMorceau(e, s.morceau);
        e.brut(",\"residual\":");
        e.nombre([] { return std::string("residual"); }, s.residu);
        e.brut(",\"uncertainty\":");
        e.nombre([] { return std::string("uncertainty"); }, s.incertitude);
    } else if (s.type != 0) {
        e.brut("\"cyclide\":null,\"piece\":null,\"residual\":");
        e.nombre([] { return std::string("residual"); }, s.residu);
        e.brut(",\"uncertainty\":null");
    } else {
        e.brut("\"cyclide\":null,\"piece\":null,\"residual\":null,\"uncertainty\":null");
    }
    const std::string r = raison(s, e.nonFinis());
    if (!r.empty()) {
        e.brut(",\"reason\":");
        ajouterTexteJson(out, r);
    }
    e.brut("}");
}

std::string resultatJson(const Scene& s, const OrigineEntree& origine) {
    std::string out;
    out.reserve(2048);
    ajouterResultatJson(out, s, origine);
    return out;
}

} // namespace cyclide
