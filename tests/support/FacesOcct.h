// Files written by Open CASCADE's own STEP and IGES writers at their
// default settings, for the CAD tests: faces built with its API, written as
// they are (analytic surfaces) or as B-spline faces.
#ifndef FACES_OCCT_H
#define FACES_OCCT_H

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRep_Builder.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESControl_Writer.hxx>
#include <STEPControl_Writer.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Face.hxx>

#include <string>
#include <vector>

namespace faces_occt {

// The faces as one compound, each turned into a B-spline face when asked.
inline TopoDS_Compound compose(const std::vector<TopoDS_Face>& faces, bool bspline) {
    BRep_Builder b;
    TopoDS_Compound c;
    b.MakeCompound(c);
    for (const TopoDS_Face& f : faces)
        b.Add(c, bspline ? BRepBuilderAPI_NurbsConvert(f).Shape() : TopoDS_Shape(f));
    return c;
}

// Writes the faces to chemin (.step or .igs) at the writers' defaults;
// false when a writer fails.
inline bool ecrire(const std::vector<TopoDS_Face>& faces, bool bspline, const std::string& chemin,
                   bool iges) {
    const TopoDS_Compound c = compose(faces, bspline);
    if (iges) {
        IGESControl_Controller::Init();
        IGESControl_Writer w;
        return w.AddShape(c) && (w.ComputeModel(), w.Write(chemin.c_str()));
    }
    STEPControl_Writer w;
    return w.Transfer(c, STEPControl_AsIs) == IFSelect_RetDone &&
           w.Write(chemin.c_str()) == IFSelect_RetDone;
}

} // namespace faces_occt

#endif
