#include "noyau/Plan.h"

#include "noyau/Constantes.h"

#include <GL/gl.h>

#include <cmath>
#include <iostream>

namespace {

// Tolerance of the plane classification and of the line-plane test.
const double EPS_PLAN = 0.00001;

// Vector from A to B.
vect difference(const Point& A, const Point& B) {
    return vect(B.getX0() - A.getX0(), B.getY0() - A.getY0(), B.getZ0() - A.getZ0());
}

// v divided componentwise by its length (non-finite for a zero vector).
vect unitaire(const vect& v) {
    const double n = v.norme();
    return vect(v.abs() / n, v.ord() / n, v.cote() / n);
}

// c x d, normalised (non-finite for parallel vectors).
vect normaleUnitaire(const vect& c, const vect& d) {
    vect n;
    n.vectoriel(c, d);
    return unitaire(n);
}

// The plane with normal n through the point P.
Plan planNormalPoint(const vect& n, const Point& P) {
    Plan pl;
    pl.setABCD(n.abs(), n.ord(), n.cote(),
               -(n.abs() * P.getX0() + n.ord() * P.getY0() + n.cote() * P.getZ0()));
    return pl;
}

} // namespace

Plan::Plan() : surface_para() {
    u_min = 0;
    u_max = 1;
    v_min = 0;
    v_max = 1;
    UMAX = 80;
    VMAX = 80;
}

Plan::~Plan() = default;

void Plan::setABCD(double at, double bt, double ct, double dt) {
    a = at;
    b = bt;
    c = ct;
    d = dt;
}

double Plan::fx(double u, double) {
    return u_min + (u_max - u_min) * u / UMAX;
}
double Plan::fy(double, double v) {
    return v_min + (v_max - v_min) * v / VMAX;
}

double Plan::fz(double u, double v) {
    return (-d - a * fx(u, v) - b * fy(u, v)) / c;
}

double Plan::gradx(double, double) {
    return a;
}
double Plan::grady(double, double) {
    return b;
}
double Plan::gradz(double, double) {
    return c;
}

double Plan::dfxdu(double, double) {
    return u_max - u_min;
}
double Plan::dfydu(double, double) {
    return 0;
}
double Plan::dfzdu(double u, double v) {
    return dfxdu(u, v) * (-a / c);
}
double Plan::dfxdv(double, double) {
    return 0;
}
double Plan::dfydv(double, double) {
    return v_max - v_min;
}
double Plan::dfzdv(double u, double v) {
    return dfydv(u, v) * (-b / c);
}

void Plan::fR(double u, double) {
    const double U = u / UMAX;
    R = 0.85 + 0.2 * U;
    Rd = 1;
    Rs = 0;
}
void Plan::fG(double, double) {
    G = 0.07;
    Gd = 0.5;
    Gs = 0;
}
void Plan::fB(double, double v) {
    const double W = v / VMAX;
    B = 0.151 - 0.06 * W;
    Bd = 0;
    Bs = 1;
}

void Plan::fR(double u, double, double i) {
    const double U = u / UMAX;
    R = 0.58 + 0.35 * U * std::sin((i + i) * PI * u / UMAX);
    Rd = 1;
    Rs = 0;
}
void Plan::fG(double u, double, double i) {
    G = 0.23 + 0.15 * std::sin((i + i) * PI * u / UMAX);
    Gd = 0.25;
    Gs = 0;
}
void Plan::fB(double, double v, double i) {
    const double W = v / VMAX;
    B = 0.241 - 0.23 * W * std::sin((i + i) * PI * v / VMAX);
    Bd = 0;
    Bs = 0.5;
}

void Plan::openGL2() {
    const double z1 = -(a * u_min + b * v_min + d) / c;
    const double z2 = -(a * u_min + b * v_max + d) / c;
    const double z3 = -(a * u_max + b * v_max + d) / c;
    const double z4 = -(a * u_max + b * v_min + d) / c;
    glBegin(GL_QUADS);
    glColor3d(R, G, B);
    glNormal3d(a, b, c);
    glVertex3d(-10, -10, z1);
    glVertex3d(-10, 10, z2);
    glVertex3d(10, 10, z3);
    glVertex3d(10, -10, z4);
    glEnd();
    glFlush();
}

int Plan::typeIntersectPlans(Plan pl) {
    const double a1 = a, b1 = b, c1 = c, d1 = d;
    const double a2 = pl.a, b2 = pl.b, c2 = pl.c, d2 = pl.d;
    auto nul = [](double x) { return std::fabs(x) < EPS_PLAN; };
    auto present = [](double x) { return std::fabs(x) > EPS_PLAN; };
    int categorie = 0;

    if ((nul(a1) && nul(b1) && nul(c1)) || (nul(a2) && nul(b2) && nul(c2))) {
        std::cout << "pas deux plans" << std::endl;
        return categorie;
    }
    if ((nul(a1) && present(a2)) || (nul(b1) && present(b2)) || (nul(c1) && present(c2)))
        return 1;
    if ((present(a1) && nul(a2)) || (present(b1) && nul(b2)) || (present(c1) && nul(c2)))
        return 1;

    const double l1 = present(a1) ? a2 / a1 : 0;
    const double l2 = present(b1) ? b2 / b1 : 0;
    const double l3 = present(c1) ? c2 / c1 : 0;
    const double l4 = present(d1) ? d2 / d1 : 0;
    // Same constant term up to the common ratio k, or another one.
    auto memeConstante = [&](double k) {
        return (nul(d1) && nul(d2)) || std::fabs(k - l4) < EPS_PLAN;
    };
    auto autreConstante = [&](double k) {
        return (nul(d1) && present(d2)) || std::fabs(k - l4) > EPS_PLAN;
    };
    // Coinciding, parallel or (when neither test decides) cutting.
    auto selonConstante = [&](double k) {
        if (memeConstante(k))
            return 2;
        if (autreConstante(k))
            return 3;
        return 1;
    };
    auto egaux = [](double p, double q) { return std::fabs(p - q) < EPS_PLAN; };

    if (present(a1) && present(b1) && present(c1)) {
        if (egaux(l1, l2) && egaux(l1, l3) && egaux(l2, l3))
            categorie = memeConstante(l1) ? 2 : 3;
        else
            categorie = 1;
    } else if (nul(a1) && present(b1) && present(c1)) {
        categorie = egaux(l2, l3) ? selonConstante(l2) : 1;
    } else if (present(a1) && nul(b1) && present(c1)) {
        categorie = egaux(l1, l3) ? selonConstante(l1) : 1;
    } else if (present(a1) && present(b1) && nul(c1)) {
        categorie = egaux(l1, l2) ? selonConstante(l1) : 1;
    } else if (nul(a1) && nul(b1) && present(c1)) {
        categorie = selonConstante(l3);
    } else if (nul(a1) && present(b1) && nul(c1)) {
        categorie = selonConstante(l2);
    } else if (present(a1) && nul(b1) && nul(c1)) {
        categorie = selonConstante(l1);
    }
    return categorie;
}

Droite Plan::intersection2Plans(Plan Pl) {
    const double a1 = a, b1 = b, c1 = c, d1 = d;
    const double a2 = Pl.a, b2 = Pl.b, c2 = Pl.c, d2 = Pl.d;
    const vect V = normaleUnitaire(vect(a1, b1, c1), vect(a2, b2, c2));

    double x = 0, y = 0, z = 0;
    double det = a1 * b2 - a2 * b1;
    if (det != 0) {
        z = 1;
        const double e1 = -c1 - d1, e2 = -c2 - d2;
        x = (e1 * b2 - e2 * b1) / det;
        y = (a1 * e2 - a2 * e1) / det;
    } else if ((det = a1 * c2 - a2 * c1) != 0) {
        y = 1;
        const double e1 = -b1 - d1, e2 = -b2 - d2;
        x = (e1 * c2 - e2 * c1) / det;
        z = (a1 * e2 - a2 * e1) / det;
    } else if ((det = b1 * c2 - b2 * c1) != 0) {
        x = 1;
        const double e1 = -a1 - d1, e2 = -a2 - d2;
        y = (e1 * c2 - e2 * c1) / det;
        z = (b1 * e2 - b2 * e1) / det;
    } else {
        std::cout << "(intersection2Plans:) plans parall\xE8les ou confondus" << std::endl;
    }

    Droite D;
    D.setP(Point(x, y, z));
    D.setV(V);
    return D;
}

Point Plan::intersectionPlanDroite(Droite D) {
    const Point P = D.getP();
    const vect V = D.getV();
    const double den = a * V.abs() + b * V.ord() + c * V.cote();
    double t = 0;
    if (std::fabs(den) > EPS_PLAN)
        t = -(a * P.getX0() + b * P.getY0() + c * P.getZ0() + d) / den;
    else
        std::cout << "(intersectionPlanDroite:) Droite parall\xE8le au plan ou dans le plan "
                  << std::endl;
    return Point(P.getX0() + t * V.abs(), P.getY0() + t * V.ord(), P.getZ0() + t * V.cote());
}

void Plan::defPlan3Points(Point P0, Point P1, Point P2) {
    const vect v1 = unitaire(difference(P0, P1));
    const vect v2 = unitaire(difference(P0, P2));
    vect n;
    n.vectoriel(v1, v2);
    setABCD(n.abs(), n.ord(), n.cote(),
            -n.abs() * P0.getX0() - n.ord() * P0.getY0() - n.cote() * P0.getZ0());
}

Droite Plan::intersect2DroitesGauches(Droite D1, Droite D2) {
    const Point P1 = D1.getP();
    const vect V1 = D1.getV();
    const vect n = normaleUnitaire(V1, D2.getV());

    Plan Ptemp = planNormalPoint(n, D2.getP());
    Droite Dt;
    Dt.init(P1, n);
    const Point Pt = Ptemp.intersectionPlanDroite(Dt);
    Droite Dt1;
    Dt1.init(Pt, V1);
    const Point Pt2 = D2.intersect2DroitesSecantes(Dt1);
    Droite Dt2;
    Dt2.init(Pt2, n);
    return Dt2;
}

Point Plan::centreCercle3points(Point P0, Point P1, Point P2) {
    const Point I = P0.milieu(P1);
    const Point J = P0.milieu(P2);
    const vect n1 = unitaire(difference(I, P0));
    const vect n2 = unitaire(difference(J, P0));
    Plan Pl1;
    Pl1.setABCD(n1.abs(), n1.ord(), n1.cote(),
                -n1.abs() * I.getX0() - n1.ord() * I.getY0() - n1.cote() * I.getZ0());
    Plan Pl2;
    Pl2.setABCD(n2.abs(), n2.ord(), n2.cote(),
                -n2.abs() * J.getX0() - n2.ord() * J.getY0() - n2.cote() * J.getZ0());
    const Droite D1 = Pl1.intersection2Plans(Pl2);
    return intersectionPlanDroite(D1);
}

namespace {

// One of the two points where the line (A, v), v a unit vector, meets the
// circle of centre O and radius rayon lying in a plane through that line:
// proj + lambda v when eps > 0, proj - lambda v otherwise. A line that
// misses the circle gives non-finite coordinates.
Point pointCercleSurDroite(const Point& O, double rayon, const Point& A, const vect& v,
                           double eps) {
    Point proj;
    proj.projOrtho(O, A, v);
    const double distOproj = O.distance(proj);
    const double lambda = std::sqrt(rayon * rayon - distOproj * distOproj);
    const vect vi = lambda * v;
    const Point I1 = proj.trans(vi);
    const Point I2 = proj.trans(-vi);
    return eps > 0 ? I1 : I2;
}

} // namespace

Point Plan::cercleInterPlan(Point P1, Point P2, Point P3, double eps) {
    const vect n = normaleUnitaire(difference(P2, P1), difference(P2, P3));
    const Plan pl1 = planNormalPoint(n, P1);
    Plan p;
    p.setABCD(a, b, c, d);
    const Droite dl = p.intersection2Plans(pl1);
    Point O;
    O.centreCercle(P1, P2, P3);
    const double rayon = O.distance(P1);
    return pointCercleSurDroite(O, rayon, dl.getP(), dl.getV(), eps);
}

Point Plan::cercleInterPlan2(Point P1, Point P2, Point P3, Point O, double eps) {
    Plan pl1;
    pl1.defPlan3Points(P1, P2, P3);
    Plan p;
    p.setABCD(a, b, c, d);
    const Droite dl = p.intersection2Plans(pl1);
    const double rayon = O.distance(P1);
    return pointCercleSurDroite(O, rayon, dl.getP(), dl.getV(), eps);
}

int Plan::inter2Cercles(Point PA, Point PB, Point PC, Point PD, Point PE, Point PF) {
    const vect n1 = normaleUnitaire(difference(PB, PA), difference(PB, PC));
    Plan Pl1 = planNormalPoint(n1, PB);
    Point o1;
    o1.centreCercle(PA, PB, PC);
    const double r1 = o1.distance(PA);

    const vect n2 = normaleUnitaire(difference(PE, PD), difference(PE, PF));
    const Plan Pl2 = planNormalPoint(n2, PE);
    Point o2;
    o2.centreCercle(PD, PE, PF);
    const double r2 = o2.distance(PD);

    const Droite delta = Pl1.intersection2Plans(Pl2);
    Point projo1, projo2;
    projo1.projOrtho(o1, delta.getP(), delta.getV());
    projo2.projOrtho(o2, delta.getP(), delta.getV());
    const double dist1 = o1.distance(projo1);
    const double dist2 = o2.distance(projo2);

    if (std::fabs(dist1 - r1) < 0.0001 && std::fabs(dist2 - r2) < 0.0001)
        return 1;
    if (dist1 < r1 && dist2 < r2)
        return 2;
    return 0;
}

bool Plan::intersectionDroiteDisque(Point P0, Point P1, Point P2, Droite D) {
    Plan Pl;
    Pl.defPlan3Points(P0, P1, P2);
    const Point M = Pl.intersectionPlanDroite(D);
    const Point O = Pl.centreCercle3points(P0, P1, P2);
    const double R = O.distance(P0);
    const double dx = O.getX0() - M.getX0();
    const double dy = O.getY0() - M.getY0();
    const double dz = O.getZ0() - M.getZ0();
    return R * R >= dx * dx + dy * dy + dz * dz;
}
