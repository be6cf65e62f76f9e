#include "conv/RapportCao.h"

#include "conv/Rapport.h"
#include "conv/Sorties.h"
#include "fichiers/DiagnosticsCaptures.h"
#include "sorties/ResultatJson.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <unistd.h>

namespace cyclide {

LigneCao convertirLigneCao(const ElementCao& e, PlanConversion plan, double tolerance,
                           const PrecisionCao& precision) {
    LigneCao l;
    l.element = e;
    if (e.sorte == SorteElementCao::Carreau)
        l.scene = sceneElementCao(e, plan, tolerance, precision);
    return l;
}

namespace {

// The input object of a row, without its closing brace.
std::string entreeCao(const ElementCao& e, const std::string& fichier) {
    std::string j = "{\"source\":\"cad\",\"file\":";
    ajouterTexteJson(j, fichier, false);
    j += ",\"face\":" + std::to_string(e.face) + ",\"entity\":" + std::to_string(e.entite);
    j += e.sorte == SorteElementCao::Carreau
             ? ",\"patch\":[" + std::to_string(e.carreauU) + "," + std::to_string(e.carreauV) + "]"
             : std::string(",\"patch\":null");
    j += ",\"surface\":";
    ajouterTexteJson(j, e.surface, true);
    return j;
}

} // namespace

std::string jsonLigneCao(const LigneCao& l, const std::string& fichier) {
    const ElementCao& e = l.element;
    if (e.sorte != SorteElementCao::Carreau) {
        std::string j = "{\"input\":" + entreeCao(e, fichier) + "},\"face_status\":";
        j += e.sorte == SorteElementCao::Ignoree ? "\"skipped\"" : "\"limit\"";
        j += ",\"reason\":";
        ajouterTexteJson(j, e.raison, true);
        return j + "}";
    }
    OrigineEntree origine;
    origine.sorte = OrigineEntree::Sorte::Reseau;
    origine.fichier = fichier;
    // The input of a net is {"source":"net","file":NAME}: it is replaced
    // by the CAD input, which names the face and the patch.
    std::string debut = "{\"input\":{\"source\":\"net\",\"file\":";
    ajouterTexteJson(debut, fichier, false);
    std::string json = resultatJson(l.scene, origine);
    if (json.compare(0, debut.size(), debut) == 0)
        json.replace(0, debut.size(), "{\"input\":" + entreeCao(e, fichier));
    return json;
}

std::string rapportLigneCao(const LigneCao& l) {
    const ElementCao& e = l.element;
    const std::string face = "face " + std::to_string(e.face);
    switch (e.sorte) {
    case SorteElementCao::Ignoree:
        return face + " ignoree : " + e.raison + "\n";
    case SorteElementCao::Limite:
        return face + " : " + e.raison + "\n";
    case SorteElementCao::Carreau:
        break;
    }
    return face + " carreau " + std::to_string(e.carreauU) + " " + std::to_string(e.carreauV) +
           " (" + e.surface + ")\n" + rapport(l.scene);
}

namespace {

// Writes a row's text; throws when the output fails.
void ecrireLigne(std::ostream& sortie, const std::string& texte) {
    errno = 0;
    sortie << texte << std::flush;
    if (!sortie)
        throw ErreurConv("erreur d'ecriture du rapport : " +
                         raisonErreur(errno != 0 ? errno : EIO));
}

} // namespace

int lancerCao(const OptionsRapport& o, const OptionsExports& exports, std::ostream& sortie) {
    if (!o.positionnels.empty() || o.exemple != 0 || !exports.obj.empty() || !exports.png.empty() ||
        !exports.step.empty() || !exports.iges.empty())
        throw ErreurConv("--carreau FICHIER CAO ne va qu'avec --plan, --tolerance et --json");
    // Rows are written as they come. A damaged or truncated file is refused
    // before its first row; a reader that stops midway (a crash, a limit)
    // ends the rows with the error and status 2.
    const Resultat<BilanCao> lu =
        lireFichierCao(o.carreau, [&](const ElementCao& e, const PrecisionCao& precision) {
            LigneCao l;
            {
                DiagnosticsCaptures diagnostics;
                l = convertirLigneCao(e, o.plan, o.tolerance, precision);
                diagnostics.transmettre();
            }
            ecrireLigne(sortie, o.json ? jsonLigneCao(l, o.carreau) + "\n" : rapportLigneCao(l));
        });
    if (!lu.ok())
        throw ErreurConv(lu.raison);
    if (lu.valeur.ignorees == 0)
        return 0;
    avertir(std::to_string(lu.valeur.ignorees) + " face(s) sur " + std::to_string(lu.valeur.faces) +
            " sans carreau converti");
    return SORTIE_FACES_IGNOREES;
}

} // namespace cyclide
