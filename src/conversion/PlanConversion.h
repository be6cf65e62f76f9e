// PlanConversion: the auxiliary plane of the general conversion, the one
// choice of plane every module after the record takes.
#ifndef CYCLIDE_CONVERSION_PLANCONVERSION_H
#define CYCLIDE_CONVERSION_PLANCONVERSION_H

namespace cyclide {

// The plane that cuts the patch in the general conversion: Pz is
// perpendicular to the axis k0 of the construction ("Plan Pz", the default),
// Py to the axis j0 ("Plan Py"). The values are the record's choixplan
// (RBBPd::conversion, RBBPd::calculConversion: 1 the plane Pz, any other
// value the plane Py), written "z" and "y" in the outputs.
enum class PlanConversion { Py = 0, Pz = 1 };

// The record's choixplan of a plane: 1 for Pz, 0 for Py.
constexpr int choixPlan(PlanConversion plan) {
    return plan == PlanConversion::Pz ? 1 : 0;
}

// The other plane.
constexpr PlanConversion autrePlan(PlanConversion plan) {
    return plan == PlanConversion::Pz ? PlanConversion::Py : PlanConversion::Pz;
}

} // namespace cyclide

#endif
