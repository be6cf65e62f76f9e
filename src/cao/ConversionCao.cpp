#include "cao/ConversionCao.h"

#include "conversion/GenreCyclide.h"
#include "sorties/ResultatJson.h"

#include <sstream>

namespace cyclide {

std::vector<ResultatCao> convertirCarreauxCao(const LectureCao& lecture, PlanConversion plan,
                                              double tolerance) {
    std::vector<ResultatCao> resultats;
    resultats.reserve(lecture.carreaux.size());
    for (const CarreauCao& c : lecture.carreaux)
        resultats.push_back({c, construireSceneReseau(c.reseau, plan, tolerance)});
    return resultats;
}

std::string jsonResultatCao(const ResultatCao& r, const std::string& fichier) {
    OrigineEntree origine;
    origine.sorte = OrigineEntree::Sorte::Reseau;
    origine.fichier = fichier;
    // The input of a net is {"source":"net","file":NAME}: the face and the
    // patch go before its closing brace.
    std::string debut = "{\"input\":{\"source\":\"net\",\"file\":";
    ajouterTexteJson(debut, fichier, false);
    std::string json = resultatJson(r.scene, origine);
    if (json.compare(0, debut.size(), debut) == 0 && json[debut.size()] == '}')
        json.insert(debut.size(), ",\"face\":" + std::to_string(r.carreau.face) + ",\"patch\":[" +
                                      std::to_string(r.carreau.carreauU) + "," +
                                      std::to_string(r.carreau.carreauV) + "]");
    return json;
}

std::string rapportResultatCao(const ResultatCao& r) {
    const Scene& s = r.scene;
    std::ostringstream out;
    out.precision(17);
    out << "face " << r.carreau.face << " carreau " << r.carreau.carreauU << " "
        << r.carreau.carreauV << "\n";
    out << "type " << s.type << "\n";
    out << "cyclide " << s.typeCyclide << " " << messageCyclide(s.typeCyclide) << "\n";
    if (!estCyclide(s.typeCyclide))
        out << "verdict non convertible: " << s.raison << "\n";
    RBBPd converti = s.converti; // the text form takes a modifiable record
    out << converti;
    if (estCyclide(s.typeCyclide))
        out << "morceau " << s.morceau.u0 << " " << s.morceau.u1 << " " << s.morceau.v0 << " "
            << s.morceau.v1 << "\n";
    if (estCyclide(s.typeCyclide) || s.type != 0)
        out << "residu " << s.residu << "\n";
    return out.str();
}

std::string ligneFaceIgnoree(const FaceIgnoree& f) {
    return "face " + std::to_string(f.face) + " ignoree : " + f.sorte;
}

Resultat<std::string> convertirFichierCao(const std::string& chemin, PlanConversion plan,
                                          double tolerance, bool json,
                                          std::vector<std::string>& notices) {
    const Resultat<LectureCao> lu = lireCarreauxCao(chemin);
    if (!lu.ok())
        return {std::string(), lu.raison};
    for (const FaceIgnoree& f : lu.valeur.ignorees)
        notices.push_back(ligneFaceIgnoree(f));
    std::string sortie;
    for (const ResultatCao& r : convertirCarreauxCao(lu.valeur, plan, tolerance))
        sortie += json ? jsonResultatCao(r, chemin) + "\n" : rapportResultatCao(r);
    return {sortie, ""};
}

} // namespace cyclide
