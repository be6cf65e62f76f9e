// A small reader of ISO 10303-21 files for the tests: the header and data
// instances (simple and complex) with their parameters, and the rational
// B-spline surfaces they hold, evaluated from the knots, weights and control
// points read. It checks the exchange syntax it meets (section order,
// instance numbers, reals with a point) and throws on any fault.
#ifndef LECTEUR_STEP_H
#define LECTEUR_STEP_H

#include <array>
#include <cctype>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace step {

struct Param {
    enum Sorte { Liste, Texte, Reel, Entier, Ref, Enum, Dollar, Etoile, Type } sorte = Dollar;
    std::string texte; // Texte (decoded), Enum (without dots), Type (its name)
    double reel = 0;   // Reel and Entier
    int ref = 0;
    std::vector<Param> liste; // Liste, and the one argument of a Type
};

// One entity of an instance: its name and its attributes.
struct Partie {
    std::string nom;
    std::vector<Param> params;
};

struct Instance {
    int id = 0;
    std::vector<Partie>
        parties; // one for a simple instance, several in file order for a complex one
    const Partie* partie(const std::string& nom) const {
        for (const auto& p : parties)
            if (p.nom == nom)
                return &p;
        return nullptr;
    }
};

struct Fichier {
    std::vector<Partie> entete;
    std::map<int, Instance> instances;
    std::vector<int> ordre; // instance numbers in file order

    const Instance& at(int id) const {
        auto it = instances.find(id);
        if (it == instances.end())
            throw std::runtime_error("no instance #" + std::to_string(id));
        return it->second;
    }
    // The instances having an entity of this name.
    std::vector<const Instance*> avec(const std::string& nom) const {
        std::vector<const Instance*> r;
        for (int id : ordre)
            if (at(id).partie(nom) != nullptr)
                r.push_back(&at(id));
        return r;
    }
};

class Lecteur {
  public:
    explicit Lecteur(const std::string& t) : t_(t) {}

    Fichier lire() {
        Fichier f;
        mot("ISO-10303-21;");
        mot("HEADER;");
        while (!essayer("ENDSEC;")) {
            f.entete.push_back(partie());
            mot(";");
        }
        mot("DATA;");
        while (!essayer("ENDSEC;")) {
            Instance ins;
            mot("#");
            ins.id = static_cast<int>(entier());
            mot("=");
            if (essayer("(")) {
                while (!essayer(")"))
                    ins.parties.push_back(partie());
            } else {
                ins.parties.push_back(partie());
            }
            mot(";");
            if (!f.instances.emplace(ins.id, ins).second)
                erreur("instance #" + std::to_string(ins.id) + " twice");
            f.ordre.push_back(ins.id);
        }
        mot("END-ISO-10303-21;");
        blancs();
        if (k_ != t_.size())
            erreur("text after the end");
        return f;
    }

  private:
    [[noreturn]] void erreur(const std::string& quoi) {
        throw std::runtime_error(quoi + " at offset " + std::to_string(k_));
    }
    void blancs() {
        for (;;) {
            while (k_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[k_])))
                ++k_;
            if (t_.compare(k_, 2, "/*") != 0)
                return;
            const std::size_t fin = t_.find("*/", k_ + 2);
            if (fin == std::string::npos)
                erreur("unterminated comment");
            k_ = fin + 2;
        }
    }
    bool essayer(const std::string& m) {
        blancs();
        if (t_.compare(k_, m.size(), m) != 0)
            return false;
        k_ += m.size();
        return true;
    }
    void mot(const std::string& m) {
        if (!essayer(m))
            erreur("'" + m + "' expected");
    }
    std::string nom() {
        blancs();
        const std::size_t d = k_;
        while (k_ < t_.size() &&
               (std::isupper(static_cast<unsigned char>(t_[k_])) ||
                std::isdigit(static_cast<unsigned char>(t_[k_])) || t_[k_] == '_'))
            ++k_;
        if (k_ == d || std::isdigit(static_cast<unsigned char>(t_[d])))
            erreur("entity name expected");
        return t_.substr(d, k_ - d);
    }
    long entier() {
        const std::size_t d = k_;
        while (k_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[k_])))
            ++k_;
        if (k_ == d)
            erreur("digits expected");
        return std::strtol(t_.substr(d, k_ - d).c_str(), nullptr, 10);
    }
    Partie partie() {
        Partie p;
        p.nom = nom();
        mot("(");
        if (!essayer(")")) {
            do
                p.params.push_back(param());
            while (essayer(","));
            mot(")");
        }
        return p;
    }
    Param param() {
        blancs();
        Param p;
        const char ch = k_ < t_.size() ? t_[k_] : '\0';
        if (ch == '(') {
            ++k_;
            p.sorte = Param::Liste;
            if (!essayer(")")) {
                do
                    p.liste.push_back(param());
                while (essayer(","));
                mot(")");
            }
        } else if (ch == '\'') {
            p.sorte = Param::Texte;
            p.texte = texte();
        } else if (ch == '#') {
            ++k_;
            p.sorte = Param::Ref;
            p.ref = static_cast<int>(entier());
        } else if (ch == '.') {
            ++k_;
            p.sorte = Param::Enum;
            p.texte = nom();
            mot(".");
        } else if (ch == '$' || ch == '*') {
            ++k_;
            p.sorte = ch == '$' ? Param::Dollar : Param::Etoile;
        } else if (ch == '+' || ch == '-' || std::isdigit(static_cast<unsigned char>(ch))) {
            nombre(p);
        } else {
            p.sorte = Param::Type;
            p.texte = nom();
            mot("(");
            p.liste.push_back(param());
            mot(")");
        }
        return p;
    }
    // An integer, or a real: digits, a point, digits, an optional exponent.
    void nombre(Param& p) {
        const std::size_t d = k_;
        if (t_[k_] == '+' || t_[k_] == '-')
            ++k_;
        entier();
        p.sorte = Param::Entier;
        if (k_ < t_.size() && t_[k_] == '.') {
            p.sorte = Param::Reel;
            ++k_;
            while (k_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[k_])))
                ++k_;
            if (k_ < t_.size() && t_[k_] == 'E') {
                ++k_;
                if (t_[k_] == '+' || t_[k_] == '-')
                    ++k_;
                entier();
            }
        }
        p.reel = std::strtod(t_.substr(d, k_ - d).c_str(), nullptr);
    }
    std::string texte() {
        ++k_;
        std::string r;
        for (;;) {
            if (k_ >= t_.size())
                erreur("unterminated string");
            const char ch = t_[k_++];
            if (ch == '\'') {
                if (k_ < t_.size() && t_[k_] == '\'') {
                    r += '\'';
                    ++k_;
                    continue;
                }
                return r;
            }
            if (ch == '\\' && t_.compare(k_, 2, "X\\") == 0) {
                r += static_cast<char>(std::strtol(t_.substr(k_ + 2, 2).c_str(), nullptr, 16));
                k_ += 4;
            } else if (ch == '\\' && k_ < t_.size() && t_[k_] == '\\') {
                r += '\\';
                ++k_;
            } else if (static_cast<unsigned char>(ch) < 0x20 ||
                       static_cast<unsigned char>(ch) > 0x7E) {
                erreur("character outside the exchange alphabet");
            } else {
                r += ch;
            }
        }
    }

    const std::string& t_;
    std::size_t k_ = 0;
};

inline Fichier lire(const std::string& texte) {
    return Lecteur(texte).lire();
}

// A rational B-spline surface as read from a complex instance.
struct SurfaceLue {
    int degreU = 0, degreV = 0;
    std::vector<double> noeudsU, noeudsV; // expanded by their multiplicities
    std::vector<std::vector<std::array<double, 3>>> points;
    std::vector<std::vector<double>> poids;
    bool fermeeU = false, fermeeV = false;
    std::string nom;

    // The rational point at (u, v), from the basis functions of the knots.
    std::array<double, 3> point(double u, double v) const {
        const std::vector<double> bu = bases(noeudsU, degreU, points.size(), u);
        const std::vector<double> bv = bases(noeudsV, degreV, points[0].size(), v);
        double n[3] = {0, 0, 0}, d = 0;
        for (std::size_t i = 0; i < bu.size(); ++i)
            for (std::size_t j = 0; j < bv.size(); ++j) {
                const double c = bu[i] * bv[j] * poids[i][j];
                for (int k = 0; k < 3; ++k)
                    n[k] += c * points[i][j][static_cast<std::size_t>(k)];
                d += c;
            }
        return {n[0] / d, n[1] / d, n[2] / d};
    }

    // Cox-de Boor: the nb basis functions of degree p at t (the last span
    // is closed on the right).
    static std::vector<double> bases(const std::vector<double>& U, int p, std::size_t nb,
                                     double t) {
        std::vector<double> N(U.size() - 1, 0.0);
        for (std::size_t i = 0; i + 1 < U.size(); ++i)
            if ((U[i] <= t && t < U[i + 1]) || (t == U.back() && U[i] < t && U[i + 1] == t))
                N[i] = 1;
        for (int q = 1; q <= p; ++q)
            for (std::size_t i = 0; i + static_cast<std::size_t>(q) + 1 < U.size(); ++i) {
                const std::size_t qq = static_cast<std::size_t>(q);
                const double g = U[i + qq] > U[i] ? (t - U[i]) / (U[i + qq] - U[i]) * N[i] : 0;
                const double dr = U[i + qq + 1] > U[i + 1]
                                      ? (U[i + qq + 1] - t) / (U[i + qq + 1] - U[i + 1]) * N[i + 1]
                                      : 0;
                N[i] = g + dr;
            }
        N.resize(nb);
        return N;
    }
};

inline std::vector<double> deplier(const Param& multiplicites, const Param& noeuds) {
    std::vector<double> r;
    for (std::size_t k = 0; k < noeuds.liste.size(); ++k)
        for (int m = 0; m < static_cast<int>(multiplicites.liste.at(k).reel); ++m)
            r.push_back(noeuds.liste[k].reel);
    return r;
}

// The surface of a complex B_SPLINE_SURFACE instance; throws when a part
// is missing or the counts disagree.
inline SurfaceLue surface(const Fichier& f, const Instance& ins) {
    const Partie* bs = ins.partie("B_SPLINE_SURFACE");
    const Partie* k = ins.partie("B_SPLINE_SURFACE_WITH_KNOTS");
    const Partie* r = ins.partie("RATIONAL_B_SPLINE_SURFACE");
    const Partie* ri = ins.partie("REPRESENTATION_ITEM");
    if (bs == nullptr || k == nullptr || r == nullptr || ri == nullptr)
        throw std::runtime_error("incomplete rational B-spline surface #" + std::to_string(ins.id));
    SurfaceLue s;
    s.nom = ri->params.at(0).texte;
    s.degreU = static_cast<int>(bs->params.at(0).reel);
    s.degreV = static_cast<int>(bs->params.at(1).reel);
    for (const Param& ligne : bs->params.at(2).liste) {
        s.points.emplace_back();
        for (const Param& ref : ligne.liste) {
            const Partie& cp = f.at(ref.ref).parties.at(0);
            if (cp.nom != "CARTESIAN_POINT")
                throw std::runtime_error("control point is " + cp.nom);
            const auto& c = cp.params.at(1).liste;
            s.points.back().push_back({c.at(0).reel, c.at(1).reel, c.at(2).reel});
        }
    }
    s.fermeeU = bs->params.at(4).texte == "T";
    s.fermeeV = bs->params.at(5).texte == "T";
    s.noeudsU = deplier(k->params.at(0), k->params.at(2));
    s.noeudsV = deplier(k->params.at(1), k->params.at(3));
    for (const Param& ligne : r->params.at(0).liste) {
        s.poids.emplace_back();
        for (const Param& w : ligne.liste)
            s.poids.back().push_back(w.reel);
    }
    const std::size_t nu = s.points.size(), nv = s.points.at(0).size();
    if (s.noeudsU.size() != nu + static_cast<std::size_t>(s.degreU) + 1 ||
        s.noeudsV.size() != nv + static_cast<std::size_t>(s.degreV) + 1 || s.poids.size() != nu ||
        s.poids[0].size() != nv)
        throw std::runtime_error("inconsistent counts in #" + std::to_string(ins.id));
    return s;
}

} // namespace step

#endif
