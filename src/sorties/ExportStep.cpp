#include "sorties/ExportStep.h"

#include "fichiers/EcritureFichier.h"
#include "noyau/Constantes.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <vector>

namespace cyclide {

namespace {

const int SEGMENTS_MIN_CYCLIDE = 4;

// A STEP string: apostrophes and backslashes doubled, bytes outside
// printable ASCII written as \X\hh (ISO 8859-1).
std::string texteEntreApostrophes(const std::string& t) {
    static const char HEX[] = "0123456789ABCDEF";
    std::string r = "'";
    for (char ch : t) {
        const auto o = static_cast<unsigned char>(ch);
        if (ch == '\'')
            r += "''";
        else if (ch == '\\')
            r += "\\\\";
        else if (o < 0x20 || o > 0x7E)
            r += std::string("\\X\\") + HEX[o >> 4] + HEX[o & 15];
        else
            r += ch;
    }
    return r + "'";
}

// The length of the UTF-8 sequence a lead byte opens (0: it opens none).
std::size_t longueurUtf8(unsigned char o) {
    if (o < 0x80)
        return 1;
    if ((o & 0xE0) == 0xC0)
        return 2;
    if ((o & 0xF0) == 0xE0)
        return 3;
    return (o & 0xF8) == 0xF0 ? 4 : 0;
}

// Decodes the UTF-8 sequence at k into code and moves k past it; false
// when it is not valid UTF-8 (truncated, overlong, a surrogate).
bool lireUtf8(const std::string& t, std::size_t& k, unsigned long& code) {
    static const unsigned long MIN[5] = {0, 0, 0x80, 0x800, 0x10000};
    const auto o = static_cast<unsigned char>(t[k]);
    const std::size_t n = longueurUtf8(o);
    if (n == 0 || k + n > t.size())
        return false;
    code = n == 1 ? o : o & (0x7Fu >> n);
    for (std::size_t s = 1; s < n; ++s) {
        const auto suite = static_cast<unsigned char>(t[k + s]);
        if ((suite & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (suite & 0x3F);
    }
    k += n;
    return code >= MIN[n] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// The code points of a name: its UTF-8 reading when it is valid UTF-8,
// otherwise one code point per byte (ISO 8859-1).
std::vector<unsigned long> pointsDeCode(const std::string& t) {
    std::vector<unsigned long> points;
    unsigned long code = 0;
    for (std::size_t k = 0; k < t.size();) {
        if (!lireUtf8(t, k, code)) {
            points.clear();
            for (char ch : t)
                points.push_back(static_cast<unsigned char>(ch));
            return points;
        }
        points.push_back(code);
    }
    return points;
}

// A name as a STEP string: printable ASCII as it is (apostrophes and
// backslashes doubled), every run of other characters in the STEP
// encoding of ISO 10646: "\X2\" and four hex digits per character (or
// "\X4\" and eight beyond the basic plane), the run closed by "\X0\".
std::string nomStep(const std::string& nom) {
    static const char HEX[] = "0123456789ABCDEF";
    std::string r = "'";
    int largeur = 0; // hex digits per character of the run: 0 (ASCII), 4 or 8
    for (unsigned long c : pointsDeCode(nom)) {
        const int voulue = c >= 0x20 && c <= 0x7E ? 0 : (c > 0xFFFF ? 8 : 4);
        if (voulue != largeur && largeur != 0)
            r += "\\X0\\";
        if (voulue != largeur && voulue != 0)
            r += voulue == 4 ? "\\X2\\" : "\\X4\\";
        largeur = voulue;
        if (voulue == 0)
            r += c == '\''   ? std::string("''")
                 : c == '\\' ? std::string("\\\\")
                             : std::string(1, static_cast<char>(c));
        for (int k = voulue - 1; k >= 0; --k)
            r += HEX[(c >> (4 * k)) & 15];
    }
    if (largeur != 0)
        r += "\\X0\\";
    return r + "'";
}

// Writes the DATA section, numbering the instances from #1.
class EcrivainStep {
  public:
    // Adds one instance; gives back its number.
    int instance(const std::string& corps) {
        ++dernier_;
        data_ += "#" + std::to_string(dernier_) + "=" + corps + ";\n";
        return dernier_;
    }
    static std::string ref(int n) { return "#" + std::to_string(n); }
    static std::string refs(const std::vector<int>& ns) {
        std::string r = "(";
        for (std::size_t k = 0; k < ns.size(); ++k)
            r += (k > 0 ? "," : "") + ref(ns[k]);
        return r + ")";
    }
    const std::string& data() const { return data_; }

  private:
    int dernier_ = 0;
    std::string data_;
};

std::string triplet(const std::array<double, 3>& p) {
    return "(" + reelStep(p[0]) + "," + reelStep(p[1]) + "," + reelStep(p[2]) + ")";
}

// Multiplicities 3, 2, ..., 2, 3 and knots 0, 1, ..., n of n segments.
void noeuds(int n, std::string& multiplicites, std::string& valeurs) {
    multiplicites = "(";
    valeurs = "(";
    for (int k = 0; k <= n; ++k) {
        multiplicites += (k > 0 ? "," : "") + std::to_string(k == 0 || k == n ? 3 : 2);
        valeurs += (k > 0 ? "," : "") + reelStep(k);
    }
    multiplicites += ")";
    valeurs += ")";
}

// The surface as the complex instance of a rational B-spline surface with
// knots, its partial entities in alphabetical order; gives back its number.
int ecrireSurface(EcrivainStep& e, const SurfaceNommee& sn) {
    const SurfaceBSpline& s = sn.surface;
    std::string points = "(";
    std::string poids = "(";
    for (int i = 0; i < s.lignes(); ++i) {
        std::vector<int> ligne;
        poids += (i > 0 ? ",(" : "(");
        for (int j = 0; j < s.colonnes(); ++j) {
            ligne.push_back(
                e.instance("CARTESIAN_POINT(''," + triplet(s.points[s.indice(i, j)]) + ")"));
            poids += (j > 0 ? "," : "") + reelStep(s.poids[s.indice(i, j)]);
        }
        points += (i > 0 ? "," : "") + EcrivainStep::refs(ligne);
        poids += ")";
    }
    points += ")";
    poids += ")";
    std::string multU, noeudsU, multV, noeudsV;
    noeuds(s.nu, multU, noeudsU);
    noeuds(s.nv, multV, noeudsV);
    const auto logique = [](bool b) { return std::string(b ? ".T." : ".F."); };
    return e.instance("(BOUNDED_SURFACE() B_SPLINE_SURFACE(2,2," + points + ",.UNSPECIFIED.," +
                      logique(s.fermeeU) + "," + logique(s.fermeeV) + "," +
                      (sn.autoIntersection ? ".U." : ".F.") + ") B_SPLINE_SURFACE_WITH_KNOTS(" +
                      multU + "," + multV + "," + noeudsU + "," + noeudsV +
                      ",.PIECEWISE_BEZIER_KNOTS.) GEOMETRIC_REPRESENTATION_ITEM() "
                      "RATIONAL_B_SPLINE_SURFACE(" +
                      poids + ") REPRESENTATION_ITEM(" + texteEntreApostrophes(sn.nom) +
                      ") SURFACE())");
}

// Application context, product, its definition and shape; gives back the
// PRODUCT_DEFINITION_SHAPE.
int ecrireProduit(EcrivainStep& e) {
    const int app =
        e.instance("APPLICATION_CONTEXT('core data for automotive mechanical design processes')");
    e.instance(
        "APPLICATION_PROTOCOL_DEFINITION('international standard','automotive_design',2000," +
        EcrivainStep::ref(app) + ")");
    const int contexte =
        e.instance("PRODUCT_CONTEXT(''," + EcrivainStep::ref(app) + ",'mechanical')");
    const int produit = e.instance("PRODUCT('cyclide','Cyclide de Dupin',''," +
                                   EcrivainStep::refs({contexte}) + ")");
    e.instance("PRODUCT_RELATED_PRODUCT_CATEGORY('part',$," + EcrivainStep::refs({produit}) + ")");
    const int formation =
        e.instance("PRODUCT_DEFINITION_FORMATION('',''," + EcrivainStep::ref(produit) + ")");
    const int contexteDef = e.instance("PRODUCT_DEFINITION_CONTEXT('part definition'," +
                                       EcrivainStep::ref(app) + ",'design')");
    const int definition =
        e.instance("PRODUCT_DEFINITION('design',''," + EcrivainStep::ref(formation) + "," +
                   EcrivainStep::ref(contexteDef) + ")");
    return e.instance("PRODUCT_DEFINITION_SHAPE(''," + std::string("''") + "," +
                      EcrivainStep::ref(definition) + ")");
}

// The 3D context: millimetres, radians, steradians, uncertainty 1e-7 mm;
// gives back its number.
int ecrireContexte(EcrivainStep& e) {
    const int mm = e.instance("(LENGTH_UNIT() NAMED_UNIT(*) SI_UNIT(.MILLI.,.METRE.))");
    const int rad = e.instance("(NAMED_UNIT(*) PLANE_ANGLE_UNIT() SI_UNIT($,.RADIAN.))");
    const int sr = e.instance("(NAMED_UNIT(*) SI_UNIT($,.STERADIAN.) SOLID_ANGLE_UNIT())");
    const int incertitude =
        e.instance("UNCERTAINTY_MEASURE_WITH_UNIT(LENGTH_MEASURE(1.E-07)," + EcrivainStep::ref(mm) +
                   ",'distance_accuracy_value','confusion accuracy')");
    return e.instance("(GEOMETRIC_REPRESENTATION_CONTEXT(3) GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT(" +
                      EcrivainStep::refs({incertitude}) + ") GLOBAL_UNIT_ASSIGNED_CONTEXT(" +
                      EcrivainStep::refs({mm, rad, sr}) +
                      ") REPRESENTATION_CONTEXT('cyclide','3D'))");
}

int ecrireRepere(EcrivainStep& e) {
    const int origine = e.instance("CARTESIAN_POINT('',(0.,0.,0.))");
    const int z = e.instance("DIRECTION('',(0.,0.,1.))");
    const int x = e.instance("DIRECTION('',(1.,0.,0.))");
    return e.instance("AXIS2_PLACEMENT_3D(''," + EcrivainStep::ref(origine) + "," +
                      EcrivainStep::ref(z) + "," + EcrivainStep::ref(x) + ")");
}

// The surface of the cyclide over the piece m, or a notice when it cannot
// be written exactly with positive weights.
void ajouterCyclide(const Scene& s, const char* nom, const MorceauCyclide& m, int segmentsMin,
                    bool autoIntersection, std::vector<SurfaceNommee>& surfaces,
                    std::vector<std::string>& notices) {
    SurfaceNommee sn{nom, {}, autoIntersection};
    if (surfaceCyclideMonde(s.converti.cyclide(), m, segmentsMin, sn.surface) &&
        sn.surface.valide())
        surfaces.push_back(sn);
    else
        notices.push_back(std::string("surface ") + nom +
                          " omise : pas de forme exacte a poids positifs");
}

std::string maintenant() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    char tampon[32] = "";
    if (gmtime_r(&t, &tm) != nullptr)
        std::strftime(tampon, sizeof tampon, "%Y-%m-%dT%H:%M:%S", &tm);
    return tampon;
}

std::string nomSansChemin(const std::string& chemin) {
    const std::size_t barre = chemin.find_last_of('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

} // namespace

std::string reelStep(double v) {
    // to_chars writes as printf's %.17g does in the "C" locale, whatever
    // the program's locale (the window takes the user's, whose decimal
    // separator may be ','); its letters (the exponent's e) are then made
    // upper case, as %G makes them.
    char tampon[40];
    const auto fin =
        std::to_chars(tampon, tampon + sizeof tampon, v, std::chars_format::general, 17).ptr;
    std::string r(tampon, fin);
    for (char& ch : r)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    if (r.find('.') == std::string::npos) {
        const std::size_t e = r.find('E');
        r.insert(e == std::string::npos ? r.size() : e, ".");
    }
    return r;
}

std::vector<SurfaceNommee> surfacesStep(const Scene& s, std::vector<std::string>& notices) {
    std::vector<SurfaceNommee> surfaces;
    SurfaceNommee carreau{"carreau", {}, false};
    if (surfaceCarreau(s.Bez, carreau.surface))
        surfaces.push_back(carreau);
    else
        notices.emplace_back("surface carreau omise : coordonnees non finies ou point a l'infini");
    if (!estCyclide(s.typeCyclide))
        return surfaces;
    ajouterCyclide(s, "morceau_cyclide", s.morceau, 1, false, surfaces, notices);
    // Only the ring cyclide and the collar torus are free of singular points.
    const bool croisee =
        s.typeCyclide != GenreCyclide::Ring && s.typeCyclide != GenreCyclide::ToreCollier;
    ajouterCyclide(s, "cyclide", MorceauCyclide{0, DEUX_PI, 0, DEUX_PI}, SEGMENTS_MIN_CYCLIDE,
                   croisee, surfaces, notices);
    return surfaces;
}

std::string texteStep(const std::vector<SurfaceNommee>& surfaces, const std::string& nomFichier,
                      const std::string& horodatage) {
    EcrivainStep e;
    const int forme = ecrireProduit(e);
    const int contexte = ecrireContexte(e);
    std::vector<int> elements = {ecrireRepere(e)};
    for (const auto& sn : surfaces) {
        const int surface = ecrireSurface(e, sn);
        elements.push_back(e.instance("GEOMETRIC_SET(" + texteEntreApostrophes(sn.nom) + "," +
                                      EcrivainStep::refs({surface}) + ")"));
    }
    const int representation =
        e.instance("GEOMETRICALLY_BOUNDED_SURFACE_SHAPE_REPRESENTATION('cyclide'," +
                   EcrivainStep::refs(elements) + "," + EcrivainStep::ref(contexte) + ")");
    e.instance("SHAPE_DEFINITION_REPRESENTATION(" + EcrivainStep::ref(forme) + "," +
               EcrivainStep::ref(representation) + ")");
    return "ISO-10303-21;\nHEADER;\n"
           "FILE_DESCRIPTION(('Cyclide de Dupin: carreau, morceau de cyclide et cyclide'),'2;1');\n"
           "FILE_NAME(" +
           nomStep(nomFichier) + "," + texteEntreApostrophes(horodatage) +
           ",(''),(''),'cyclide-conv','cyclide-conv','');\n"
           "FILE_SCHEMA(('AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }'));\n"
           "ENDSEC;\nDATA;\n" +
           e.data() + "ENDSEC;\nEND-ISO-10303-21;\n";
}

bool carreauExact(const std::vector<SurfaceNommee>& surfaces) {
    return !surfaces.empty() && surfaces.front().nom == "carreau";
}

Resultat<std::string> texteStepScene(const Scene& s, const std::string& chemin,
                                     std::vector<std::string>& notices) {
    const std::vector<SurfaceNommee> surfaces = surfacesStep(s, notices);
    if (!carreauExact(surfaces))
        return {std::string(), RAISON_CARREAU_INEXACT};
    return {texteStep(surfaces, nomSansChemin(chemin), maintenant()), ""};
}

Resultat<void> ecrireExport(const std::string& chemin, const Resultat<std::string>& texte,
                            LiensDurs liens) {
    if (!texte.ok())
        return {texte.raison};
    const Resultat<ResultatEcriture> ecrit = ecrireFichier(chemin, texte.valeur, liens);
    if (!ecrit.ok())
        return {ecrit.raison};
    return {};
}

Resultat<void> exporterStep(const std::string& chemin, const Scene& s,
                            std::vector<std::string>& notices) {
    return ecrireExport(chemin, texteStepScene(s, chemin, notices));
}

} // namespace cyclide
