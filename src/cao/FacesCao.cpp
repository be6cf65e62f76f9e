#include "cao/FacesCao.h"

#include <GeomConvert_BSplineSurfaceToBezierSurface.hxx>
#include <Geom_BSplineSurface.hxx>
#include <Geom_BezierSurface.hxx>
#include <Geom_Circle.hxx>
#include <Geom_ConicalSurface.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Line.hxx>
#include <Geom_OffsetSurface.hxx>
#include <Geom_Plane.hxx>
#include <Geom_RectangularTrimmedSurface.hxx>
#include <Geom_SphericalSurface.hxx>
#include <Geom_SurfaceOfLinearExtrusion.hxx>
#include <Geom_SurfaceOfRevolution.hxx>
#include <Geom_ToroidalSurface.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <Standard_Failure.hxx>
#include <TColGeom_Array2OfBezierSurface.hxx>
#include <gp_Lin.hxx>

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <new>

namespace cyclide {

namespace {

const double PI = 3.14159265358979323846;

// A number in a verdict: at most 12 significant digits, no trailing zeros.
std::string nombreVerdict(double v) {
    char texte[32];
    std::snprintf(texte, sizeof texte, "%.12g", v);
    return texte;
}

std::string vecteur(const gp_XYZ& v) {
    return "(" + nombreVerdict(v.X()) + ", " + nombreVerdict(v.Y()) + ", " + nombreVerdict(v.Z()) +
           ")";
}

ElementCao ligneSansCarreau(SorteElementCao sorte, int face, long entite, const std::string& surf,
                            const std::string& raison) {
    ElementCao e;
    e.sorte = sorte;
    e.face = face;
    e.entite = entite;
    e.surface = surf;
    e.raison = raison;
    return e;
}

const char* const CAS_LIMITE = " : cas limite d'une cyclide de Dupin";

// The verdict of a plane, a cylinder or a cone, "" for another surface.
std::string verdictLimite(const Handle(Geom_Surface) & s, std::string& nom) {
    if (auto p = Handle(Geom_Plane)::DownCast(s)) {
        nom = "plan";
        return "le carreau est sur un plan de normale " + vecteur(p->Axis().Direction().XYZ()) +
               CAS_LIMITE;
    }
    if (auto c = Handle(Geom_CylindricalSurface)::DownCast(s)) {
        nom = "cylindre";
        return "le carreau est sur un cylindre de rayon " + nombreVerdict(c->Radius()) + " d'axe " +
               vecteur(c->Axis().Direction().XYZ()) + CAS_LIMITE;
    }
    if (auto k = Handle(Geom_ConicalSurface)::DownCast(s)) {
        nom = "cone";
        return "le carreau est sur un cone de demi-angle " +
               nombreVerdict(std::fabs(k->SemiAngle()) * 180 / PI) + " degres d'axe " +
               vecteur(k->Axis().Direction().XYZ()) + CAS_LIMITE;
    }
    return "";
}

// A surface of revolution of a straight line: a cylinder, a cone or a
// plane, "" when the line is skew to the axis.
std::string verdictRevolutionDroite(const gp_Ax1& axe, const gp_Lin& l, std::string& nom) {
    const gp_Dir d = axe.Direction();
    const double cosinus = std::fabs(d.Dot(l.Direction()));
    const gp_Vec vers(axe.Location(), l.Location());
    const double decalage = std::fabs(gp_Vec(d).Crossed(gp_Vec(l.Direction())).Dot(vers));
    const double echelle = 1 + vers.Magnitude();
    if (decalage > 1e-9 * echelle)
        return "";
    if (cosinus > 1 - 1e-12) {
        nom = "cylindre";
        return "le carreau est sur un cylindre de rayon " +
               nombreVerdict(gp_Lin(axe).Distance(l.Location())) + " d'axe " + vecteur(d.XYZ()) +
               CAS_LIMITE;
    }
    if (cosinus < 1e-12) {
        nom = "plan";
        return "le carreau est sur un plan de normale " + vecteur(d.XYZ()) + CAS_LIMITE;
    }
    nom = "cone";
    return "le carreau est sur un cone de demi-angle " +
           nombreVerdict(std::acos(cosinus) * 180 / PI) + " degres d'axe " + vecteur(d.XYZ()) +
           CAS_LIMITE;
}

// A circle about an axis: the profile of a torus or a sphere.
struct Revolution {
    gp_Ax1 axe;     // the axis, turned about by u
    gp_Circ profil; // the circle at u = 0, parametrised by v
};

// Point Q turned by angle t about the axis, and scaled away from it by s.
gp_Pnt tourner(const gp_Ax1& axe, const gp_Pnt& q, double t, double s) {
    const gp_XYZ d = axe.Direction().XYZ();
    const gp_XYZ o = axe.Location().XYZ();
    const gp_XYZ pied = o + d * (q.XYZ() - o).Dot(d);
    const gp_XYZ e = q.XYZ() - pied;
    return gp_Pnt(pied + (e * std::cos(t) + d.Crossed(e) * std::sin(t)) * s);
}

// The exact net of the piece [ua, ub] x [va, vb] (spans at most a quarter
// turn) of a surface of revolution of a circle: the rational quadratic arc
// of the profile, each of its control points carried along its own circle
// about the axis.
RBBP reseauRevolution(const Revolution& r, double ua, double ub, double va, double vb) {
    const double cv = std::cos((vb - va) / 2), cu = std::cos((ub - ua) / 2);
    const gp_Ax2& pos = r.profil.Position();
    const auto profil = [&](double v, double s) {
        return gp_Pnt(pos.Location().XYZ() + (pos.XDirection().XYZ() * std::cos(v) +
                                              pos.YDirection().XYZ() * std::sin(v)) *
                                                 (r.profil.Radius() * s));
    };
    const gp_Pnt q[3] = {profil(va, 1), profil((va + vb) / 2, 1 / cv), profil(vb, 1)};
    const double wv[3] = {1, cv, 1};
    RBBP net;
    for (int i = 0; i < 3; ++i) {
        const double t = i == 0 ? ua : (i == 1 ? (ua + ub) / 2 : ub);
        const double s = i == 1 ? 1 / cu : 1;
        const double wu = i == 1 ? cu : 1;
        for (int j = 0; j < 3; ++j) {
            const gp_Pnt p = tourner(r.axe, q[j], t, s);
            net.setP(i, j, Point(p.X(), p.Y(), p.Z()));
            net.setW(i, j, wu * wv[j]);
        }
    }
    return net;
}

// The profile of a torus or a sphere: the circle at u = 0 in the plane of
// the frame's X and main direction; the axis is X ^ Y, so that turning by u
// follows the surface's own u whether its frame is direct or not.
Revolution revolutionTore(const gp_Ax3& ax, double grand, double petit) {
    const gp_Dir x = ax.XDirection();
    const gp_Ax2 plan(ax.Location().Translated(gp_Vec(x) * grand), x.Crossed(ax.Direction()), x);
    return {gp_Ax1(ax.Location(), x.Crossed(ax.YDirection())), gp_Circ(plan, petit)};
}

// Splits [a, b] into at most quarter turns: the number of pieces.
int pieces(double a, double b) {
    return std::max(1, static_cast<int>(std::ceil(std::fabs(b - a) / (PI / 2) - 1e-9)));
}

// What the digits of the file's numbers that define a surface of
// revolution of a circle leave of its radii, relative to the larger.
double arrondiRevolution(const Revolution& r, int chiffres, std::initializer_list<double> nombres) {
    const gp_Pnt c = r.profil.Location();
    const double grand = gp_Lin(r.axe).Distance(c);
    double demi = std::max(demiUnite(r.profil.Radius(), chiffres), demiUnite(grand, chiffres));
    for (double v :
         {c.X(), c.Y(), c.Z(), r.axe.Location().X(), r.axe.Location().Y(), r.axe.Location().Z()})
        demi = std::max(demi, demiUnite(v, chiffres));
    for (double v : nombres)
        demi = std::max(demi, demiUnite(v, chiffres));
    return 2 * demi / std::max(grand, r.profil.Radius());
}

// The patches of a surface of revolution of a circle over the face's range.
std::vector<ElementCao> carreauxRevolution(int face, long entite, const Revolution& r,
                                           const DomaineFace& d, const std::string& nom,
                                           std::initializer_list<double> nombres = {}) {
    const double arrondi = arrondiRevolution(r, d.chiffres, nombres);
    std::vector<ElementCao> lignes;
    const int nu = pieces(d.u0, d.u1), nv = pieces(d.v0, d.v1);
    for (int i = 0; i < nu; ++i)
        for (int j = 0; j < nv; ++j) {
            ElementCao e;
            e.face = face;
            e.entite = entite;
            e.carreauU = i + 1;
            e.carreauV = j + 1;
            e.surface = nom;
            e.incertitude = arrondi;
            const double du = (d.u1 - d.u0) / nu, dv = (d.v1 - d.v0) / nv;
            e.reseau = reseauRevolution(r, d.u0 + i * du, d.u0 + (i + 1) * du, d.v0 + j * dv,
                                        d.v0 + (j + 1) * dv);
            lignes.push_back(e);
        }
    return lignes;
}

// The biquadratic net of a Bezier patch of degree at most 2 x 2 (raised
// first: the raised patch is the same surface).
RBBP reseauBezier(const Handle(Geom_BezierSurface) & patch) {
    Handle(Geom_BezierSurface) b = Handle(Geom_BezierSurface)::DownCast(patch->Copy());
    b->Increase(2, 2);
    RBBP net;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const gp_Pnt p = b->Pole(i + 1, j + 1);
            net.setP(i, j, Point(p.X(), p.Y(), p.Z()));
            net.setW(i, j, b->Weight(i + 1, j + 1));
        }
    return net;
}

std::string degres(const char* nom, int du, int dv) {
    return std::string(nom) + " de degre " + std::to_string(du) + " x " + std::to_string(dv);
}

gp_Pnt pointOcct(const Point& p) {
    return gp_Pnt(p.getX0(), p.getY0(), p.getZ0());
}

// The circle through three points; false when they are aligned.
bool cercleTroisPoints(const gp_Pnt& p0, const gp_Pnt& p1, const gp_Pnt& p2, gp_Pnt& centre,
                       double& rayon) {
    const gp_Vec a(p0, p1), b(p0, p2);
    const gp_Vec normale = a.Crossed(b);
    if (normale.Magnitude() <= 1e-12 * a.Magnitude() * b.Magnitude())
        return false;
    const gp_Vec vers =
        (b.Crossed(normale) * a.SquareMagnitude() + normale.Crossed(a) * b.SquareMagnitude()) /
        (2 * normale.SquareMagnitude());
    centre = p0.Translated(vers);
    rayon = vers.Magnitude();
    return true;
}

// The circle the boundary v = v of a net follows, checked at a fourth
// point; false when it is not a circle within tol.
bool arcDuBord(const RBBP& n, double v, double tol, gp_Pnt& centre, double& rayon) {
    const gp_Pnt q0 = pointOcct(n.point(0, v)), q1 = pointOcct(n.point(0.5, v)),
                 q2 = pointOcct(n.point(1, v)), q3 = pointOcct(n.point(0.25, v));
    return cercleTroisPoints(q0, q1, q2, centre, rayon) &&
           std::fabs(centre.Distance(q3) - rayon) <= tol;
}

// The verdict of a net on a plane, a cylinder or a cone (its rows i
// straight lines, or its columns), "" for another surface; tol is absolute.
std::string limiteReseau(const RBBP& n, double tol, std::string& nom) {
    gp_Pnt p[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            p[i][j] = pointOcct(n.getP(i, j));
    const gp_Vec normale = gp_Vec(p[0][0], p[2][0]).Crossed(gp_Vec(p[0][0], p[0][2]));
    if (normale.Magnitude() > 0) {
        const gp_Dir d(normale);
        bool plan = true;
        for (const auto& ligne : p)
            for (const gp_Pnt& q : ligne)
                plan = plan && std::fabs(gp_Vec(p[0][0], q).Dot(gp_Vec(d))) <= tol;
        if (plan) {
            nom = "plan";
            return "le carreau est sur un plan de normale " + vecteur(d.XYZ()) + CAS_LIMITE;
        }
    }
    // Straight along j: each row i is a segment.
    for (int i = 0; i < 3; ++i)
        if (gp_Lin(p[i][0], gp_Dir(gp_Vec(p[i][0], p[i][2]))).Distance(p[i][1]) > tol)
            return "";
    gp_Pnt c0, c2;
    double r0 = 0, r2 = 0;
    if (!arcDuBord(n, 0, tol, c0, r0) || !arcDuBord(n, 1, tol, c2, r2))
        return "";
    const gp_Vec d0(p[0][0], p[0][2]), d2(p[2][0], p[2][2]);
    if (d0.Crossed(d2).Magnitude() <= 1e-9 * d0.Magnitude() * d2.Magnitude()) {
        nom = "cylindre";
        return "le carreau est sur un cylindre de rayon " + nombreVerdict((r0 + r2) / 2) +
               " d'axe " + vecteur(gp_Dir(d0).XYZ()) + CAS_LIMITE;
    }
    const double h = c0.Distance(c2);
    if (h <= tol)
        return "";
    nom = "cone";
    return "le carreau est sur un cone de demi-angle " +
           nombreVerdict(std::atan(std::fabs(r0 - r2) / h) * 180 / PI) + " degres d'axe " +
           vecteur(gp_Dir(gp_Vec(c0, c2)).XYZ()) + CAS_LIMITE;
}

// The net with i and j exchanged.
RBBP transposee(const RBBP& n) {
    RBBP t;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            t.setP(i, j, n.getP(j, i));
            t.setW(i, j, n.getW(j, i));
        }
    return t;
}

// The patches of a B-spline face all on one plane, cylinder or cone: the
// verdict of the first, "" otherwise.
std::string limiteFace(const std::vector<ElementCao>& lignes, std::string& nom) {
    std::string verdict;
    for (const ElementCao& e : lignes) {
        double taille = 0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                taille = std::max(
                    taille,
                    pointOcct(e.reseau.getP(0, 0)).Distance(pointOcct(e.reseau.getP(i, j))));
        const double tol = 1e-7 * taille;
        std::string n;
        std::string v = limiteReseau(e.reseau, tol, n);
        if (v.empty())
            v = limiteReseau(transposee(e.reseau), tol, n);
        if (v.empty() || (!nom.empty() && n != nom))
            return "";
        if (verdict.empty())
            verdict = v;
        nom = n;
    }
    return verdict;
}

// The patches of a B-spline surface of degree at most 2 x 2.
std::vector<ElementCao> carreauxBSpline(int face, long entite,
                                        const Handle(Geom_BSplineSurface) & s) {
    GeomConvert_BSplineSurfaceToBezierSurface decoupe(s);
    TColGeom_Array2OfBezierSurface patches(1, decoupe.NbUPatches(), 1, decoupe.NbVPatches());
    decoupe.Patches(patches);
    std::vector<ElementCao> lignes;
    for (int i = patches.LowerRow(); i <= patches.UpperRow(); ++i)
        for (int j = patches.LowerCol(); j <= patches.UpperCol(); ++j) {
            ElementCao e;
            e.face = face;
            e.entite = entite;
            e.carreauU = i - patches.LowerRow() + 1;
            e.carreauV = j - patches.LowerCol() + 1;
            e.surface = "B-spline";
            e.reseau = reseauBezier(patches(i, j));
            lignes.push_back(e);
        }
    return lignes;
}

// The French name of a surface that gives no patch.
std::string sorteSurface(const Handle(Geom_Surface) & s) {
    if (s->IsKind(STANDARD_TYPE(Geom_SurfaceOfRevolution)))
        return "surface de revolution";
    if (s->IsKind(STANDARD_TYPE(Geom_SurfaceOfLinearExtrusion)))
        return "surface d'extrusion";
    if (s->IsKind(STANDARD_TYPE(Geom_OffsetSurface)))
        return "surface decalee";
    return "surface d'un autre genre";
}

// The circle a surface of revolution turns, when its curve is one.
Handle(Geom_Circle) cercleDe(Handle(Geom_Curve) c) {
    while (!Handle(Geom_TrimmedCurve)::DownCast(c).IsNull())
        c = Handle(Geom_TrimmedCurve)::DownCast(c)->BasisCurve();
    return Handle(Geom_Circle)::DownCast(c);
}

Handle(Geom_Line) droiteDe(Handle(Geom_Curve) c) {
    while (!Handle(Geom_TrimmedCurve)::DownCast(c).IsNull())
        c = Handle(Geom_TrimmedCurve)::DownCast(c)->BasisCurve();
    return Handle(Geom_Line)::DownCast(c);
}

// The angle of point p on the profile circle of r once turned back by -u.
double angleProfil(const Revolution& r, const gp_Pnt& p, double u) {
    const gp_XYZ q = tourner(r.axe, p, -u, 1).XYZ() - r.profil.Location().XYZ();
    const gp_Ax2& pos = r.profil.Position();
    return std::atan2(q.Dot(pos.YDirection().XYZ()), q.Dot(pos.XDirection().XYZ()));
}

// a - b brought into (-pi, pi].
double ecartAngle(double a, double b) {
    return std::remainder(a - b, 2 * PI);
}

// The patches of a surface of revolution of a circle r over the face's
// range, the face's v (a parameter of the file's own profile curve) read
// back as the circle's angle at the face's points; ecart, the profile's
// relative distance to the circle, in each row.
std::vector<ElementCao> carreauxMesures(int face, long entite, const Revolution& r,
                                        const Handle(Geom_Surface) & surface,
                                        const DomaineFace& domaine, const std::string& nom,
                                        double ecart) {
    const double u = domaine.u0, vm = (domaine.v0 + domaine.v1) / 2;
    DomaineFace d = domaine;
    d.v0 = angleProfil(r, surface->Value(u, domaine.v0), u);
    const double m = d.v0 + ecartAngle(angleProfil(r, surface->Value(u, vm), u), d.v0);
    d.v1 = m + ecartAngle(angleProfil(r, surface->Value(u, domaine.v1), u), m);
    std::vector<ElementCao> lignes = carreauxRevolution(face, entite, r, d, nom);
    for (ElementCao& e : lignes)
        e.incertitude += ecart;
    return lignes;
}

// The circle a curve follows over [t0, t1] within 1e-5 of its radius (a
// writer's B-spline approximation of a circle); false when it does not.
bool cercleApproche(const Handle(Geom_Curve) & c, double t0, double t1, gp_Circ& cercle,
                    double& ecart) {
    const int n = 16;
    std::vector<gp_Pnt> p;
    for (int k = 0; k <= n; ++k)
        p.push_back(c->Value(t0 + (t1 - t0) * k / n));
    // The circle through p0, p(n/2), pn, then every sample checked on it.
    gp_Pnt centre;
    double rayon = 0;
    if (!cercleTroisPoints(p[0], p[n / 2], p[n], centre, rayon))
        return false;
    ecart = 0;
    const gp_Dir z(gp_Vec(p[0], p[n / 2]).Crossed(gp_Vec(p[0], p[n])));
    for (const gp_Pnt& q : p) {
        const gp_Vec cq(centre, q);
        ecart = std::max({ecart, std::fabs(cq.Magnitude() - rayon) / rayon,
                          std::fabs(cq.Dot(gp_Vec(z))) / rayon});
    }
    if (!(ecart < 1e-5))
        return false;
    cercle = gp_Circ(gp_Ax2(centre, z, gp_Dir(gp_Vec(centre, p[0]))), rayon);
    return true;
}

std::vector<ElementCao> elementsSurface(int face, long entite, Handle(Geom_Surface) s,
                                        const DomaineFace& d) {
    while (!Handle(Geom_RectangularTrimmedSurface)::DownCast(s).IsNull())
        s = Handle(Geom_RectangularTrimmedSurface)::DownCast(s)->BasisSurface();
    std::string nom;
    const std::string limite = verdictLimite(s, nom);
    if (!limite.empty())
        return {ligneSansCarreau(SorteElementCao::Limite, face, entite, nom, limite)};
    if (auto t = Handle(Geom_ToroidalSurface)::DownCast(s))
        return carreauxRevolution(face, entite,
                                  revolutionTore(t->Position(), t->MajorRadius(), t->MinorRadius()),
                                  d, "tore", {t->MajorRadius(), t->MinorRadius()});
    if (auto sp = Handle(Geom_SphericalSurface)::DownCast(s))
        return carreauxRevolution(face, entite, revolutionTore(sp->Position(), 0, sp->Radius()), d,
                                  "sphere", {sp->Radius()});
    if (auto r = Handle(Geom_SurfaceOfRevolution)::DownCast(s)) {
        if (auto cercle = cercleDe(r->BasisCurve()))
            return carreauxRevolution(face, entite, {r->Axis(), cercle->Circ()}, d,
                                      "revolution-cercle");
        gp_Circ cercle;
        double ecart = 0;
        if (cercleApproche(r->BasisCurve(), d.v0, d.v1, cercle, ecart))
            return carreauxMesures(face, entite, {r->Axis(), cercle}, s, d, "revolution-cercle",
                                   ecart);
        if (auto droite = droiteDe(r->BasisCurve())) {
            const std::string v = verdictRevolutionDroite(r->Axis(), droite->Lin(), nom);
            if (!v.empty())
                return {ligneSansCarreau(SorteElementCao::Limite, face, entite, nom, v)};
        }
    }
    if (auto b = Handle(Geom_BezierSurface)::DownCast(s)) {
        if (b->UDegree() > 2 || b->VDegree() > 2)
            return {ligneSansCarreau(SorteElementCao::Ignoree, face, entite, "Bezier",
                                     "surface " + degres("Bezier", b->UDegree(), b->VDegree()))};
        ElementCao e;
        e.face = face;
        e.entite = entite;
        e.surface = "Bezier";
        e.reseau = reseauBezier(b);
        return {e};
    }
    if (auto b = Handle(Geom_BSplineSurface)::DownCast(s)) {
        if (b->UDegree() > 2 || b->VDegree() > 2)
            return {ligneSansCarreau(SorteElementCao::Ignoree, face, entite, "B-spline",
                                     "surface " + degres("B-spline", b->UDegree(), b->VDegree()))};
        std::vector<ElementCao> lignes = carreauxBSpline(face, entite, b);
        const std::string limite = limiteFace(lignes, nom);
        if (!limite.empty())
            return {ligneSansCarreau(SorteElementCao::Limite, face, entite, nom, limite)};
        return lignes;
    }
    return {ligneSansCarreau(SorteElementCao::Ignoree, face, entite, sorteSurface(s),
                             "surface non prise en charge (" + sorteSurface(s) + ")")};
}

// True when every number of the net is finite.
bool reseauFini(const RBBP& r) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const Point p = r.getP(i, j);
            for (double v : {p.getX0(), p.getY0(), p.getZ0(), r.getW(i, j)})
                if (!std::isfinite(v))
                    return false;
        }
    return true;
}

} // namespace

std::vector<ElementCao> elementsFace(int face, long entite, const Handle(Geom_Surface) & surface,
                                     const DomaineFace& domaine) {
    const auto ignoree = [&](const std::string& raison) {
        return std::vector<ElementCao>{
            ligneSansCarreau(SorteElementCao::Ignoree, face, entite, "inconnue", raison)};
    };
    if (surface.IsNull())
        return ignoree("face sans surface");
    for (double v : {domaine.u0, domaine.u1, domaine.v0, domaine.v1})
        if (!std::isfinite(v) || std::fabs(v) > 1e6)
            return ignoree("domaine de parametres de la face non borne");
    try {
        std::vector<ElementCao> lignes = elementsSurface(face, entite, surface, domaine);
        for (const ElementCao& e : lignes)
            if (e.sorte == SorteElementCao::Carreau && !reseauFini(e.reseau))
                return ignoree("donnees invalides : point ou poids non fini");
        return lignes;
    } catch (const Standard_Failure& f) {
        return ignoree(std::string("surface illisible (") + f.DynamicType()->Name() + ")");
    } catch (const std::bad_alloc&) {
        return ignoree("memoire insuffisante pour cette face");
    }
}

std::vector<ElementCao> elementsToreDefini(int face, long entite,
                                           const Handle(Geom_Surface) & surface,
                                           const DomaineFace& domaine,
                                           const Handle(Geom_Surface) & defini) {
    Revolution r;
    std::string nom;
    if (auto t = Handle(Geom_ToroidalSurface)::DownCast(defini)) {
        r = revolutionTore(t->Position(), t->MajorRadius(), t->MinorRadius());
        nom = "tore";
    } else if (auto sp = Handle(Geom_SphericalSurface)::DownCast(defini)) {
        r = revolutionTore(sp->Position(), 0, sp->Radius());
        nom = "sphere";
    } else {
        return elementsFace(face, entite, surface, domaine);
    }
    try {
        return carreauxMesures(face, entite, r, surface, domaine, nom, 0);
    } catch (const Standard_Failure&) {
        return elementsFace(face, entite, surface, domaine);
    }
}

std::string defautBSpline(const DonneesBSpline& d) {
    if (d.degreU < 1 || d.degreV < 1 || d.degreU > 25 || d.degreV > 25)
        return "donnees invalides : degre " + std::to_string(d.degreU) + " x " +
               std::to_string(d.degreV);
    if (!d.polesFinis)
        return "donnees invalides : point de controle non fini";
    for (double w : d.poids)
        if (!(w > 0) || !std::isfinite(w))
            return "donnees invalides : poids nul, negatif ou non fini";
    for (const auto* n : {&d.noeudsU, &d.noeudsV}) {
        for (std::size_t k = 0; k < n->size(); ++k)
            if (!std::isfinite((*n)[k]) || (k > 0 && (*n)[k] < (*n)[k - 1]))
                return "donnees invalides : noeuds dans le desordre ou non finis";
    }
    if (static_cast<long>(d.noeudsU.size()) != d.polesU + d.degreU + 1 ||
        static_cast<long>(d.noeudsV.size()) != d.polesV + d.degreV + 1)
        return "donnees invalides : nombre de noeuds, de poles et degre incoherents";
    if (!d.poids.empty() &&
        static_cast<long>(d.poids.size()) != static_cast<long>(d.polesU) * d.polesV)
        return "donnees invalides : points de controle ou poids manquants";
    return "";
}

} // namespace cyclide
