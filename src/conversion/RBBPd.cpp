#include "conversion/RBBPd.h"

#include "conversion/ConstructionCarreau.h"
#include "conversion/ConversionGenerale.h"
#include "conversion/Residu.h"
#include "noyau/Constantes.h"
#include "surfaces/Cyclide.h"

#include <GL/gl.h>

#include <istream>
#include <ostream>
#include <vector>

// The record's methods are front doors to the modules of the conversion.
using cyclide::CarreauConstruit;
using cyclide::ConversionCyclide;
using cyclide::Coord3;
using cyclide::CyclideRepere;
using cyclide::GenreCyclide;
using cyclide::MorceauCyclide;
using cyclide::PassageRepere;

namespace {

// Draws the piece of cyclide (a, c, mu) over the rectangle, in the cyclide's
// own frame. Non-number ranges or parameters draw non-number vertices.
void dessinerMorceau(const RBBPd& RB, const MorceauCyclide& m) {
    Cyclide Cy(m.u0, m.u1, m.v0, m.v1, RB.a, RB.c, RB.mu);
    Cy.openGL();
}

// Reads one number into champ; on a failed extraction champ is left as it was
// and the stream stays failed, so every later read does nothing.
void lireNombre(std::istream& is, double& champ) {
    double valeur;
    if (is >> valeur)
        champ = valeur;
}

// Reads three numbers into the coordinates of P; its colour is left as it was.
void lirePoint(std::istream& is, Point& P) {
    double x = P.getX0(), y = P.getY0(), z = P.getZ0();
    lireNombre(is, x);
    P.setX0(x);
    lireNombre(is, y);
    P.setY0(y);
    lireNombre(is, z);
    P.setZ0(z);
}

// Reads a line: three numbers for its base point, three for its direction;
// the colours of the line and of its base point are left as they were.
void lireDroite(std::istream& is, Droite& D) {
    Point P = D.getP();
    lirePoint(is, P);
    D.setP(P);
    vect V = D.getV();
    double x = V.abs(), y = V.ord(), z = V.cote();
    lireNombre(is, x);
    lireNombre(is, y);
    lireNombre(is, z);
    V.init(x, y, z);
    D.setV(V);
}

} // namespace

// ---------------------------------------------------------------------------
// Record
// ---------------------------------------------------------------------------

// Default record: the default patch, default lines and centre, the frame
// rows (1, 0, 0), (1, 1, 0), (1, 0, 1) and a = c = mu = 0.
RBBPd::RBBPd() : RBBP(), dA(), dB(), omega(), a(0), c(0), mu(0) {
    const double base[3][3] = {{1, 0, 0}, {1, 1, 0}, {1, 0, 1}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Base[i][j] = base[i][j];
}

// The argument is not used: the record is the default one.
RBBPd::RBBPd(double valeur) : RBBPd() {
    (void)valeur;
}

// Copies every field, colours of the points and lines included.
RBBPd::RBBPd(const RBBPd& RB)
    : RBBP(RB), dA(RB.dA), dB(RB.dB), omega(RB.omega), a(RB.a), c(RB.c), mu(RB.mu) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Base[i][j] = RB.Base[i][j];
}

// Copies every field as the copy constructor does (a line's own assignment
// keeps the receiver's colour, so the colours are copied explicitly).
void RBBPd::operator=(RBBPd RB) {
    RBBP::operator=(RB);
    dA = RB.dA;
    dA.setR(RB.dA.getR());
    dA.setG(RB.dA.getG());
    dA.setB(RB.dA.getB());
    dB = RB.dB;
    dB.setR(RB.dB.getR());
    dB.setG(RB.dB.getG());
    dB.setB(RB.dB.getB());
    omega = RB.omega;
    a = RB.a;
    c = RB.c;
    mu = RB.mu;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Base[i][j] = RB.Base[i][j];
}

CyclideRepere RBBPd::cyclide() const {
    return cyclide::cyclidePlacee(a, c, mu, omega, Base);
}

void RBBPd::poserCyclide(const CyclideRepere& cy) {
    a = cy.a;
    c = cy.c;
    mu = cy.mu;
    omega.init(cy.omega);
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            Base[r][k] = cy.Base[r][k];
}

void RBBPd::inverseBase(double inv[3][3]) const {
    cyclide::inverseMatrice(Base, inv);
}

// ---------------------------------------------------------------------------
// Construction and conversion: front doors
// ---------------------------------------------------------------------------

int RBBPd::convertToCD4(double t00, double t02, double t20, double t22, double R, double z11,
                        double P10t) {
    const CarreauConstruit n = cyclide::construireCarreau({t00, t02, t20, t22, R, z11, P10t});
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            P[i][j].init(n.reseau.P[i][j]);
            w[i][j] = n.reseau.w[i][j];
        }
    dA.init(n.dA.getP(), n.dA.getV());
    dB.init(n.dB.getP(), n.dB.getV());
    return n.type;
}

namespace {

// Writes what a conversion read into the record and the piece; returns the
// kind of cyclide.
GenreCyclide adopter(RBBPd& RB, const ConversionCyclide& r, MorceauCyclide& morceau) {
    if (r.cyclideLue)
        RB.poserCyclide(r.cyclide);
    if (r.morceauLu)
        morceau = r.morceau;
    return r.code;
}

// A computation of the record, then its piece drawn (nothing for Aucune).
template <class Calcul> GenreCyclide calculerPuisDessiner(RBBPd& RB, Calcul calcul) {
    MorceauCyclide morceau;
    const GenreCyclide code = calcul(morceau);
    if (code != GenreCyclide::Aucune)
        dessinerMorceau(RB, morceau);
    return code;
}

} // namespace

GenreCyclide RBBPd::calculConversion(int type, int choixplan, MorceauCyclide& morceau) {
    if (type == TYPE_TORE_SPHERE)
        return calculToreSphere(morceau);
    if (type == TYPE_CYCLIDE_GENERALE)
        return choixplan == 1 ? calculCD4Pz(morceau) : calculCD4Py(morceau);
    return GenreCyclide::Aucune;
}

GenreCyclide RBBPd::conversion(int type, int choixplan) {
    if (type == TYPE_TORE_SPHERE)
        return carBezierTocarToreSphere();
    if (type == TYPE_CYCLIDE_GENERALE)
        return choixplan == 1 ? carBezierTocarCD4Pz() : carBezierTocarCD4Py();
    return GenreCyclide::Aucune;
}

GenreCyclide RBBPd::calculCD4Pz(MorceauCyclide& morceau) {
    return adopter(*this, cyclide::conversionGenerale(*this, cyclide::PlanConversion::Pz), morceau);
}

GenreCyclide RBBPd::calculCD4Py(MorceauCyclide& morceau) {
    return adopter(*this, cyclide::conversionGenerale(*this, cyclide::PlanConversion::Py), morceau);
}

GenreCyclide RBBPd::calculToreSphere(MorceauCyclide& morceau) {
    return adopter(*this, cyclide::conversionToreSphere(*this), morceau);
}

GenreCyclide RBBPd::carBezierTocarCD4Pz() {
    return calculerPuisDessiner(*this, [this](MorceauCyclide& m) { return calculCD4Pz(m); });
}

GenreCyclide RBBPd::carBezierTocarCD4Py() {
    return calculerPuisDessiner(*this, [this](MorceauCyclide& m) { return calculCD4Py(m); });
}

GenreCyclide RBBPd::carBezierTocarToreSphere() {
    return calculerPuisDessiner(*this, [this](MorceauCyclide& m) { return calculToreSphere(m); });
}

// ---------------------------------------------------------------------------
// Patch in the cyclide's frame
// ---------------------------------------------------------------------------

void RBBPd::changementBase() {
    const PassageRepere passage = cyclide::passageRepere(Base, omega);
    const Coord3& o = passage.origine;
    omega.init(o[0], o[1], o[2]);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Coord3 q = cyclide::versRepere(passage, P[i][j]);
            P[i][j].init(q[0], q[1], q[2]);
        }
}

// The change of frame, then the moved patch sampled at u = r / nbu,
// v = s / nbv and drawn as nbu x nbv single-precision quadrilaterals, with no
// colour, normal or material of its own. Counts below 1 draw nothing (the
// change of frame is still made).
void RBBPd::openGLChangementBase(int nbu, int nbv) {
    changementBase();
    if (nbu < 1 || nbv < 1)
        return;
    std::vector<std::vector<Point>> Po(nbu + 1);
    for (int r = 0; r <= nbu; ++r) {
        const double u = static_cast<double>(r) / nbu;
        Po[r].reserve(nbv + 1);
        for (int s = 0; s <= nbv; ++s) {
            const double v = static_cast<double>(s) / nbv;
            Po[r].push_back(point(u, v));
        }
    }
    for (int r = 0; r < nbu; ++r)
        for (int s = 0; s < nbv; ++s) {
            const Point* coins[4] = {&Po[r][s], &Po[r + 1][s], &Po[r + 1][s + 1], &Po[r][s + 1]};
            glBegin(GL_QUADS);
            for (const Point* q : coins)
                glVertex3f(static_cast<float>(q->getX0()), static_cast<float>(q->getY0()),
                           static_cast<float>(q->getZ0()));
            glEnd();
        }
}

// ---------------------------------------------------------------------------
// Text form
// ---------------------------------------------------------------------------

// Writes the 23-line text form: nine lines "x y z w", an empty line, the
// three rows of Base (each number followed by a space), an empty line, dA and
// an empty line, dB and an empty line, omega and an empty line, "a c mu".
// Colours are not written; numbers use the stream's current format.
std::ostream& operator<<(std::ostream& os, RBBPd& RB) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            os << RB.P[i][j] << " " << RB.w[i][j] << std::endl;
    os << std::endl;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            os << RB.Base[i][j] << " ";
        os << std::endl;
    }
    os << std::endl;
    os << RB.dA << std::endl;
    os << RB.dB << std::endl;
    os << RB.omega << std::endl << std::endl;
    os << RB.a << " " << RB.c << " " << RB.mu << std::endl;
    return os;
}

// Reads the 63 numbers of the text form in the order they are written (any
// white space separates them). Colours are left as they were. When an
// extraction fails the field being read and every field after it keep their
// values and the stream stays failed.
std::istream& operator>>(std::istream& is, RBBPd& RB) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            lirePoint(is, RB.P[i][j]);
            lireNombre(is, RB.w[i][j]);
        }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            lireNombre(is, RB.Base[i][j]);
    lireDroite(is, RB.dA);
    lireDroite(is, RB.dB);
    lirePoint(is, RB.omega);
    lireNombre(is, RB.a);
    lireNombre(is, RB.c);
    lireNombre(is, RB.mu);
    return is;
}

double cyclide::residuCyclide(const RBBPd& converti) {
    return residuCyclide(converti, converti.cyclide());
}
