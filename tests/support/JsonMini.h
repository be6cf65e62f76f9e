// A small JSON reader and a validator for the subset of JSON Schema that
// docs/cyclide-conv.schema.json uses (type, enum, properties, required,
// additionalProperties false, items, minItems, maxItems, minimum, maximum,
// oneOf, local $ref). Numbers are read with strtod, so they round-trip.
#ifndef JSON_MINI_H
#define JSON_MINI_H

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace json {

struct Valeur {
    enum Sorte { Nul, Booleen, Nombre, Texte, Tableau, Objet } sorte = Nul;
    bool b = false;
    double n = 0;
    bool entier = false; // the number was written without point or exponent
    std::string t;
    std::vector<Valeur> elements;
    std::vector<std::pair<std::string, Valeur>> membres; // in file order

    bool a(const std::string& cle) const { return trouver(cle) != nullptr; }
    const Valeur* trouver(const std::string& cle) const {
        for (const auto& m : membres)
            if (m.first == cle)
                return &m.second;
        return nullptr;
    }
    const Valeur& operator[](const std::string& cle) const {
        const Valeur* v = trouver(cle);
        if (v == nullptr)
            throw std::runtime_error("missing key " + cle);
        return *v;
    }
    const Valeur& operator[](std::size_t k) const { return elements.at(k); }
};

class Lecteur {
  public:
    explicit Lecteur(const std::string& t) : t_(t) {}
    // The whole text as one value; throws std::runtime_error on any fault.
    Valeur tout() {
        Valeur v = valeur();
        blancs();
        if (k_ != t_.size())
            erreur("text after the value");
        return v;
    }

  private:
    [[noreturn]] void erreur(const std::string& quoi) {
        throw std::runtime_error(quoi + " at offset " + std::to_string(k_));
    }
    void blancs() {
        while (k_ < t_.size() &&
               (t_[k_] == ' ' || t_[k_] == '\n' || t_[k_] == '\t' || t_[k_] == '\r'))
            ++k_;
    }
    bool mot(const char* m) {
        const std::string s(m);
        if (t_.compare(k_, s.size(), s) != 0)
            return false;
        k_ += s.size();
        return true;
    }
    Valeur valeur() {
        blancs();
        Valeur v;
        if (k_ >= t_.size())
            erreur("end of text");
        const char ch = t_[k_];
        if (ch == '{') {
            v.sorte = Valeur::Objet;
            suite('}', [&] {
                blancs();
                std::string cle = texte();
                blancs();
                if (k_ >= t_.size() || t_[k_++] != ':')
                    erreur("':' expected");
                v.membres.emplace_back(cle, valeur());
            });
        } else if (ch == '[') {
            v.sorte = Valeur::Tableau;
            suite(']', [&] { v.elements.push_back(valeur()); });
        } else if (ch == '"') {
            v.sorte = Valeur::Texte;
            v.t = texte();
        } else if (mot("null")) {
        } else if (mot("true") || mot("false")) {
            v.sorte = Valeur::Booleen;
            v.b = t_[k_ - 1] == 'e' && t_[k_ - 2] == 'u';
        } else {
            nombre(v);
        }
        return v;
    }
    // The comma-separated items of an object or array up to its closing
    // character fin (none at all is allowed), the opening one being at k_.
    template <class Element> void suite(char fin, Element element) {
        ++k_;
        blancs();
        if (k_ < t_.size() && t_[k_] == fin) {
            ++k_;
            return;
        }
        do {
            element();
            blancs();
        } while (k_ < t_.size() && t_[k_] == ',' && ++k_);
        if (k_ >= t_.size() || t_[k_++] != fin)
            erreur(std::string("'") + fin + "' expected");
    }
    void nombre(Valeur& v) {
        const std::size_t debut = k_;
        auto chiffres = [&] {
            const std::size_t d = k_;
            while (k_ < t_.size() && t_[k_] >= '0' && t_[k_] <= '9')
                ++k_;
            return k_ - d;
        };
        if (k_ < t_.size() && t_[k_] == '-')
            ++k_;
        const std::size_t d0 = k_;
        if (chiffres() == 0 || (t_[d0] == '0' && k_ - d0 > 1))
            erreur("bad number");
        v.entier = true;
        if (k_ < t_.size() && t_[k_] == '.') {
            ++k_;
            v.entier = false;
            if (chiffres() == 0)
                erreur("bad fraction");
        }
        if (k_ < t_.size() && (t_[k_] == 'e' || t_[k_] == 'E')) {
            ++k_;
            v.entier = false;
            if (k_ < t_.size() && (t_[k_] == '+' || t_[k_] == '-'))
                ++k_;
            if (chiffres() == 0)
                erreur("bad exponent");
        }
        v.sorte = Valeur::Nombre;
        v.n = std::strtod(t_.substr(debut, k_ - debut).c_str(), nullptr);
    }
    // A string with its escapes; \u escapes must stay below 0x80 here.
    std::string texte() {
        if (k_ >= t_.size() || t_[k_] != '"')
            erreur("string expected");
        ++k_;
        std::string r;
        while (k_ < t_.size() && t_[k_] != '"') {
            const auto o = static_cast<unsigned char>(t_[k_]);
            if (o < 0x20)
                erreur("control character in string");
            if (t_[k_] != '\\') {
                r += t_[k_++];
                continue;
            }
            ++k_;
            const char e = k_ < t_.size() ? t_[k_++] : '\0';
            const std::string simples = "\"\\/bfnrt";
            const std::string valeurs = "\"\\/\b\f\n\r\t";
            if (simples.find(e) != std::string::npos) {
                r += valeurs[simples.find(e)];
            } else if (e == 'u' && k_ + 4 <= t_.size()) {
                r += static_cast<char>(std::strtol(t_.substr(k_, 4).c_str(), nullptr, 16));
                k_ += 4;
            } else {
                erreur("bad escape");
            }
        }
        if (k_ >= t_.size())
            erreur("unterminated string");
        ++k_;
        return r;
    }

    const std::string& t_;
    std::size_t k_ = 0;
};

inline Valeur lire(const std::string& texte) {
    return Lecteur(texte).tout();
}

// Validates v against the schema node s of the document racine; gives back
// an empty string, or the first fault with the path where it was found.
class Validateur {
  public:
    explicit Validateur(const Valeur& racine) : racine_(racine) {}
    std::string valider(const Valeur& v) const { return noeud(v, racine_, "$"); }

  private:
    const Valeur& resoudre(const Valeur& s) const {
        const Valeur* ref = s.trouver("$ref");
        if (ref == nullptr)
            return s;
        const std::string prefixe = "#/$defs/";
        if (ref->t.compare(0, prefixe.size(), prefixe) != 0)
            throw std::runtime_error("unsupported $ref " + ref->t);
        return resoudre(racine_["$defs"][ref->t.substr(prefixe.size())]);
    }
    static bool egal(const Valeur& a, const Valeur& b) {
        return a.sorte == b.sorte && a.b == b.b && a.n == b.n && a.t == b.t;
    }
    static bool deType(const Valeur& v, const std::string& type) {
        if (type == "null")
            return v.sorte == Valeur::Nul;
        if (type == "number")
            return v.sorte == Valeur::Nombre;
        if (type == "integer")
            return v.sorte == Valeur::Nombre && v.entier;
        if (type == "string")
            return v.sorte == Valeur::Texte;
        if (type == "array")
            return v.sorte == Valeur::Tableau;
        if (type == "object")
            return v.sorte == Valeur::Objet;
        if (type == "boolean")
            return v.sorte == Valeur::Booleen;
        throw std::runtime_error("unknown type " + type);
    }
    std::string noeud(const Valeur& v, const Valeur& schema, const std::string& chemin) const {
        const Valeur& s = resoudre(schema);
        static const std::vector<std::string> connus = {
            "$schema", "$id",      "title",      "description", "$defs",
            "type",    "enum",     "properties", "required",    "additionalProperties",
            "items",   "minItems", "maxItems",   "minimum",     "maximum",
            "oneOf",   "$ref"};
        for (const auto& m : s.membres)
            if (std::find(connus.begin(), connus.end(), m.first) == connus.end())
                throw std::runtime_error("unsupported keyword " + m.first);
        if (const Valeur* type = s.trouver("type")) {
            bool ok = false;
            if (type->sorte == Valeur::Texte)
                ok = deType(v, type->t);
            for (const auto& t : type->elements)
                ok = ok || deType(v, t.t);
            if (!ok)
                return chemin + ": wrong type";
        }
        if (const Valeur* e = s.trouver("enum")) {
            bool ok = false;
            for (const auto& x : e->elements)
                ok = ok || egal(v, x);
            if (!ok)
                return chemin + ": not in enum";
        }
        if (const Valeur* o = s.trouver("oneOf")) {
            int passent = 0;
            for (const auto& x : o->elements)
                passent += noeud(v, x, chemin).empty() ? 1 : 0;
            if (passent != 1)
                return chemin + ": matches " + std::to_string(passent) + " of oneOf";
        }
        if (v.sorte == Valeur::Nombre) {
            if (s.a("minimum") && v.n < s["minimum"].n)
                return chemin + ": below minimum";
            if (s.a("maximum") && v.n > s["maximum"].n)
                return chemin + ": above maximum";
        }
        if (v.sorte == Valeur::Tableau) {
            if (s.a("minItems") && v.elements.size() < s["minItems"].n)
                return chemin + ": too few items";
            if (s.a("maxItems") && v.elements.size() > s["maxItems"].n)
                return chemin + ": too many items";
            for (std::size_t k = 0; s.a("items") && k < v.elements.size(); ++k) {
                std::string f =
                    noeud(v.elements[k], s["items"], chemin + "[" + std::to_string(k) + "]");
                if (!f.empty())
                    return f;
            }
        }
        if (v.sorte == Valeur::Objet)
            return objet(v, s, chemin);
        return "";
    }
    std::string objet(const Valeur& v, const Valeur& s, const std::string& chemin) const {
        for (std::size_t k = 0; s.a("required") && k < s["required"].elements.size(); ++k)
            if (!v.a(s["required"][k].t))
                return chemin + ": missing " + s["required"][k].t;
        const Valeur* props = s.trouver("properties");
        for (const auto& m : v.membres) {
            const Valeur* p = props != nullptr ? props->trouver(m.first) : nullptr;
            if (p == nullptr) {
                if (s.a("additionalProperties") && !s["additionalProperties"].b)
                    return chemin + ": unexpected key " + m.first;
                continue;
            }
            std::string f = noeud(m.second, *p, chemin + "." + m.first);
            if (!f.empty())
                return f;
        }
        return "";
    }

    const Valeur& racine_;
};

} // namespace json

#endif
