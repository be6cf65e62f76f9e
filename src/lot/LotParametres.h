// LotParametres: conversion of many parameter sets or nets in one run, for
// scripts. The lines of a batch and their rows (LigneLot.cpp); the whole
// batch (LotParametres.cpp): the input is read in chunks of lines, the
// chunks are converted on the ordered parallel map (CarteOrdonnee) and
// their rows are written in input order, whole lines at a time, so that a
// process killed at any moment leaves whole rows; the bytes in flight are
// bounded, so that memory stays small whatever the input's length, its
// lines' length and the number of threads. Rows are written as soon as the
// input has no further line ready, so that a script that sends one line and
// waits gets its row.
#ifndef CYCLIDE_LOT_LOTPARAMETRES_H
#define CYCLIDE_LOT_LOTPARAMETRES_H

#include "scene/Scene.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace cyclide {

// Longest line accepted, in bytes (without its line end); a longer line is
// an error row and is never collected whole.
const std::size_t LONGUEUR_LIGNE_LOT_MAX = 4096;

// Bytes of input text and of rows held by the chunks in flight, at most
// (a chunk already started is finished): memory stays well under 100 MB.
const std::size_t OCTETS_EN_COURS_MAX = std::size_t{32} << 20;

struct OptionsLot {
    PlanConversion plan = PlanConversion::Pz; // auxiliary plane of the conversion
    double tolerance = TOLERANCE_CARREAU;     // relative tolerance for the nets of the batch
    bool csv = false;                         // CSV rows (with a header) instead of JSON Lines
    int fils = 0;                             // worker threads; 0: one per core
    int lignesParBloc = 1024;                 // lines of a chunk, at most
    // Set from any thread to stop the batch between lines (the rows written
    // so far are whole rows); may be null.
    const std::atomic<bool>* annulation = nullptr;
    bool progression = false;            // a progress line on the standard error
    unsigned long long tailleEntree = 0; // bytes of the input when known, for the progress
    // Called on the calling thread after each chunk's rows are written (the
    // converter passes on the core's diagnostic lines there); may be empty.
    std::function<void()> apresBloc;
};

// What one input line holds.
enum class SorteLigne { Vide, Parametres, Reseau, Erreur };

// One input line read.
struct LigneLot {
    SorteLigne sorte = SorteLigne::Vide;
    double valeurs[36] = {}; // Parametres: the first seven; Reseau: P00 x y z w, ..., P22
    std::string erreur;      // Erreur: the reason, in English
};

// Reads one line of a batch: text after '#' is a comment (except in a JSON
// object); a line of only white space (and comment) is Vide; seven numbers
// are a parameter set; 36 numbers, or a JSON object {"net": [[x,y,z,w] x
// 9]}, a net. Numbers follow the user-number rule, fields the one field
// rule of NombreTexte (white space, or commas throughout). Anything else is
// Erreur with the reason in English, the faulty text quoted and escaped.
LigneLot lireLigneLot(std::string_view ligne);

// The same for a line that must be a parameter set: a net is an Erreur.
LigneLot analyserLigneLot(std::string_view ligne);

// Why field champ (from 0) of a line is refused: its text is not a finite
// decimal number. The same words for a batch line and for a row of numbers
// given otherwise (its number's text as the line would hold it: "nan").
std::string raisonChamp(std::size_t champ, std::string_view texte);

// Appends the error row of line numero: the JSON error row of the result
// schema, or a CSV row with the reason in its last field; with its newline.
void ajouterErreurLot(std::string& sortie, long numero, const std::string& erreur, bool csv);

// Appends the row of one input line numbered numero (from 1; a UTF-8
// byte-order mark opening line 1 is skipped): nothing for a Vide line, the
// result of the conversion of a parameter set or of a net (the JSON object
// of ResultatJson, or a CSV row whose parameter fields are empty for a
// net), an error row otherwise. Each row ends with a newline. Gives back
// what the line held.
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
    int erreurSortie = 0;       // then the errno of the failed write
    bool entreeEchouee = false; // the input could not be read to its end
    int erreurEntree = 0;       // then the errno of the failed read
};

// Converts every line of entree and writes the rows to sortie in input
// order (after the CSV header when asked). Reads chunks of
// options.lignesParBloc lines, at most a few chunks per thread ahead of the
// writing. Lines longer than LONGUEUR_LIGNE_LOT_MAX are error rows. The
// progress line, when asked, appears only once the batch has run for half
// a second and is erased at the end.
BilanLot traiterLot(std::istream& entree, std::ostream& sortie, const OptionsLot& options);

// The same from the file descriptor entree (read as data comes: rows are
// written as soon as no further line is ready), writing the rows to the
// file descriptor sortie (so that the standard output can carry the rows
// while the core's diagnostic lines are sent elsewhere).
BilanLot traiterLot(int entree, int sortie, const OptionsLot& options);

// The progress line for lus bytes of total (0: unknown), lignes lines done
// after secondes seconds: a bar and a percentage when the total is known,
// the count and the rate always.
std::string ligneProgression(unsigned long long lus, unsigned long long total, long lignes,
                             double secondes);

} // namespace cyclide

#endif
