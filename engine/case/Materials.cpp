#include "engine/case/Materials.h"

#include <cmath>

namespace flexara {

const std::array<const char*, ConcreteItemCount> ConcreteItems = {
    "C-15", "C-20", "C-25", "C-30", "C-35", "C-40", "C-45", "C-50", "C-55", "C-60", "C-70", "C-80", "Outro"};
const std::array<double, ConcreteClassCount> ConcreteFck = {15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80};
const std::array<const char*, SteelClassCount> SteelItems = {"CA-25 A", "CA-50 A", "CA-50 B", "CA-60 B"};
const std::array<double, SteelClassCount> SteelFyk = {25, 50, 50, 60};

// A factor of 0 makes the strength infinite: the fault flag is raised for the
// generation to report, and the state keeps its last finite value, so that no
// infinity ever reaches a project file.
void ApplyConcreteSelection(AnalysisState& s, std::int32_t concreteIndex)
{
    if (concreteIndex < 0 || concreteIndex >= ConcreteClassCount)
        return;
    const double fcd = CustomConcreteFcd(ConcreteFck[static_cast<std::size_t>(concreteIndex)], s.GammaC);
    if (std::isfinite(fcd))
        s.Fcd = fcd;
}

void ApplySteelSelection(AnalysisState& s, std::int32_t steelIndex)
{
    if (steelIndex < 0 || steelIndex >= SteelClassCount)
        return;
    const double fyd =
        static_cast<double>(static_cast<long double>(SteelFyk[static_cast<std::size_t>(steelIndex)]) / s.GammaS);
    if (std::isfinite(fyd))
        s.Fyd = fyd;
}

double CustomConcreteFcd(double fck, double gammaC)
{
    // MPa to kN/cm²: divide by 10.
    return static_cast<double>(static_cast<long double>(fck) / (10.0L * gammaC));
}

double CurrentConcreteFck(const AnalysisState& s)
{
    return static_cast<double>(static_cast<long double>(s.Fcd) * s.GammaC * 10.0L);
}

void UpdateMaterials(AnalysisState& s, const MaterialSelection& selection)
{
    ApplyConcreteSelection(s, selection.concreteIndex);
    ApplySteelSelection(s, selection.steelIndex);
    s.SteelClass = selection.steelIndex;
    const long double elasticLimit = static_cast<long double>(s.Fyd) / s.Es * 1000.0L;
    if (IsCodeModel(s.Model) && selection.steelIndex >= 0 && selection.steelIndex < SteelClassCount)
        s.EpsYd = static_cast<double>(elasticLimit);
    else if (selection.steelIndex == 0 || selection.steelIndex == 1)
        s.EpsYd = static_cast<double>(elasticLimit);
    else if (selection.steelIndex == 2 || selection.steelIndex == 3)
        s.EpsYd = static_cast<double>(elasticLimit + 2.0L);
}

} // namespace flexara
