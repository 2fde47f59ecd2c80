// Concrete and steel classes of the two material selectors, and the material
// update that every curve generation starts with.
//
// Fcd and Fyd in kN/cm²: fck in MPa divided by 10·GammaC, fyk in kN/cm² divided
// by GammaS. EpsYd in per mil.
#pragma once

#include "engine/case/UVariav.h"

#include <array>
#include <cstdint>

namespace flexara {

constexpr int ConcreteClassCount = 12; // "C-15" .. "C-80"
constexpr int ConcreteOtherIndex = 12; // "Outro": a strength typed by the user
constexpr int ConcreteItemCount = 13;
constexpr int SteelClassCount = 4;      // "CA-25 A", "CA-50 A", "CA-50 B", "CA-60 B"
constexpr int DefaultConcreteIndex = 3; // "C-30"
constexpr int DefaultSteelIndex = 1;    // "CA-50 A"

extern const std::array<const char*, ConcreteItemCount> ConcreteItems;
extern const std::array<double, ConcreteClassCount> ConcreteFck; // MPa
extern const std::array<const char*, SteelClassCount> SteelItems;
extern const std::array<double, SteelClassCount> SteelFyk; // kN/cm²

// The selections of the two selectors: an item index, or -1 for none.
struct MaterialSelection {
    std::int32_t concreteIndex = DefaultConcreteIndex;
    std::int32_t steelIndex = DefaultSteelIndex;
};

// Fcd from a preset class (0..11); "Outro" and no selection leave Fcd alone,
// and so does a factor that would make it infinite (the fault flag stays raised).
void ApplyConcreteSelection(AnalysisState& s, std::int32_t concreteIndex);
// Fyd from the steel class (0..3); no selection leaves Fyd alone.
void ApplySteelSelection(AnalysisState& s, std::int32_t steelIndex);
// Fcd of a custom characteristic strength fck (MPa).
double CustomConcreteFcd(double fck, double gammaC);
// The characteristic strength (MPa) that corresponds to the present Fcd.
double CurrentConcreteFck(const AnalysisState& s);

// The material update of a generation: Fcd and Fyd from the selectors, then
// SteelClass and the design yield strain EpsYd (plus 2 per mil for the
// cold-worked classes in the classic model; Fyd/Es alone for every class in
// the code models). Raises no fault itself; the caller tests the flags.
void UpdateMaterials(AnalysisState& s, const MaterialSelection& selection);

} // namespace flexara
