// Conversions: the module's convert, convert_net and convert_batch. Each
// builds the scene the converter builds for the same numbers and gives the
// converter's JSON object as a dict, whatever the verdict; the batch runs
// on the batch engine's ordered map with the interpreter's lock released,
// stops on Ctrl-C, and answers a bad row with the error row of --lot. The
// core's diagnostic lines come back as RuntimeWarning.
#ifndef CYCLIDE_PYTHON_CONVERSIONS_H
#define CYCLIDE_PYTHON_CONVERSIONS_H

#include <pybind11/pybind11.h>

#include <string>

namespace cyclide {

// In: the seven parameters (theta00, theta02, theta20, theta22, radius,
// z11, p10) as any array-like of real numbers; the plane "z" or "y".
// Out: the dict of `cyclide-conv --json` for these parameters.
// Degenerate: TypeError for numbers that are not real; ValueError for
// another count, a non-finite parameter (named) or another plane.
pybind11::object convertir(const pybind11::handle& parametres, const std::string& plan);

// In: a net (9, 4) or (3, 3, 4) of x, y, z, w, row by row P00 P01 P02 P10
// ... P22; the relative tolerance; the plane.
// Out: the dict of `cyclide-conv --carreau - --json` for this net, a
// refused net's included (code 0 with the reason).
// Degenerate: TypeError for numbers that are not real; ValueError for
// another shape, a non-finite number (its row named), a tolerance that is
// not finite and positive, another plane.
pybind11::object convertirReseau(const pybind11::handle& net, double tolerance,
                                 const std::string& plan);

// In: an (N, 7) array of parameter sets, or an (N, 9, 4) or (N, 3, 3, 4)
// array of nets; the nets' tolerance; the plane; the thread count (0: one
// per core); colonnes for the columnar form.
// Out: the list of the N dicts convert (convert_net) gives, in input
// order, where a row with a non-finite number gives the error row of
// --lot ({"input": {"source": "batch", "line": k + 1}, "error": ...});
// or, with colonnes, a dict of numpy arrays of N rows (see the module's
// doc).
// Degenerate: TypeError, ValueError as convert for the whole array's
// kind, shape and options; KeyboardInterrupt when Ctrl-C stops the batch.
pybind11::object convertirLot(const pybind11::handle& lot, double tolerance,
                              const std::string& plan, int fils, bool colonnes);

} // namespace cyclide

#endif
