// The Python module cyclide: the converter's conversions (Conversions),
// its exports and the net tools (Exports), declared with their signatures
// and documentation. Each docstring opens with the function's signature in
// the form inspect.signature reads, then an example.
#include "Conversions.h"
#include "Exports.h"
#include "LectureCao.h"
#include "conversion/VerdictConversion.h"

#include <pybind11/pybind11.h>

namespace py = pybind11;
using namespace cyclide;

namespace {

const char* const DOC_MODULE =
    R"(Conversion of rational biquadratic Bezier patches into Dupin cyclide patches.

The functions give what the converter cyclide-conv gives for the same numbers:
convert, convert_net and convert_batch return its --json object as a dict
(code 0 with its reason when no cyclide carries the patch), write_step and
write_obj write its files. Malformed input raises TypeError (numbers that are
not real) or ValueError (shape, non-finite number, option out of range).
The core's diagnostic lines come as RuntimeWarning.

>>> import cyclide
>>> cyclide.convert([0, 1.5707963267948966, -1.0471975511965976,
...                  3.141592653589793, 4, 8, -7.982])["kind"]
'ring'
)";

const char* const DOC_CONVERT = R"(convert(parameters, plane='z')
--

The dict of 'cyclide-conv --json' for seven parameters (theta00, theta02,
theta20, theta22, radius, z11, p10; angles in radians) and the auxiliary
plane 'z' or 'y'.

>>> r = cyclide.convert([0, 1.5707963267948966, -1.0471975511965976,
...                      3.141592653589793, 4, 8, -7.982])
>>> r["code"], r["kind"]
(1, 'ring')
)";

const char* const DOC_CONVERT_NET = R"(convert_net(net, tolerance=1e-06, plane='z')
--

The dict of 'cyclide-conv --carreau - --json' for a (9, 4) or (3, 3, 4)
net of x, y, z, w (row by row P00 P01 P02 P10 ... P22), with the relative
tolerance of its boundaries and residual. A net the converter refuses gives
code 0 and the reason, as the converter's object does.

>>> net = cyclide.piece_net(5, 2, 3, (0.2, 1.5), (-0.4, 1.0))
>>> cyclide.convert_net(net)["kind"]
'ring'
)";

const char* const DOC_CONVERT_BATCH =
    R"(convert_batch(sets, tolerance=1e-06, plane='z', threads=0, as_arrays=False)
--

Converts an (N, 7) array of parameter sets, or an (N, 9, 4) or
(N, 3, 3, 4) array of nets, on several threads (0: one per core) with the
interpreter's lock released; Ctrl-C stops it (KeyboardInterrupt).

Gives the list of the N dicts convert (convert_net) gives, in input order.
A row with a non-finite number gives the error row of 'cyclide-conv --lot',
{'input': {'source': 'batch', 'line': k + 1}, 'error': 'line k + 1: ...'},
and the batch goes on.

With as_arrays=True, a dict of numpy arrays of N rows instead: type, code
(int8, -1 for an error row), a, b, c, mu, residual, uncertainty (float64,
NaN where the JSON has null), centre (N, 3), frame (N, 3, 3, axes as rows),
piece (N, 4: u0, u1, v0, v1), admitted_mask (uint8, bit k for code k),
and errors, a dict {row: message} of the error rows.

>>> import numpy as np
>>> sets = np.tile([0, 1.5707963267948966, -1.0471975511965976,
...                 3.141592653589793, 4, 8, -7.982], (3, 1))
>>> [r["kind"] for r in cyclide.convert_batch(sets)]
['ring', 'ring', 'ring']
>>> cyclide.convert_batch(sets, as_arrays=True)["code"]
array([1, 1, 1], dtype=int8)
)";

const char* const DOC_PIECE_NET = R"(piece_net(a, c, mu, theta, psi, centre=None, frame=None)
--

The exact (3, 3, 4) net of the piece theta x psi (each a pair of angles,
span below pi) of the cyclide (a, c, mu) placed at centre (default the
origin) with the frame's axes as rows (orthonormal and direct, default the
identity), as a result's 'cyclide' gives them.

>>> net = cyclide.piece_net(5, 2, 3, (0.2, 1.5), (-0.4, 1.0))
>>> net.shape
(3, 3, 4)
)";

const char* const DOC_SAMPLE = R"(sample(net, n)
--

The (n, n, 3) points of the patch at u = i / (n - 1), v = j / (n - 1), for
plotting; computed with the interpreter's lock released.

>>> cyclide.sample(cyclide.piece_net(5, 2, 3, (0.2, 1.5), (-0.4, 1.0)), 10).shape
(10, 10, 3)
)";

const char* const DOC_READ_CAD = R"(read_cad(path, tolerance=1e-06, plane='z')

The rows of a STEP or IGES file (path: str, bytes or os.PathLike; .step,
.stp, .iges or .igs), in the file's order, each the dict json.loads gives
for the line 'cyclide-conv --carreau FILE --json' prints: a converted patch
(input.source 'cad', with its face, entity, patch and surface), or a face
without patch ('face_status' 'skipped' or 'limit', and 'reason'). The file
is read by the program cyclide-cao in a child process under time and
memory limits. Raises OSError for a missing file, a directory, a named
pipe, a device or an unreadable file; ValueError for a file that is not
STEP or IGES, is damaged (truncated, dangling references), or that stops
the reader.
)";

const char* const DOC_WRITE_STEP = R"(write_step(result, path)
--

Writes the STEP file 'cyclide-conv --step' writes for the result dict (the
patch alone when its code is 0) to path (str, bytes or os.PathLike; '-' or
a name of the standard output appends to it), through the same safe writer:
the old file stays whole if the writing fails. Gives back the notices
(surfaces left out).

>>> cyclide.write_step(cyclide.convert([0, 1.5707963267948966,
...     -1.0471975511965976, 3.141592653589793, 4, 8, -7.982]), "ring.step")
[]
)";

const char* const DOC_WRITE_OBJ = R"(write_obj(result, path)
--

Writes the OBJ file 'cyclide-conv --obj' writes for the result dict, as
write_step does. Gives back the notices (groups left out).

>>> cyclide.write_obj(cyclide.convert([0, 1.5707963267948966,
...     -1.0471975511965976, 3.141592653589793, 4, 8, -7.982]), "ring.obj")
[]
)";

// The frame of piece_net: None for the identity.
py::array_t<double> reseauMorceauPython(double a, double c, double mu, const py::handle& theta,
                                        const py::handle& psi, const py::object& centre,
                                        const py::object& repere) {
    const py::object origine = py::make_tuple(0.0, 0.0, 0.0);
    return reseauMorceau(a, c, mu, theta, psi, centre.is_none() ? origine : centre,
                         repere.is_none() ? py::object(identite()) : repere);
}

} // namespace

PYBIND11_MODULE(cyclide, m) {
    py::options options;
    options.disable_function_signatures(); // each docstring opens with its own
    m.doc() = DOC_MODULE;
    m.attr("__version__") = CYCLIDE_VERSION;
    m.def("convert", &convertir, py::arg("parameters"), py::arg("plane") = "z", DOC_CONVERT);
    m.def("convert_net", &convertirReseau, py::arg("net"), py::arg("tolerance") = TOLERANCE_CARREAU,
          py::arg("plane") = "z", DOC_CONVERT_NET);
    m.def("convert_batch", &convertirLot, py::arg("sets"), py::arg("tolerance") = TOLERANCE_CARREAU,
          py::arg("plane") = "z", py::arg("threads") = 0, py::arg("as_arrays") = false,
          DOC_CONVERT_BATCH);
    m.def("piece_net", &reseauMorceauPython, py::arg("a"), py::arg("c"), py::arg("mu"),
          py::arg("theta"), py::arg("psi"), py::arg("centre") = py::none(),
          py::arg("frame") = py::none(), DOC_PIECE_NET);
    m.def("sample", &echantillons, py::arg("net"), py::arg("n"), DOC_SAMPLE);
    m.def("read_cad", &lireCao, py::arg("path"), py::arg("tolerance") = TOLERANCE_CARREAU,
          py::arg("plane") = "z", DOC_READ_CAD);
    m.def("write_step", &ecrireStep, py::arg("result"), py::arg("path"), DOC_WRITE_STEP);
    m.def("write_obj", &ecrireObj, py::arg("result"), py::arg("path"), DOC_WRITE_OBJ);
}
