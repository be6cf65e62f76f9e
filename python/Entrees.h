// Entrees: what the module's functions take from Python, checked before
// any conversion: arrays of real numbers of an expected shape (TypeError
// for any other kind of value, ValueError for a shape, naming what was
// expected, or for a non-finite number, naming its row), the plane, the
// tolerance, the thread count and paths (str, bytes or os.PathLike).
#ifndef CYCLIDE_PYTHON_ENTREES_H
#define CYCLIDE_PYTHON_ENTREES_H

#include "conversion/PlanConversion.h"

#include <pybind11/pybind11.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace cyclide {

// Raises ValueError (TypeError) with a reason written in ISO 8859-1 (the
// tool's console texts), decoded as such.
[[noreturn]] void refuser(const std::string& raison);
[[noreturn]] void refuserType(const std::string& raison);

// The numbers of an array, in C order, with its shape.
struct Nombres {
    std::vector<double> valeurs;          // every number, as a double
    std::vector<pybind11::ssize_t> forme; // the array's shape
};

// In: anything numpy.asarray takes; quoi names it in the reasons.
// Out: its numbers as doubles. An integer is converted; a float32 or
// float16 number is read as the shortest decimal text that gives it back
// (the number it prints as), the way the converter reads that text in a
// file, so that an array of float32 and a text of 7 or 8 digits give the
// same net.
// Degenerate: TypeError for an array whose numbers are not real (complex,
// bool, str, bytes, object, dates).
Nombres nombresDe(const pybind11::handle& o, const char* quoi);

// True when the shape is forme.
bool formeEst(const Nombres& n, std::initializer_list<pybind11::ssize_t> forme);

// The text of a number as a batch line would hold it ("nan", "inf",
// "-inf" for those).
std::string texteNombre(double v);

// The index of the first number of v[0..n) that is not finite; n when
// all are.
std::size_t premierNonFini(const double* v, std::size_t n);

// Refuses the seven parameters of a set unless each is finite, naming the
// first that is not.
void exigerParametresFinis(const double* v);

// Refuses the 36 numbers of a net unless each is finite, naming the first
// that is not by its row (P00 ... P22) and coordinate.
void exigerReseauFini(const double* v);

// The plane of "z" (PlanConversion::Pz) or "y"; ValueError otherwise.
PlanConversion planDuNom(const std::string& plan);

// tolerance when it is finite and positive; ValueError otherwise.
double toleranceValide(double tolerance);

// fils when it is 0 (one per core) to 256; ValueError otherwise.
int filsValides(int fils);

// The bytes of a path given as str, bytes or os.PathLike (str encoded as
// the file system encodes names).
// Degenerate: TypeError for anything else, ValueError for a NUL byte.
std::string cheminDe(const pybind11::handle& o);

} // namespace cyclide

#endif
