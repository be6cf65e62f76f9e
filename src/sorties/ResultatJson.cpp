#include "ResultatJson.h"

#include "Messages.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// The result is built as a tree whose objects keep their keys in insertion
// order.
using Json = nlohmann::ordered_json;

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

// The text as UTF-8: a text in ISO 8859-1 (latin1, or any text that is not
// valid UTF-8) has each byte from 0x80 up written as its two-byte form.
std::string enUtf8(const std::string& texte, bool latin1) {
    if (!latin1 && utf8Valide(texte))
        return texte;
    std::string u;
    u.reserve(texte.size() + 8);
    for (char ch : texte) {
        const auto o = static_cast<unsigned char>(ch);
        if (o >= 0x80)
            u += static_cast<char>(0xC0 | (o >> 6));
        u += o < 0x80 ? ch : static_cast<char>(0x80 | (o & 0x3F));
    }
    return u;
}

// Appends a UTF-8 text as a JSON string: the quote and the backslash
// escaped, every control character as \u00XX, the runs of other bytes
// copied as they are.
void ajouterChaine(std::string& out, const std::string& utf8) {
    out += '"';
    // The bytes a JSON string cannot hold as they are.
    const auto aEchapper = [](char ch) {
        return ch == '"' || ch == '\\' || static_cast<unsigned char>(ch) < 0x20;
    };
    auto debut = utf8.begin();
    while (true) {
        const auto fin = std::find_if(debut, utf8.end(), aEchapper);
        out.append(debut, fin);
        if (fin == utf8.end())
            break;
        const auto o = static_cast<unsigned char>(*fin);
        if (o < 0x20) {
            static const char HEX[] = "0123456789abcdef";
            out += "\\u00";
            out += HEX[o >> 4];
            out += HEX[o & 15];
        } else {
            out += '\\';
            out += *fin;
        }
        debut = fin + 1;
    }
    out += '"';
}

void ajouterEntier(std::string& out, long long v) {
    char tampon[24];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, v);
    out.append(tampon, fin.ptr);
}

// Appends the value on one line, without spaces. Not nlohmann's dump: its
// numbers keep a ".0" on whole values and move to an exponent at other
// places than the shortest form, and it writes five control characters as
// \n-style escapes; the written bytes stay those of ajouterNombre and
// ajouterChaine.
void ajouterValeur(std::string& out, const Json& v) {
    switch (v.type()) {
    case Json::value_t::object: {
        char separateur = '{';
        for (const auto& [cle, valeur] : v.get_ref<const Json::object_t&>()) {
            out += separateur;
            separateur = ',';
            ajouterChaine(out, cle);
            out += ':';
            ajouterValeur(out, valeur);
        }
        out += separateur == '{' ? "{}" : "}";
        return;
    }
    case Json::value_t::array: {
        char separateur = '[';
        for (const auto& element : v.get_ref<const Json::array_t&>()) {
            out += separateur;
            separateur = ',';
            ajouterValeur(out, element);
        }
        out += separateur == '[' ? "[]" : "]";
        return;
    }
    case Json::value_t::string:
        ajouterChaine(out, v.get_ref<const std::string&>());
        return;
    case Json::value_t::number_float:
        ajouterNombre(out, v.get_ref<const double&>());
        return;
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
        ajouterEntier(out, v.get<long long>());
        return;
    case Json::value_t::boolean:
        out += v.get<bool>() ? "true" : "false";
        return;
    default:
        out += "null";
        return;
    }
}

// True when every number of v is finite.
bool toutFini(const Json& v) {
    if (v.is_object()) {
        const auto& o = v.get_ref<const Json::object_t&>();
        return std::all_of(o.begin(), o.end(), [](const auto& m) { return toutFini(m.second); });
    }
    if (v.is_array()) {
        const auto& a = v.get_ref<const Json::array_t&>();
        return std::all_of(a.begin(), a.end(), toutFini);
    }
    return !v.is_number_float() || std::isfinite(v.get_ref<const double&>());
}

// Appends to noms the path of every number of v that is not finite, in the
// order they are written: "input.parameters.theta00", "net[3].weight",
// "cyclide.frame[0][1]". chemin is v's own path; it is given back as it was.
void nommerNonFinis(const Json& v, std::string& chemin, std::vector<std::string>& noms) {
    const std::size_t longueur = chemin.size();
    if (v.is_object()) {
        for (auto it = v.begin(); it != v.end(); ++it) {
            chemin += (longueur == 0 ? "" : ".") + it.key();
            nommerNonFinis(it.value(), chemin, noms);
            chemin.resize(longueur);
        }
    } else if (v.is_array()) {
        for (std::size_t k = 0; k < v.size(); ++k) {
            chemin += "[" + std::to_string(k) + "]";
            nommerNonFinis(v[k], chemin, noms);
            chemin.resize(longueur);
        }
    } else if (v.is_number_float() && !std::isfinite(v.get<double>())) {
        noms.push_back(chemin);
    }
}

const char* const NOMS_PARAMETRES[7] = {"theta00", "theta02", "theta20", "theta22",
                                        "radius",  "z11",     "p10"};

// An empty object with room for n keys.
Json objet(std::size_t n) {
    Json::object_t o;
    o.reserve(n);
    return Json(std::move(o));
}

Json parametres(const EntreeScene& e) {
    const double v[7] = {e.theta00, e.theta02, e.theta20, e.theta22, e.rayon, e.z11, e.P10};
    Json p = objet(7);
    for (int k = 0; k < 7; ++k)
        p[NOMS_PARAMETRES[k]] = v[k];
    return p;
}

// The "input" object: its source, what names it and, but for an example or
// a net given directly, the seven parameters.
Json entree(const EntreeScene& e, const OrigineEntree& o) {
    Json in = objet(4);
    switch (o.sorte) {
    case OrigineEntree::Sorte::Exemple:
        in["source"] = "example";
        in["example"] = e.exemple;
        return in;
    case OrigineEntree::Sorte::Reseau:
        in["source"] = "net";
        in["file"] = enUtf8(o.fichier, false);
        return in;
    case OrigineEntree::Sorte::Fichier:
        in["source"] = "file";
        in["file"] = enUtf8(o.fichier, false);
        break;
    case OrigineEntree::Sorte::Lot:
        in["source"] = "batch";
        in["line"] = o.ligne;
        break;
    case OrigineEntree::Sorte::Parametres:
        in["source"] = "parameters";
        break;
    }
    in["parameters"] = parametres(e);
    return in;
}

Json triplet(double x, double y, double z) {
    Json::array_t t;
    t.reserve(3);
    t.emplace_back(x);
    t.emplace_back(y);
    t.emplace_back(z);
    return Json(std::move(t));
}

// The nine control points with their weights, i (along u) outer.
Json reseau(const RBBP& net) {
    Json::array_t r;
    r.reserve(9);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point& p = net.P[i][j];
            Json c = objet(4);
            c["i"] = i;
            c["j"] = j;
            c["point"] = triplet(p.getX0(), p.getY0(), p.getZ0());
            c["weight"] = net.w[i][j];
            r.push_back(std::move(c));
        }
    return Json(std::move(r));
}

// The cyclide's parameters, its centre and its three axes (the columns of
// Base).
Json cyclide(const RBBPd& c) {
    Json y = objet(6);
    y["a"] = c.a;
    y["b"] = std::sqrt(c.a * c.a - c.c * c.c);
    y["c"] = c.c;
    y["mu"] = c.mu;
    y["centre"] = triplet(c.omega.getX0(), c.omega.getY0(), c.omega.getZ0());
    Json::array_t axes;
    axes.reserve(3);
    for (int k = 0; k < 3; ++k)
        axes.push_back(triplet(c.Base[0][k], c.Base[1][k], c.Base[2][k]));
    y["frame"] = std::move(axes);
    return y;
}

Json morceau(const MorceauCyclide& m) {
    Json p = objet(4);
    p["u0"] = m.u0;
    p["u1"] = m.u1;
    p["v0"] = m.v0;
    p["v1"] = m.v1;
    return p;
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

// The result's object, keys in the order they are written; a new key of the
// result is added here. The numbers that are not finite are named in the
// reason.
Json objetResultat(const Scene& s, const OrigineEntree& origine) {
    const bool converti = s.typeCyclide != 0;
    const char* sorte = sorteCyclide(s.typeCyclide);
    Json j = objet(13);
    j["input"] = entree(s.entree, origine);
    j["plane"] = s.entree.choix == 0 ? "y" : "z";
    j["type"] = s.type;
    j["code"] = s.typeCyclide;
    j["kind"] = sorte != nullptr ? Json(sorte) : Json(nullptr);
    j["message"] = enUtf8(messageCyclide(s.typeCyclide), true);
    j["net"] = reseau(s.Bez);
    j["cyclide"] = converti ? cyclide(s.converti) : Json(nullptr);
    j["piece"] = converti ? morceau(s.morceau) : Json(nullptr);
    j["residual"] = converti || s.type != 0 ? Json(s.residu) : Json(nullptr);
    j["uncertainty"] = converti ? Json(s.incertitude) : Json(nullptr);
    std::vector<std::string> nonFinis;
    std::string chemin;
    if (!toutFini(j))
        nommerNonFinis(j, chemin, nonFinis);
    const std::string r = raison(s, nonFinis);
    if (!r.empty())
        j["reason"] = enUtf8(r, true);
    return j;
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
    ajouterChaine(out, enUtf8(texte, latin1));
}

void ajouterResultatJson(std::string& out, const Scene& s, const OrigineEntree& origine) {
    ajouterValeur(out, objetResultat(s, origine));
}

std::string resultatJson(const Scene& s, const OrigineEntree& origine) {
    std::string out;
    out.reserve(2048);
    ajouterResultatJson(out, s, origine);
    return out;
}
