#include "engine/section/CalculationModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace flexara {

namespace {

using Real = long double;

// A custom strength is judged to the pascal (1e-6 MPa): far above the rounding
// of Fcd·GammaC·10 (a few 1e-14 MPa), far below any digit an engineer types.
constexpr Real StrengthGrid = 1e6L;

} // namespace

double JudgedConcreteStrength(const AnalysisState& s, std::int32_t concreteIndex)
{
    if (concreteIndex >= 0 && concreteIndex < ConcreteClassCount)
        return ConcreteFck[static_cast<std::size_t>(concreteIndex)];
    const Real fck = static_cast<Real>(s.Fcd) * s.GammaC * 10.0L;
    // Far outside the code's range nothing is gained by the grid, and the
    // product could leave the range of the rounding.
    if (!(std::fabs(fck) < 1e9L))
        return static_cast<double>(fck);
    return static_cast<double>(std::nearbyint(fck * StrengthGrid) / StrengthGrid);
}

bool RectangularBlockLevel(const StrainPlane& plane, double lambda, double& level)
{
    const Real ec = plane.topStrain;
    const Real es = plane.refStrain;
    if (!(ec < 0.0L))
        return false;
    if (es == ec) {
        level = std::numeric_limits<double>::lowest();
        return true;
    }
    const Real yTop = plane.yTop;
    level = static_cast<double>(yTop + static_cast<Real>(lambda) * ec * (yTop - plane.yRef) / (es - ec));
    return true;
}

ModelParameters CalculationModelParameters(const AnalysisState& s, const MaterialSelection& materials)
{
    ModelParameters p;
    p.model = s.Model;
    p.fck = JudgedConcreteStrength(s, materials.concreteIndex);
    if (!IsCodeModel(s.Model)) {
        p.model = CalculationModel::Classic;
        p.alphaC = s.AlphaC;
        p.stressFactor = s.AlphaC;
        p.stress = static_cast<double>(static_cast<Real>(s.AlphaC) * s.Fcd);
        return p;
    }
    p.reducedBlockStress = s.ReducedBlockStress && s.Model == CalculationModel::NbrRectangular;
    p.withinCodeRange = p.fck >= CodeMinimumFck && p.fck <= CodeMaximumFck;
    const Real fck =
        std::clamp(static_cast<Real>(p.fck), static_cast<Real>(CodeMinimumFck), static_cast<Real>(CodeMaximumFck));

    Real alphaC = 0.85L;
    Real lambda = 0.8L;
    Real epsC2 = 2.0L;
    Real epsCu = 3.5L;
    Real exponent = 2.0L;
    if (fck > 50.0L) {
        const Real above = fck - 50.0L;
        const Real below = (90.0L - fck) / 100.0L;
        const Real below4 = below * below * below * below;
        alphaC = 0.85L * (1.0L - above / 200.0L);
        lambda = 0.8L - above / 400.0L;
        epsC2 = 2.0L + 0.085L * std::pow(above, 0.53L);
        epsCu = 2.6L + 35.0L * below4;
        exponent = 1.4L + 23.4L * below4;
    }
    // From fck = 89.94 MPa on, the formula puts εc2 beyond εcu (2.6005 against
    // 2.6 per mil at C90); the code's own table gives 2.6 for both, and no
    // fibre may shorten beyond εcu, not even under uniform shortening.
    epsC2 = std::min(epsC2, epsCu);

    p.alphaC = static_cast<double>(alphaC);
    p.lambda = static_cast<double>(lambda);
    p.exponent = static_cast<double>(exponent);
    p.epsC2 = static_cast<double>(epsC2);
    p.epsCu = static_cast<double>(epsCu);
    Real factor = 0.85L;
    if (s.Model == CalculationModel::NbrRectangular)
        factor = p.reducedBlockStress ? 0.9L * alphaC : alphaC;
    p.stressFactor = static_cast<double>(factor);
    p.stress = static_cast<double>(static_cast<Real>(p.stressFactor) * s.Fcd);
    p.pivotDepth = static_cast<double>((epsCu - epsC2) / epsCu);
    return p;
}

} // namespace flexara
