// surface_para: polymorphic base of the drawable parametric surfaces.
//
// A derived class supplies position, gradient (for normals) and colour
// through the virtual operations; the base turns them into a grid of
// UMAX x VMAX lit OpenGL quadrilaterals with a material per vertex.
// The tessellation evaluates the surface at the grid indices themselves
// (u = 0..UMAX, v = 0..VMAX); the derived class maps them into its ranges.
//
// Contracts: u, v below are grid indices unless said; colours are channel
// values (1 full intensity); positions in the surface's own frame, as its
// fx, fy, fz give them. Non-numbers propagate unless said.
#ifndef CYCLIDE_NOYAU_SURFACE_H
#define CYCLIDE_NOYAU_SURFACE_H

#include <functional>
#include <string>
#include <vector>

class Point;

class surface_para {
  public:
    // The default surface: named "Surface.off", parameter box [0, 2 pi] x
    // [-1.2, 2 pi], an 80 x 80 grid, every channel 0; with the given
    // parameter box; with the given box and grid (the vertex, face and edge
    // counts follow the grid).
    surface_para();
    surface_para(double umin, double umax, double vmin, double vmax);
    surface_para(double umin, double umax, double vmin, double vmax, int umaxGrid, int vmaxGrid);
    surface_para(const surface_para&) = default;
    surface_para& operator=(const surface_para&) = default;
    virtual ~surface_para();

    // --- Virtual operations, in slot order -------------------------------
    // Position at (u, v); by default the unit cylinder (cos u, sin u, v).
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
    // Colour functions of grid indices (u, v), with a wave count w: they
    // write the channels; by default the ambient channel only.
    // Degenerate: UMAX or VMAX of 0 gives non-finite channels.
    virtual void fR(double u, double v);
    virtual void fG(double u, double v);
    virtual void fB(double u, double v);
    virtual void fR(double u, double v, double w);
    virtual void fG(double u, double v, double w);
    virtual void fB(double u, double v, double w);

    // --- Non-virtual operations ------------------------------------------
    // Unit normal at (u, v) from the (virtual) gradient.
    // Degenerate: a zero gradient gives non-finite components.
    double normalx(double u, double v);
    double normaly(double u, double v);
    double normalz(double u, double v);
    // Euclidean length of (xx, yy, zz), squares and root through pow.
    double norme(double xx, double yy, double zz);
    // Evaluates the point at (u, v), stores it in x, y, z and returns its
    // distance to the origin.
    double distance(double u, double v);
    // Affine map sending x0 to m and x1 to M, evaluated at x; its slope.
    // Degenerate: equal ends would divide by zero, so x1 is then taken as
    // x0 + 1.
    double f_aff(double x0, double x1, double m, double M, double x);
    double df_aff(double x0, double x1, double m, double M);
    // Grid index of the parameter X0 for a u or v grid spanning [0, 2 pi]
    // (Units: radians), [0, M1] or [m1, M1].
    // Degenerate: M1 = 0, or m1 = M1, gives a non-finite index.
    double solU(double X0);
    double solV(double X0);
    double solV(double X0, double M1);
    double solV(double X0, double m1, double M1);

    // Colour families (parameters: u, v, w, then the coefficients).
    // Five coefficients: a wave of amplitude co1 about co on the ambient
    // channel, fixed or simple waves on the other two channels. Nine: one
    // wave per channel (ambient co/co1, diffuse coa/co1a, specular
    // cob/co1b). fR1, fG1, fB1: the waves of the five-coefficient family,
    // returned without writing any channel.
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
    // Draws the UMAX x VMAX lit quadrilaterals of the grid, each corner with
    // its own materials (alpha 0.5), normal and vertex, then flushes. The
    // choix* arguments choose the colour of each channel and on which faces
    // the ambient, diffuse and specular materials go.
    // Degenerate: a negative grid size draws nothing (only the flush).
    // openGL(): colour choice 1 and materials on both faces.
    // openGL(choix, choixMat, choixAmb, choixDiff): one colour choice for the
    // three channels, then the face choices.
    // openGL(choixR, choixG, choixB, ...): coloured by the virtual colour
    // functions with the three choices as their third argument.
    // openGL(choixNormal, choixR, cR, ...): coloured by the nine-coefficient
    // family; a choixNormal of 0 or less reverses every normal.
    // openGL(choixR, cR, cR2, cRa, ...): the same with the surface's own
    // normals. openGL(choixR, cR, cR2, choixG, ...): only the ambient wave,
    // diffuse and specular channels 0.
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
    // Iso-curve v = psi (traceU) or u = theta (traceV), grid indices, drawn
    // as UMAX or VMAX segments of the given colour and width with lighting
    // off; lighting is switched back on afterwards.
    void traceU(int psi, float red, float green, float blue, float size);
    void traceV(int theta, float red, float green, float blue, float size);

    // --- Accessors ---------------------------------------------------------
    // Out: the stored name, last point, channels, parameter box, grid and
    // counts; the put* store theirs (the counts are not recomputed).
    // Degenerate: none.
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
