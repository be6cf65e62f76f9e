// LotParametres: conversion of many parameter sets in one run, for scripts.
// The input is read in chunks of lines, the chunks are converted on several
// threads and their rows are written in input order, so that memory stays
// bounded whatever the input's length.
#ifndef LOT_PARAMETRES_H
#define LOT_PARAMETRES_H

#include "Scene.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

// Longest line accepted, in bytes (without its line end); a longer line is
// an error row and is never collected whole.
const std::size_t LONGUEUR_LIGNE_LOT_MAX = 4096;

struct OptionsLot {
    int choix = 1;    // auxiliary plane: 1 "Plan Pz", 0 "Plan Py"
    bool csv = false; // CSV rows (with a header) instead of JSON Lines
    int fils = 0;     // worker threads; 0: one per core
    int lignesParBloc = 1024;
    bool progression = false;            // a progress line on the standard error
    unsigned long long tailleEntree = 0; // bytes of the input when known, for the progress
    // Called on the calling thread after each chunk's rows are written (the
    // converter passes on the core's diagnostic lines there); may be empty.
    std::function<void()> apresBloc;
};

// What one input line holds.
enum class SorteLigne { Vide, Parametres, Erreur };

// Reads one line of a batch: text after '#' is a comment; a line of only
// white space (and comment) is Vide; otherwise it must hold exactly seven
// numbers (the user-number rule) separated by white space or commas, read
// into valeurs; anything else is Erreur with the reason in English.
SorteLigne analyserLigneLot(std::string_view ligne, double valeurs[7], std::string& erreur);

// The input of a scene from seven numbers in parameter-file order (theta00,
// theta02, theta20, theta22, rayon, z11, P10), no example, plane choix.
EntreeScene entreeParametres(const double valeurs[7], int choix);

// Appends the row of one input line numbered numero (from 1): nothing for a
// Vide line, the result of the conversion for seven numbers (the JSON
// object of ResultatJson, or a CSV row), an error row otherwise. Each row
// ends with a newline. Gives back what the line held.
SorteLigne ajouterLigneLot(std::string& sortie, std::string_view ligne, long numero,
                           const OptionsLot& options);

// The CSV header line, with its newline.
std::string enteteCsvLot();

// How a batch went.
struct BilanLot {
    long lignes = 0;            // input lines read, blank ones included
    long resultats = 0;         // rows of converted sets
    long erreurs = 0;           // error rows
    bool sortieEchouee = false; // the rows could not all be written (reading stopped)
};

// Converts every line of entree and writes the rows to sortie in input
// order (after the CSV header when asked). Reads chunks of
// options.lignesParBloc lines, at most a few chunks per thread ahead of the
// writing. Lines longer than LONGUEUR_LIGNE_LOT_MAX are error rows. The
// progress line, when asked, appears only once the batch has run for half
// a second and is erased at the end.
BilanLot traiterLot(std::istream& entree, std::ostream& sortie, const OptionsLot& options);

// The same, writing the rows to the file descriptor descripteur (so that
// the standard output can carry the rows while the core's diagnostic lines
// are sent elsewhere).
BilanLot traiterLot(std::istream& entree, int descripteur, const OptionsLot& options);

// The progress line for lus bytes of total (0: unknown), lignes lines done
// after secondes seconds: a bar and a percentage when the total is known,
// the count and the rate always.
std::string ligneProgression(unsigned long long lus, unsigned long long total, long lignes,
                             double secondes);

#endif
