#include "DictJson.h"

#include <charconv>
#include <stdexcept>
#include <string>
#include <vector>

namespace cyclide {

namespace py = pybind11;

namespace {

// Reads one JSON value into tokens: numbers parsed, strings unescaped.
class LecteurJson {
  public:
    LecteurJson(std::string_view texte, JetonsJson& jetons) : t_(texte), j_(jetons) {}

    void valeur() {
        blancs();
        if (k_ >= t_.size())
            echec();
        switch (t_[k_]) {
        case '{':
            return objet();
        case '[':
            return tableau();
        case '"':
            return chaine(JetonJson::Sorte::Chaine);
        case 't':
            return mot("true", JetonJson::Sorte::Vrai);
        case 'f':
            return mot("false", JetonJson::Sorte::Faux);
        case 'n':
            return mot("null", JetonJson::Sorte::Nul);
        default:
            return nombre();
        }
    }

    // Nothing but white space after the value.
    void fin() {
        blancs();
        if (k_ != t_.size())
            echec();
    }

  private:
    std::string_view t_;
    JetonsJson& j_;
    std::size_t k_ = 0;

    [[noreturn]] void echec() const {
        throw std::invalid_argument("JSON illisible a l'octet " + std::to_string(k_));
    }

    void ajouter(JetonJson::Sorte sorte) { j_.jetons.push_back({sorte, 0, 0, 0}); }

    void blancs() {
        while (k_ < t_.size() &&
               (t_[k_] == ' ' || t_[k_] == '\n' || t_[k_] == '\r' || t_[k_] == '\t'))
            ++k_;
    }

    void attendre(char ch) {
        blancs();
        if (k_ >= t_.size() || t_[k_] != ch)
            echec();
        ++k_;
    }

    // True (and the character taken) when the next character is ch.
    bool prendre(char ch) {
        blancs();
        if (k_ < t_.size() && t_[k_] == ch) {
            ++k_;
            return true;
        }
        return false;
    }

    void mot(std::string_view m, JetonJson::Sorte sorte) {
        if (t_.substr(k_, m.size()) != m)
            echec();
        k_ += m.size();
        ajouter(sorte);
    }

    void objet() {
        ++k_;
        ajouter(JetonJson::Sorte::Objet);
        if (!prendre('}')) {
            do {
                blancs();
                if (k_ >= t_.size() || t_[k_] != '"')
                    echec();
                chaine(JetonJson::Sorte::Cle);
                attendre(':');
                valeur();
            } while (prendre(','));
            attendre('}');
        }
        ajouter(JetonJson::Sorte::Fin);
    }

    void tableau() {
        ++k_;
        ajouter(JetonJson::Sorte::Tableau);
        if (!prendre(']')) {
            do
                valeur();
            while (prendre(','));
            attendre(']');
        }
        ajouter(JetonJson::Sorte::Fin);
    }

    // Four hexadecimal digits after \u.
    unsigned hex4() {
        unsigned v = 0;
        if (k_ + 4 > t_.size() ||
            std::from_chars(t_.data() + k_, t_.data() + k_ + 4, v, 16).ptr != t_.data() + k_ + 4)
            echec();
        k_ += 4;
        return v;
    }

    static void utf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // The code point of an escape \uXXXX (a surrogate pair taken whole).
    unsigned pointCode() {
        unsigned code = hex4();
        if (code >= 0xD800 && code < 0xDC00 && t_.substr(k_, 2) == "\\u") {
            k_ += 2;
            const unsigned bas = hex4();
            if (bas < 0xDC00 || bas > 0xDFFF)
                echec();
            code = 0x10000 + ((code - 0xD800) << 10) + (bas - 0xDC00);
        }
        return code;
    }

    // A string with its escapes undone, appended to the pool.
    void chaine(JetonJson::Sorte sorte) {
        ++k_;
        std::string& out = j_.textes;
        const std::size_t debut = out.size();
        while (k_ < t_.size() && t_[k_] != '"') {
            const char ch = t_[k_++];
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (k_ >= t_.size())
                echec();
            const char e = t_[k_++];
            const char* const simples = "\"\\/bfnrt";
            const char* const valeurs = "\"\\/\b\f\n\r\t";
            const char* p = std::char_traits<char>::find(simples, 8, e);
            if (p != nullptr)
                out += valeurs[p - simples];
            else if (e == 'u')
                utf8(out, pointCode());
            else
                echec();
        }
        if (k_ >= t_.size())
            echec();
        ++k_;
        j_.jetons.push_back({sorte, 0, debut, out.size() - debut});
    }

    // A number: an integer when it has neither fraction nor exponent and
    // fits in 64 bits, its digits kept when it does not; a real otherwise.
    void nombre() {
        const std::size_t debut = k_;
        bool entier = true;
        while (k_ < t_.size()) {
            const char ch = t_[k_];
            if (ch == '.' || ch == 'e' || ch == 'E')
                entier = false;
            else if (!(ch == '-' || ch == '+' || (ch >= '0' && ch <= '9')))
                break;
            ++k_;
        }
        const char* d = t_.data() + debut;
        const char* f = t_.data() + k_;
        if (d == f)
            echec();
        JetonJson jeton{JetonJson::Sorte::Reel, 0, 0, 0};
        if (entier) {
            long long v = 0;
            const auto r = std::from_chars(d, f, v);
            if (r.ptr == f && r.ec == std::errc()) {
                jeton.sorte = JetonJson::Sorte::Entier;
                jeton.entier = v;
            } else {
                jeton.sorte = JetonJson::Sorte::GrandEntier;
                jeton.debut = j_.textes.size();
                jeton.longueur = k_ - debut;
                j_.textes.append(d, f);
            }
        } else if (std::from_chars(d, f, jeton.reel).ptr != f) {
            echec();
        }
        j_.jetons.push_back(jeton);
    }
};

// Builds the Python value of the tokens; keys are reused from one value to
// the next by their rank (the converter's objects have the same keys in
// the same order).
class BatisseurPython {
  public:
    explicit BatisseurPython(const JetonsJson& j) : j_(j) {}

    py::object valeur() {
        const JetonJson& t = j_.jetons[k_++];
        switch (t.sorte) {
        case JetonJson::Sorte::Objet:
            return objet();
        case JetonJson::Sorte::Tableau:
            return tableau();
        case JetonJson::Sorte::Chaine:
            return py::reinterpret_steal<py::object>(texte(t));
        case JetonJson::Sorte::Entier:
            return py::reinterpret_steal<py::object>(PyLong_FromLongLong(t.entier));
        case JetonJson::Sorte::GrandEntier: {
            const std::string chiffres = j_.textes.substr(t.debut, t.longueur);
            return verifie(PyLong_FromString(chiffres.c_str(), nullptr, 10));
        }
        case JetonJson::Sorte::Reel:
            return py::reinterpret_steal<py::object>(PyFloat_FromDouble(t.reel));
        case JetonJson::Sorte::Vrai:
            return py::bool_(true);
        case JetonJson::Sorte::Faux:
            return py::bool_(false);
        default:
            return py::none();
        }
    }

  private:
    const JetonsJson& j_;
    std::size_t k_ = 0;
    std::size_t rangCle_ = 0;

    static py::object verifie(PyObject* o) {
        if (o == nullptr)
            throw py::error_already_set();
        return py::reinterpret_steal<py::object>(o);
    }

    PyObject* texte(const JetonJson& t) const {
        PyObject* s = PyUnicode_DecodeUTF8(j_.textes.data() + t.debut,
                                           static_cast<Py_ssize_t>(t.longueur), "surrogatepass");
        if (s == nullptr)
            throw py::error_already_set();
        return s;
    }

    // The key of rank rangCle_: the cached str when its text is the same.
    py::object cle(const JetonJson& t) {
        static std::vector<std::pair<std::string, PyObject*>>* const cache =
            new std::vector<std::pair<std::string, PyObject*>>();
        const std::string_view nom(j_.textes.data() + t.debut, t.longueur);
        const std::size_t rang = rangCle_++;
        if (rang < cache->size() && (*cache)[rang].first == nom)
            return py::reinterpret_borrow<py::object>((*cache)[rang].second);
        PyObject* s = texte(t);
        PyUnicode_InternInPlace(&s);
        if (rang >= cache->size())
            cache->resize(rang + 1, {std::string(), nullptr});
        Py_XDECREF((*cache)[rang].second);
        Py_INCREF(s);
        (*cache)[rang] = {std::string(nom), s};
        return py::reinterpret_steal<py::object>(s);
    }

    py::object objet() {
        py::dict d;
        while (j_.jetons[k_].sorte != JetonJson::Sorte::Fin) {
            const py::object nom = cle(j_.jetons[k_++]);
            const py::object v = valeur();
            if (PyDict_SetItem(d.ptr(), nom.ptr(), v.ptr()) != 0)
                throw py::error_already_set();
        }
        ++k_;
        return std::move(d);
    }

    py::object tableau() {
        py::list l;
        while (j_.jetons[k_].sorte != JetonJson::Sorte::Fin) {
            const py::object v = valeur();
            if (PyList_Append(l.ptr(), v.ptr()) != 0)
                throw py::error_already_set();
        }
        ++k_;
        return std::move(l);
    }
};

} // namespace

JetonsJson jetonsJson(std::string_view texte) {
    JetonsJson jetons;
    jetons.jetons.reserve(256);
    LecteurJson lecteur(texte, jetons);
    lecteur.valeur();
    lecteur.fin();
    return jetons;
}

py::object valeurJetons(const JetonsJson& jetons) {
    return BatisseurPython(jetons).valeur();
}

py::object valeurJson(std::string_view texte) {
    try {
        return valeurJetons(jetonsJson(texte));
    } catch (const std::invalid_argument& e) {
        throw py::value_error(e.what());
    }
}

} // namespace cyclide
