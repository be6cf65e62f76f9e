// Exports: the module's write_step and write_obj (the converter's files for
// a result dict, through the converter's output checks and the safe file
// writer), piece_net (the exact net of a piece of cyclide) and sample
// (points of a patch, for plotting).
#ifndef CYCLIDE_PYTHON_EXPORTS_H
#define CYCLIDE_PYTHON_EXPORTS_H

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

namespace cyclide {

// In: a result dict of convert, convert_net or convert_batch; a path (str,
// bytes, os.PathLike; "-" and every name of the standard output write to
// it, appended, as the converter does).
// Out: the STEP file the converter's --step writes for the same result
// (the patch alone for code 0); the list of notices (surfaces left out).
// Degenerate: ValueError for a malformed dict, a path holding a NUL byte, a
// path that cannot be written (the old file left as it was), a patch that
// cannot be written exactly.
pybind11::list ecrireStep(const pybind11::dict& resultat, const pybind11::handle& chemin);

// The same for the OBJ file of the converter's --obj.
pybind11::list ecrireObj(const pybind11::dict& resultat, const pybind11::handle& chemin);

// In: the cyclide a, c, mu; theta = (u0, u1), psi = (v0, v1) in radians,
// each span below pi; the centre; the frame, three axes as rows (the
// result's "frame"), orthonormal and direct.
// Out: the exact (3, 3, 4) net of the piece in world coordinates (i along
// theta, j along psi): a frame point q is the world point centre + q0
// axis0 + q1 axis1 + q2 axis2.
// Degenerate: ValueError for a span not below pi, |c| > |a|, a non-finite
// number, a frame that is not orthonormal and direct, a zero weight, a net
// whose numbers are not all finite.
pybind11::array_t<double> reseauMorceau(double a, double c, double mu,
                                        const pybind11::handle& theta, const pybind11::handle& psi,
                                        const pybind11::handle& centre,
                                        const pybind11::handle& repere);

// In: a net (9, 4) or (3, 3, 4), n >= 2.
// Out: the (n, n, 3) points of the patch at u = i / (n - 1),
// v = j / (n - 1), computed with the interpreter's lock released.
// Degenerate: ValueError for n < 2 or a non-finite number of the net.
pybind11::array_t<double> echantillons(const pybind11::handle& net, int n);

// The 3 x 3 identity, the default frame of piece_net.
pybind11::array_t<double> identite();

} // namespace cyclide

#endif
