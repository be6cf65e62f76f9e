// surface_para: polymorphic base of the drawable parametric surfaces.
//
// A derived class supplies position, gradient (for normals) and colour
// through the virtual operations; the base turns them into a grid of
// UMAX x VMAX lit OpenGL quadrilaterals with a material per vertex.
// The tessellation evaluates the surface at the grid indices themselves
// (u = 0..UMAX, v = 0..VMAX); the derived class maps them into its ranges.
#ifndef SURFACE_H
#define SURFACE_H

#include <functional>
#include <string>
#include <vector>

class Point;

class surface_para {
  public:
    surface_para();
    surface_para(double umin, double umax, double vmin, double vmax);
    surface_para(double umin, double umax, double vmin, double vmax, int umaxGrid, int vmaxGrid);
    surface_para(const surface_para&) = default;
    surface_para& operator=(const surface_para&) = default;
    virtual ~surface_para();

    // --- Virtual operations, in slot order -------------------------------
    virtual double fx(double u, double v);
    virtual double fy(double u, double v);
    virtual double fz(double u, double v);
    // Default derivatives and gradient: the constant 2 in every component.
    virtual double dxdu(double, double) { return 2.0; }
    virtual double dydu(double, double) { return 2.0; }
    virtual double dzdu(double, double) { return 2.0; }
    virtual double dxdv(double, double) { return 2.0; }
    virtual double dydv(double, double) { return 2.0; }
    virtual double dzdv(double, double) { return 2.0; }
    virtual double gradx(double, double) { return 2.0; }
    virtual double grady(double, double) { return 2.0; }
    virtual double gradz(double, double) { return 2.0; }
    virtual void fR(double u, double v);
    virtual void fG(double u, double v);
    virtual void fB(double u, double v);
    virtual void fR(double u, double v, double w);
    virtual void fG(double u, double v, double w);
    virtual void fB(double u, double v, double w);

    // --- Non-virtual operations ------------------------------------------
    double normalx(double u, double v);
    double normaly(double u, double v);
    double normalz(double u, double v);
    double norme(double xx, double yy, double zz);
    // Stores the point in x, y, z and returns its distance to the origin.
    double distance(double u, double v);
    // Affine map sending x0 to m and x1 to M (x1 = x0 + 1 when they are equal).
    double f_aff(double x0, double x1, double m, double M, double x);
    double df_aff(double x0, double x1, double m, double M);
    double solU(double X0);
    double solV(double X0);
    double solV(double X0, double M1);
    double solV(double X0, double m1, double M1);

    // Colour families (parameters: u, v, w, then the coefficients).
    void fR(double u, double v, double w, double co, double co1);
    void fG(double u, double v, double w, double co, double co1);
    void fB(double u, double v, double w, double co, double co1);
    void fR(double u, double v, double w, double co, double co1, double coa, double co1a,
            double cob, double co1b);
    void fG(double u, double v, double w, double co, double co1, double coa, double co1a,
            double cob, double co1b);
    void fB(double u, double v, double w, double co, double co1, double coa, double co1a,
            double cob, double co1b);
    double fR1(double u, double v, double w, double co, double co1);
    double fG1(double u, double v, double w, double co, double co1);
    double fB1(double u, double v, double w, double co, double co1);

    // --- Tessellation -----------------------------------------------------
    void openGL();
    void openGL(int choix, int choixMat, int choixAmb, int choixDiff);
    void openGL(int choixR, int choixG, int choixB, int choixAmb, int choixDiff, int choixSpe);
    void openGL(int choixNormal, int choixR, double cR, double cR2, double cRa, double cR2a,
                double cRb, double cR2b, int choixG, double cG, double cG2, double cGa, double cG2a,
                double cGb, double cG2b, int choixB, double cB, double cB2, double cBa, double cB2a,
                double cBb, double cB2b, int choixAmb, int choixDiff, int choixSpe);
    void openGL(int choixR, double cR, double cR2, double cRa, double cR2a, double cRb, double cR2b,
                int choixG, double cG, double cG2, double cGa, double cG2a, double cGb, double cG2b,
                int choixB, double cB, double cB2, double cBa, double cB2a, double cBb, double cB2b,
                int choixAmb, int choixDiff, int choixSpe);
    void openGL(int choixR, double cR, double cR2, int choixG, double cG, double cG2, int choixB,
                double cB, double cB2, int choixAmb, int choixDiff, int choixSpe);
    void traceU(int psi, float red, float green, float blue, float size);
    void traceV(int theta, float red, float green, float blue, float size);

    // --- Accessors ---------------------------------------------------------
    const std::string& getNom() const { return nom; }
    double getx() const { return x; }
    double gety() const { return y; }
    double getz() const { return z; }
    double getR() const { return R; }
    double getG() const { return G; }
    double getB() const { return B; }
    double getRd() const { return Rd; }
    double getGd() const { return Gd; }
    double getBd() const { return Bd; }
    double getRs() const { return Rs; }
    double getGs() const { return Gs; }
    double getBs() const { return Bs; }
    double getUmin() const { return u_min; }
    double getUmax() const { return u_max; }
    double getVmin() const { return v_min; }
    double getVmax() const { return v_max; }
    int getUMAX() const { return UMAX; }
    int getVMAX() const { return VMAX; }
    int getNbre_sommet() const { return nbre_sommet; }
    int getNbre_face() const { return nbre_face; }
    int getNbre_cote() const { return nbre_cote; }
    void putU_min(double v) { u_min = v; }
    void putU_max(double v) { u_max = v; }
    void putV_min(double v) { v_min = v; }
    void putV_max(double v) { v_max = v; }
    void putUMAX(int n) { UMAX = n; }
    void putVMAX(int n) { VMAX = n; }

  protected:
    std::string nom;
    int UMAX;
    int VMAX;
    double u_min;
    double u_max;
    double v_min;
    double v_max;
    double x, y, z;
    double R, G, B;
    double Rd, Gd, Bd;
    double Rs, Gs, Bs;
    int nbre_sommet;
    int nbre_face;
    int nbre_cote;

    // One sample of the tessellation's grid: the point and the unit normal
    // (before any change of sign) at a pair of grid indices.
    struct Echantillon {
        double px, py, pz;
        double nx, ny, nz;
    };
    // Fills grille with the lignes x colonnes samples at the grid indices
    // (i, j), row by row (element i * colonnes + j): the point (fx, fy, fz)
    // and the normal (normalx, normaly, normalz). A derived surface may
    // compute them faster, but must give the very same numbers.
    virtual void echantillonnerGrille(int lignes, int colonnes, std::vector<Echantillon>& grille);
    // True when the colour functions that the tessellation calls write
    // channels that depend on their arguments only: each grid point's colour
    // is then computed once instead of once per corner.
    virtual bool couleursSansEtat() const;

    // The nine colour channels of one grid point.
    struct Couleur {
        double R, G, B;
        double Rd, Gd, Bd;
        double Rs, Gs, Bs;
    };
    // The channels that fR(i, j, wR), fG(i, j, wG), fB(i, j, wB) give at
    // every grid index, row by row (element i * colonnes + j); only called
    // when couleursSansEtat() holds. A derived surface may compute them
    // faster, but must give the very same numbers.
    virtual void couleursGrille(int lignes, int colonnes, double wR, double wG, double wB,
                                std::vector<Couleur>& couleurs);
    // Makes the nine channels those of couleur.
    void poserCouleur(const Couleur& couleur);

  private:
    // Fills the colour channels for the corner at grid indices (s, t).
    using CornerColour = std::function<void(double s, double t)>;
    // The point at grid indices (u, v), for the iso-curves.
    Point pointAt(double u, double v);
    // The common tessellation: normals scaled by normalSign, corner colours
    // from colour, materials placed by the face rule of each choice.
    void tessellate(double normalSign, const CornerColour& colour, int choixAmb, int choixDiff,
                    int choixSpe, const double* ondes = nullptr);
};

#endif
