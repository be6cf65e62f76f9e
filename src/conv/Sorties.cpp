#include "conv/Sorties.h"

#include "fichiers/FichierParametres.h"

#include <fcntl.h>
#include <iostream>
#include <unistd.h>
#include <vector>

namespace cyclide {

void ouvrirDescripteursStandard() {
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) < 0) {
            const int nul = ::open("/dev/null", O_RDONLY);
            if (nul >= 0 && nul != fd) {
                ::dup2(nul, fd);
                ::close(nul);
            }
        }
}

void avertir(const std::string& message) {
    ecrireTout(STDERR_FILENO, "cyclide-conv : " + message + "\n");
}

namespace {

// Resolves one output; throws when it cannot be written there.
CibleEcriture resoudre(const std::string& nom, const FluxConnus& flux, LiensDurs liens,
                       const char* quoi) {
    const Resultat<CibleEcriture> cible = resoudreCible(nom, flux, liens);
    if (!cible.ok())
        throw ErreurConv(std::string("impossible d'ecrire ") + quoi + " '" + nom +
                         "' : " + cible.raison);
    return cible.valeur;
}

// True when both outputs would be written to the same stream or file.
bool memeSortie(const CibleEcriture& a, const CibleEcriture& b) {
    if (a.genre == GenreCible::Flux && b.genre == GenreCible::Flux)
        return a.descripteur == b.descripteur;
    return memeFichier(a.identite, b.identite);
}

} // namespace

Sorties preparerSorties(const OptionsExports& exports, const IdentiteFichier& entree,
                        const std::string& nomEntree) {
    Sorties s;
    FluxConnus flux;
    flux.sortieStandard = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    flux.sortieErreur = STDERR_FILENO;
    s.rapport = &std::cout;
    std::vector<CibleEcriture*> demandees;
    const struct {
        const std::string& nom;
        CibleEcriture& cible;
        const char* quoi;
    } sorties[] = {{exports.obj, s.obj, "le fichier OBJ"},
                   {exports.png, s.png, "l'image"},
                   {exports.step, s.step, "le fichier STEP"},
                   {exports.iges, s.iges, "le fichier IGES"}};
    for (const auto& o : sorties)
        if (!o.nom.empty()) {
            o.cible = resoudre(o.nom, flux, exports.liens, o.quoi);
            demandees.push_back(&o.cible);
        }
    for (CibleEcriture* c : demandees) {
        if (memeFichier(c->identite, entree))
            throw ErreurConv("la sortie '" + c->nom + "' est le fichier d'entree '" + nomEntree +
                             "' : rien n'a ete ecrit");
        if (c->genre == GenreCible::Flux && c->descripteur == flux.sortieStandard)
            s.rapport = &std::cerr;
    }
    for (std::size_t a = 0; a < demandees.size(); ++a)
        for (std::size_t b = a + 1; b < demandees.size(); ++b)
            if (memeSortie(*demandees[a], *demandees[b]))
                throw ErreurConv("'" + demandees[a]->nom + "' et '" + demandees[b]->nom +
                                 "' designent le meme fichier : rien n'a ete ecrit");
    return s;
}

void ecrireSortie(const CibleEcriture& cible, const std::string& contenu, const char* quoi) {
    const Resultat<ResultatEcriture> ecrit = ecrireCible(cible, contenu);
    if (!ecrit.ok())
        throw ErreurConv(std::string("impossible d'ecrire ") + quoi + " '" + cible.nom +
                         "' : " + ecrit.raison);
}

std::string lireTexteEntree(const std::string& nom, IdentiteFichier& entree) {
    Resultat<TexteLu> lu;
    if (nom == "-") {
        entree = identiteDescripteur(STDIN_FILENO);
        lu = lireDescripteurBorne(STDIN_FILENO);
    } else {
        lu = lireFichierParametres(nom, false, &entree);
    }
    const std::string designation = nom == "-" ? "l'entree standard" : "le fichier '" + nom + "'";
    if (lu.valeur.fin == ResultatLecture::OuvertureImpossible)
        throw ErreurConv("impossible d'ouvrir " + designation + " : " + lu.raison);
    if (lu.valeur.fin != ResultatLecture::Lu)
        throw ErreurConv("impossible de lire " + designation + " : " + lu.raison);
    return lu.valeur.texte;
}

} // namespace cyclide
