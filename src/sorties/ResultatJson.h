// ResultatJson: the result of one conversion as one JSON object on one line,
// with English keys, for scripts; and the number and text forms it uses,
// shared by the batch's CSV rows.
#ifndef CYCLIDE_SORTIES_RESULTATJSON_H
#define CYCLIDE_SORTIES_RESULTATJSON_H

#include "fichiers/LecteurCao.h"
#include "scene/Scene.h"
#include "sorties/SchemaResultat.h"

#include <string>

namespace cyclide {

// Appends the shortest text that reads back as exactly v (round trip),
// e.g. "0.1", "-7.982", "1e+20"; "null" for a NaN or an infinity.
// Gives back false when it wrote "null".
bool ajouterNombre(std::string& out, double v);

// Appends texte as a JSON string (quotes, escapes for the quote, the
// backslash and control characters). The bytes of a text in ISO 8859-1 (the
// console texts) are written as UTF-8; with latin1 false, a text that is
// already valid UTF-8 (a file name) is copied, any other is read as
// ISO 8859-1.
void ajouterTexteJson(std::string& out, const std::string& texte, bool latin1 = true);

// Appends the JSON object of the scene, keys in this order: input, plane,
// type, code, kind, message, net, cyclide, piece, residual, and reason when
// the patch is not convertible or a number is not finite. The input of a net
// given directly is {"source":"net","file":NAME} (no parameters). For code 0
// the reason is the scene's own (in French, raison), and residual is the
// best reading's whenever one was tried (type not 0). Non-finite numbers are
// written as null and named in the reason (in English). No line end is added.
void ajouterResultatJson(std::string& out, const Scene& s, const OrigineEntree& origine);

// Appends the error row of batch line ligne (ecrireErreurLot). No line
// end is added.
void ajouterErreurLotJson(std::string& out, long ligne, const std::string& erreur);

// The same as a new string.
std::string resultatJson(const Scene& s, const OrigineEntree& origine);

// In: a row of a CAD file, its scene (Carreau rows), the file's name.
// Out: its JSON object, no line end. A patch: resultatJson's object for a
// net, whose input also names the face, its entity, the patch and the
// surface's kind: {"source":"cad","file":NAME,"face":F,"entity":E,
// "patch":[I,J],"surface":KIND}. A face without patch: the same input
// ("patch":null), then "face_status":"skipped" or "limit" and "reason".
std::string resultatJsonCao(const ElementCao& e, const Scene& s, const std::string& fichier);

} // namespace cyclide

#endif
