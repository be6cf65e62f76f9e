// DictJson: the Python value of one JSON text, built directly with the
// interpreter's C interface: objects become dicts (keys in text order),
// arrays lists, strings str, true/false/null True/False/None, a number
// without fraction or exponent an int and any other number a float
// (correctly rounded), exactly as json.loads reads the same text. Faster
// than json.loads because the keys of the converter's objects are made once
// and reused.
#ifndef DICT_JSON_H
#define DICT_JSON_H

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>
#include <vector>

namespace cyclide {

// One token of a JSON text: the opening of an object or an array, its end,
// a key, a string, a number, a literal. Texts are in the pool of their
// JetonsJson.
struct JetonJson {
    enum class Sorte {
        Objet,
        Tableau,
        Fin,
        Cle,
        Chaine,
        Entier,
        GrandEntier,
        Reel,
        Vrai,
        Faux,
        Nul
    };
    Sorte sorte;
    union {
        long long entier; // Entier
        double reel;      // Reel
    };
    std::size_t debut;    // Cle, Chaine, GrandEntier: where the text starts in the pool
    std::size_t longueur; // and its length in bytes
};

// The tokens of one JSON value, read without the interpreter.
struct JetonsJson {
    std::vector<JetonJson> jetons;
    std::string textes; // unescaped strings and keys, UTF-8, one after the other
};

// In: one JSON value (nothing after it but white space). No lock needed.
// Out: its tokens, numbers already read (correctly rounded).
// Degenerate: a text that is not JSON throws std::invalid_argument naming
// the byte offset where reading stopped.
JetonsJson jetonsJson(std::string_view texte);

// In: the tokens of one value. The interpreter's lock must be held.
// Out: the new Python value.
pybind11::object valeurJetons(const JetonsJson& jetons);

// In: one JSON value (the converter's output: no text after the value but
// white space). The interpreter's lock must be held.
// Out: the new Python value.
// Degenerate: a text that is not JSON raises ValueError naming the byte
// offset where reading stopped.
pybind11::object valeurJson(std::string_view texte);

} // namespace cyclide

#endif
