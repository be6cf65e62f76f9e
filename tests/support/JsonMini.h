// JSON read with nlohmann-json into a plain value the tests index, and a
// validator for the subset of JSON Schema that docs/cyclide-conv.schema.json
// uses (type, enum, properties, required, additionalProperties false, items,
// minItems, maxItems, minimum, maximum, oneOf, local $ref).
#ifndef JSON_MINI_H
#define JSON_MINI_H

#include <nlohmann/json.hpp>

#include <algorithm>
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

// The value of a tree parsed by nlohmann-json, members in file order.
inline Valeur depuis(const nlohmann::ordered_json& j) {
    Valeur v;
    if (j.is_object()) {
        v.sorte = Valeur::Objet;
        for (auto it = j.begin(); it != j.end(); ++it)
            v.membres.emplace_back(it.key(), depuis(it.value()));
    } else if (j.is_array()) {
        v.sorte = Valeur::Tableau;
        for (const auto& e : j)
            v.elements.push_back(depuis(e));
    } else if (j.is_string()) {
        v.sorte = Valeur::Texte;
        v.t = j.get<std::string>();
    } else if (j.is_boolean()) {
        v.sorte = Valeur::Booleen;
        v.b = j.get<bool>();
    } else if (j.is_number()) {
        v.sorte = Valeur::Nombre;
        v.n = j.get<double>();
        v.entier = !j.is_number_float();
    }
    return v;
}

// The whole text as one value (nlohmann-json's parser: strict JSON, strings
// in UTF-8, numbers read to the nearest double); throws std::runtime_error
// on any fault.
inline Valeur lire(const std::string& texte) {
    try {
        return depuis(nlohmann::ordered_json::parse(texte));
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(e.what());
    }
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
