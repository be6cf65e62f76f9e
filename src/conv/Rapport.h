// The converter's modes: one conversion with its report and its exports,
// or a batch of lines.
#ifndef CYCLIDE_CONV_RAPPORT_H
#define CYCLIDE_CONV_RAPPORT_H

#include "conv/Options.h"
#include "scene/Scene.h"

#include <iostream>
#include <string>

namespace cyclide {

// The plain report of a scene: type, cyclide code and message, for code 0
// the verdict's reason, the converted record, for a cyclide the piece's
// ranges, the residual whenever a reading was tried; 17 significant digits.
// A number that is not finite is written "indefini", and a last line
// "indefini : NAMES" names the fields that hold one.
std::string rapport(const Scene& s);

// One conversion: reads the input (parameters, parameter file, example or
// net), converts it, writes the exports and prints the report (or its JSON)
// on sortie, or on the standard error when an export takes the standard
// output. In/Out: argc, argv are handed to the toolkit for the image.
// Gives back the exit status (0 for any verdict); throws ErreurConv for
// an unreadable input or a failed output.
int lancerRapport(int& argc, char** argv, const OptionsRapport& rapport,
                  const OptionsExports& exports, std::ostream& sortie = std::cout);

// A batch: every line of the file (or of the standard input) converted on
// every core, one row per line on the standard output in input order, the
// core's diagnostic lines on the standard error. Gives back 0, or
// SORTIE_LIGNES_EN_ERREUR when a line gave an error row; throws ErreurConv
// when the input cannot be read or the rows cannot be written.
int lancerLot(const OptionsLotConv& lot);

} // namespace cyclide

#endif
