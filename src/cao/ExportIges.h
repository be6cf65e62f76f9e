// ExportIges: the surfaces of the STEP export (the patch, the piece of
// cyclide, the whole cyclide) as exact rational B-spline surfaces in an IGES
// file written by Open CASCADE.
#ifndef EXPORT_IGES_H
#define EXPORT_IGES_H

#include "Scene.h"
#include "SurfaceBSpline.h"

#include <string>
#include <vector>

namespace cyclide {

// The IGES text of a scene: each surface of surfacesStep as one trimmed
// face (IGES entities 144 over 128), lengths in millimetres. Gives back
// false, with raison in French, when the patch itself cannot be written.
bool texteIgesScene(const Scene& s, std::string& texte, std::vector<std::string>& notices,
                    std::string& raison);

// The whole IGES export of a scene to chemin, written through the safe
// file writer. False, with raison in French and chemin left as it was, when
// the patch cannot be written or the file cannot be.
bool exporterIges(const std::string& chemin, const Scene& s, std::vector<std::string>& notices,
                  std::string& raison);

} // namespace cyclide

#endif
