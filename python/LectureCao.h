// LectureCao: read_cad, the rows of a STEP or IGES file as the converter's
// --carreau FILE --json gives them, read by cyclide-cao in a child process
// (the module never loads Open CASCADE).
#ifndef CYCLIDE_PYTHON_LECTURECAO_H
#define CYCLIDE_PYTHON_LECTURECAO_H

#include <pybind11/pybind11.h>

#include <string>

namespace cyclide {

// In: a path (str, bytes or os.PathLike), the tolerance of the nets, the
// plane.
// Out: one dict per row, in the file's order, each what json.loads gives
// for the converter's line. Raises OSError for a path that is missing, not
// a regular file or unreadable; ValueError for a file that is not STEP or
// IGES, is damaged, or stops the reader (a crash, a limit).
pybind11::list lireCao(const pybind11::handle& chemin, double tolerance, const std::string& plan);

} // namespace cyclide

#endif
