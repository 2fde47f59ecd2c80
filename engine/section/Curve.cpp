#include "engine/section/Curve.h"

#include "engine/Faults.h"
#include "engine/Trigonometry.h"
#include "engine/Units.h"
#include "engine/case/BarLayout.h"
#include "engine/section/CalculationModel.h"
#include "engine/section/ParabolaRectangle.h"
#include "engine/section/Uproced.h"

#include <cmath>

namespace flexara {

using Real = long double;

namespace {

int Clamp(int value, int high)
{
    return value < 0 ? 0 : (value > high ? high : value);
}

int BarsOf(const BarLine& line)
{
    return BarsInLine(line);
}

enum class Search { A, B, C };

} // namespace

// One click of "Gerar gráfico" from the preparation to the closing copy. An
// angle's references and point depend on that angle alone (and on the
// preparation): nothing computed for one angle is read at the next, so a
// single angle computed on its own gives the whole curve's point there.
class CurveGeneration {
public:
    CurveGeneration(AnalysisState& state, CurveSink& sink) : s(state), sink(sink) {}

    CurveOutcome Run(const MaterialSelection& materials);

    // The preparation of Run up to its first angle (the material update, the
    // bars, the refusals): false when a refusal stops the generation there.
    bool Begin(const MaterialSelection& materials, CurveOutcome& outcome, bool& inside);
    // The section turned to the angle: its top and bottom vertices and
    // extreme bar.
    void TurnTo(const TurnAngle& angle);
    // The axial forces of reference at the angle turned to; throws on a fault.
    ReferenceForces References();
    // The searches at the angle turned to, for the state's Nd: whether one
    // found a state, which, and its point; throws on a fault.
    bool Solve(const ReferenceForces& ref, int& search, Point& point);

    // The point of the strain state last evaluated; throws on a fault.
    Point PointOfState();

private:
    void Prepare();
    void ComputeAngle(CurveOutcome& outcome, bool firstAngle);
    double Evaluate(double topStrain, double barStrain);
    bool RunSearch(Search kind, double a, double b);

    AnalysisState& s;
    CurveSink& sink;
    SteelLaw law;
    ModelParameters model;
    Real blockStress = 0.0L; // AlphaC·Fcd, or the block of the rectangular code model, kN/cm²
    // The ultimate strain states of the model, per mil: the top fibre at its
    // limit (-3.5 or -εcu) and the uniform shortening (-2 or -εc2).
    double topUltimate = ConcreteUltimateStrain;
    double uniformStrain = UniformShorteningStrain;
    Real uniformStress = 0.0L; // the concrete's stress under uniform shortening
    ParabolaRectangleLaw parabola;
    ParabolaOutline parabolaOutline; // the rotated outline of the current angle
    // The strain state last evaluated: the searches need the parabola's force
    // only, its point the first moments of that state.
    double lastTopStrain = 0.0;
    double lastBarStrain = 0.0;
    int vertexCount = 0;
    int lineCount = 0;

    // Working values of the current angle.
    double theta = 0.0;
    Real cosTheta = 1.0L; // of the current angle, computed once per angle
    Real sinTheta = 0.0L;
    double yTop = 0.0;
    double yBot = 0.0;
    double yBar = 0.0; // rotated y of the extreme bar
    int extremeLine = -1;
    int extremeBar = -1;
    // Strain at the extreme bar with the neutral axis through the bottom vertex.
    double barStrainAtBottomAxis = 0.0;
    bool inSearchB = false;

    bool inRangeAtSomeAngle = false;
    double firstMx = 0.0;
    double firstMy = 0.0;
    bool firstKept = false;
};

double CurveGeneration::Evaluate(double topStrain, double barStrain)
{
    const Real ec = topStrain;
    const Real es = barStrain;
    // Ordinate of the neutral axis in the rotated frame.
    const double y0 = static_cast<double>((ec * yBar - es * yTop) / (ec - es));
    s.NeutralAxisOrigin = Point{0.0, y0};

    SectionRecord& sec = s.Section;
    Real concrete = 0.0L; // the concrete's compressive force, kN
    if (model.model == CalculationModel::NbrParabolaRectangle) {
        concrete = parabolaOutline.Force(StrainPlane{yTop, topStrain, yBar, barStrain}, parabola);
        lastTopStrain = topStrain;
        lastBarStrain = barStrain;
        // No block is cut out of the outline in this model.
        sec.CompressedVertexCount = 0;
        sec.CompressedArea = 0.0;
        sec.CompressedCentroid = Point{};
    } else {
        double level = 0.0;
        bool block = true;
        if (model.model == CalculationModel::Classic) {
            // Level of the -0.7 per mil line: the edge of the stress block.
            level = static_cast<double>((static_cast<Real>(yTop) - yBar) * 0.7L / (es - ec) + y0);
        } else {
            // λ·x from the top, and no block while the top fibre is not shortened.
            block = RectangularBlockLevel(StrainPlane{yTop, topStrain, yBar, barStrain}, *model.lambda, level);
        }
        if (block) {
            ClipAtLevel(sec.RotatedVertices.data(), vertexCount, level, sec.CompressedVertices.data(),
                        sec.CompressedVertexCount);
            // Back into the centroidal frame: the rotation by -theta.
            RotatePoints(sec.CompressedVertexCount, sec.CompressedVertices.data(), cosTheta, -sinTheta,
                         sec.CompressedVertices.data());
            PolygonAreaCentroid(sec.CompressedVertexCount, sec.CompressedVertices.data(), sec.CompressedArea,
                                sec.CompressedCentroid);
        } else {
            sec.CompressedVertexCount = 0;
            sec.CompressedArea = 0.0;
            sec.CompressedCentroid = Point{};
        }
        concrete = blockStress * sec.CompressedArea;
    }

    // Distances from the neutral axis. The difference of two doubles is formed
    // directly in double precision: that is the exactly rounded difference,
    // which a detour through 80 bits could only round twice. Every bar level
    // with the extreme bar gets the very same distance.
    double yExtreme =
        s.BarLines[static_cast<std::size_t>(extremeLine)].RotatedBars[static_cast<std::size_t>(extremeBar)].y - y0;
    // Never exactly 0, so that the strains below stay defined.
    if (yExtreme == 0.0)
        yExtreme = inSearchB ? -1e-21 : 1e-21;

    Real force = -concrete;
    for (int k = 0; k < lineCount; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        const int bars = BarsOf(line);
        if (bars == 0)
            continue;
        const int extremeHere = (k == extremeLine) ? extremeBar : -1;
        for (int j = 0; j < bars; ++j) {
            double axisY = line.RotatedBars[static_cast<std::size_t>(j)].y - y0;
            if (j == extremeHere)
                axisY = yExtreme;
            line.AxisBars[static_cast<std::size_t>(j)].y = axisY; // x was set with the angle
            // Product and quotient held to 64 bits before the strain is stored:
            // the extreme bar, and every bar level with it, gets exactly es.
            line.Strains[static_cast<std::size_t>(j)] = static_cast<double>(es * axisY / yExtreme);
        }
        // The bars of a line share their area: the stresses are summed first.
        Real stresses = 0.0L;
        for (int j = 0; j < bars; ++j)
            stresses += law.Stress(line.Strains[static_cast<std::size_t>(j)]);
        force += stresses * line.BarArea;
    }
    // The fault flags are tested once per angle and before every point: a
    // fault here stops the generation there, before anything of it is shown.
    return static_cast<double>(force);
}

bool CurveGeneration::RunSearch(Search kind, double a, double b)
{
    const Real nd = s.Nd;
    const Real h = static_cast<Real>(yTop) - yBot;
    inSearchB = kind == Search::B;
    double previousMid = 0.0;
    bool havePrevious = false;
    bool found = false;
    for (int step = 0; step < SearchStepBudget && !found; ++step) {
        const double mid = static_cast<double>((static_cast<Real>(a) + b) / 2.0L);
        if (havePrevious && mid == previousMid) {
            // The bracket has collapsed onto a jump of N: the state last tried
            // stands for this angle, so the curve stays closed.
            found = true;
            break;
        }
        previousMid = mid;
        havePrevious = true;

        double ec = 0.0;
        double es = 0.0;
        double tried = mid;
        switch (kind) {
        case Search::A: // steel at its limit
            es = SteelUltimateStrain;
            ec = mid;
            if (ec == es)
                ec = static_cast<double>(ec - 1e-5L);
            tried = ec;
            break;
        case Search::B: // concrete at its limit
            ec = topUltimate;
            es = mid;
            if (ec == es)
                es = static_cast<double>(es + 1e-5L);
            tried = es;
            break;
        case Search::C: // whole section shortened: the line turns about the pivot C
            if (model.model == CalculationModel::Classic) {
                // The point 3h/7 below the top at -2; the search runs over the top strain.
                ec = mid;
                es = static_cast<double>(7.0L / (3.0L * h) * (-static_cast<Real>(ec) - 2.0L) *
                                             (static_cast<Real>(yTop) - 3.0L * h / 7.0L - yBar) -
                                         2.0L);
            } else {
                // The point (εcu - εc2)/εcu·h below the top at -εc2, which reaches
                // the top itself from fck = 89.94 MPa on: the search runs over
                // the strain of the bottom vertex, from 0 to -εc2.
                const Real epsC2 = model.epsC2;
                const Real depth = static_cast<Real>(model.pivotDepth) * h;
                const Real turn = (static_cast<Real>(mid) + epsC2) / (h - depth);
                ec = static_cast<double>(-epsC2 - turn * depth);
                es = static_cast<double>(-epsC2 + turn * (static_cast<Real>(yTop) - depth - yBar));
            }
            if (ec == es)
                es = static_cast<double>(es + 1e-5L);
            tried = model.model == CalculationModel::Classic ? ec : mid;
            break;
        }
        const double n = Evaluate(ec, es);
        if (std::fabs(static_cast<Real>(n) - nd) < static_cast<Real>(AxialTolerance)) {
            found = true;
        } else {
            if (n < nd)
                b = tried;
            if (n > nd)
                a = tried;
        }
    }
    inSearchB = false;
    return found;
}

Point CurveGeneration::PointOfState()
{
    const SectionRecord& sec = s.Section;
    Real mx = 0.0L;
    Real my = 0.0L;
    if (model.model == CalculationModel::NbrParabolaRectangle) {
        const ConcreteResultant r = IntegrateParabolaRectangle(
            sec.RotatedVertices.data(), vertexCount, StrainPlane{yTop, lastTopStrain, yBar, lastBarStrain}, parabola);
        // ∫σ·x dA and ∫σ·y dA back into the centroidal frame: the rotation by -theta.
        mx = (sinTheta * r.firstMomentX + cosTheta * r.firstMomentY) / KNcmPerKNm;
        my = (cosTheta * r.firstMomentX - sinTheta * r.firstMomentY) / KNcmPerKNm;
    } else {
        const Real concrete = blockStress * sec.CompressedArea;
        mx = concrete * sec.CompressedCentroid.y / KNcmPerKNm;
        my = concrete * sec.CompressedCentroid.x / KNcmPerKNm;
    }
    for (int k = 0; k < lineCount; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        const int bars = BarsOf(line);
        for (int j = 0; j < bars; ++j) {
            const Real force = static_cast<Real>(law.Stress(line.Strains[static_cast<std::size_t>(j)])) * line.BarArea;
            mx -= force * line.CentroidalBars[static_cast<std::size_t>(j)].y / KNcmPerKNm;
            my -= force * line.CentroidalBars[static_cast<std::size_t>(j)].x / KNcmPerKNm;
        }
    }
    const Point point{static_cast<double>(mx), static_cast<double>(my)};
    CheckFpFaults();
    return point;
}

void CurveGeneration::TurnTo(const TurnAngle& angle)
{
    theta = angle.theta;
    SectionRecord& sec = s.Section;
    cosTheta = angle.cos;
    sinTheta = angle.sin;
    RotatePoints(vertexCount, sec.CentroidalVertices.data(), cosTheta, sinTheta, sec.RotatedVertices.data());
    if (model.model == CalculationModel::NbrParabolaRectangle)
        parabolaOutline.Prepare(sec.RotatedVertices.data(), vertexCount);
    for (int k = 0; k < lineCount; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        if (BarsOf(line) > 0) {
            RotatePoints(BarsOf(line), line.CentroidalBars.data(), cosTheta, sinTheta, line.RotatedBars.data());
            // The neutral axis is horizontal in the rotated frame: the axis frame
            // differs from it in y only.
            for (int j = 0; j < BarsOf(line); ++j)
                line.AxisBars[static_cast<std::size_t>(j)].x = line.RotatedBars[static_cast<std::size_t>(j)].x;
        }
    }

    // Top and bottom vertices: the first with the largest and the smallest rotated y.
    int top = 0;
    int bottom = 0;
    for (int i = 1; i < vertexCount; ++i) {
        if (sec.RotatedVertices[static_cast<std::size_t>(i)].y > sec.RotatedVertices[static_cast<std::size_t>(top)].y)
            top = i;
        if (sec.RotatedVertices[static_cast<std::size_t>(i)].y <
            sec.RotatedVertices[static_cast<std::size_t>(bottom)].y)
            bottom = i;
    }
    yTop = sec.RotatedVertices[static_cast<std::size_t>(top)].y;
    yBot = sec.RotatedVertices[static_cast<std::size_t>(bottom)].y;

    // Extreme bar: the lowest in the rotated frame, starting from bar 1 of the
    // last line that has bars.
    extremeLine = -1;
    for (int k = 0; k < lineCount; ++k)
        if (BarsOf(s.BarLines[static_cast<std::size_t>(k)]) > 0)
            extremeLine = k;
    extremeBar = 0;
    for (int k = 0; k < lineCount; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        for (int j = 0; j < BarsOf(line); ++j)
            if (line.RotatedBars[static_cast<std::size_t>(j)].y <
                s.BarLines[static_cast<std::size_t>(extremeLine)].RotatedBars[static_cast<std::size_t>(extremeBar)].y) {
                extremeLine = k;
                extremeBar = j;
            }
    }
    yBar = s.BarLines[static_cast<std::size_t>(extremeLine)].RotatedBars[static_cast<std::size_t>(extremeBar)].y;
    barStrainAtBottomAxis = static_cast<double>((static_cast<Real>(yBar) - yBot) * static_cast<Real>(topUltimate) /
                                                (static_cast<Real>(yTop) - yBot));
}

ReferenceForces CurveGeneration::References()
{
    const SectionRecord& sec = s.Section;
    ReferenceForces ref;
    Real tension = 0.0L;
    Real shortening = -uniformStress * sec.Area;
    const Real stressAtTension = law.Stress(SteelUltimateStrain);
    const Real stressAtShortening = law.Stress(uniformStrain);
    for (int k = 0; k < lineCount; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        if (BarsOf(line) > 0) {
            tension += stressAtTension * line.BarArea * BarsOf(line);
            shortening += stressAtShortening * line.BarArea * BarsOf(line);
        }
    }
    ref.N1 = static_cast<double>(tension);
    ref.N2 = Evaluate(topUltimate, SteelUltimateStrain);
    double shifted = barStrainAtBottomAxis;
    if (shifted == topUltimate)
        shifted = static_cast<double>(shifted + 1e-5L);
    ref.N3 = Evaluate(topUltimate, shifted);
    ref.N4 = static_cast<double>(shortening);
    CheckFpFaults();
    return ref;
}

bool CurveGeneration::Solve(const ReferenceForces& ref, int& search, Point& point)
{
    const double nd = s.Nd;
    bool converged = false;
    search = 0;
    if (ref.N2 <= nd && nd < ref.N1) {
        converged = RunSearch(Search::A, SteelUltimateStrain, topUltimate);
        search = 0;
    }
    if (!converged && ref.N3 <= nd && nd < ref.N2) {
        converged = RunSearch(Search::B, SteelUltimateStrain, barStrainAtBottomAxis);
        search = 1;
    }
    if (!converged && ref.N4 <= nd && nd < ref.N3) {
        if (model.model == CalculationModel::Classic)
            converged = RunSearch(Search::C, ConcreteUltimateStrain, UniformShorteningStrain);
        else
            converged = RunSearch(Search::C, 0.0, uniformStrain); // over the bottom vertex's strain
        search = 2;
    }
    if (converged)
        point = PointOfState();
    return converged;
}

void CurveGeneration::ComputeAngle(CurveOutcome& outcome, bool firstAngle)
{
    TurnTo(TurnAngleOf(theta));
    const ReferenceForces ref = References();
    if (firstAngle) {
        outcome.referencesKnown = true;
        outcome.firstAngle = ref;
        sink.FirstReferences(ref);
    }
    sink.AngleReferences(theta, ref);

    int search = 0;
    Point point;
    const bool converged = Solve(ref, search, point);
    if (converged) {
        if (firstAngle && theta == 0.0) {
            firstKept = true;
            firstMx = point.x;
            firstMy = point.y;
        }
        sink.AddCurvePoint(point.x, point.y);
        ++outcome.curvePoints;
        ++outcome.pointsBySearch[static_cast<std::size_t>(search)];
    }
    const double nd = s.Nd;
    if (ref.N4 <= nd && nd <= ref.N1) {
        inRangeAtSomeAngle = true; // in range
        if (!converged)
            ++outcome.anglesWithoutPoint;
    }
    // A fault in a search that found no point ends the generation here.
    CheckFpFaults();
}

void CurveGeneration::Prepare()
{
    LayOutBars(s);
    SectionRecord& sec = s.Section;
    PolygonAreaCentroid(vertexCount, sec.Vertices.data(), sec.Area, sec.Centroid);
    for (int k = 0; k < lineCount; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        if (BarsOf(line) > 0)
            line.BarArea = static_cast<double>(Pi * line.Diameter * line.Diameter / 400.0L);
    }
    TranslatePoints(vertexCount, sec.Vertices.data(), sec.Centroid, sec.CentroidalVertices.data());
    for (int k = 0; k < lineCount; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        if (BarsOf(line) > 0)
            TranslatePoints(BarsOf(line), line.Bars.data(), sec.Centroid, line.CentroidalBars.data());
    }
}

bool CurveGeneration::Begin(const MaterialSelection& materials, CurveOutcome& outcome, bool& inside)
{
    ClearFpFaults();
    sink.ClearCurve();
    UpdateMaterials(s, materials);
    CheckFpFaults();
    law = SteelLaw::FromState(s);
    model = CalculationModelParameters(s, materials);
    if (model.model == CalculationModel::Classic) {
        blockStress = static_cast<Real>(s.AlphaC) * s.Fcd;
        topUltimate = ConcreteUltimateStrain;
        uniformStrain = UniformShorteningStrain;
        uniformStress = blockStress;
    } else {
        blockStress = static_cast<Real>(model.stressFactor) * s.Fcd;
        topUltimate = -model.epsCu;
        uniformStrain = -model.epsC2;
        // Under uniform shortening the block covers the whole section, and the
        // parabola is on its plateau.
        uniformStress = blockStress;
        parabola = ParabolaRectangleLaw{blockStress, static_cast<Real>(model.epsC2), *model.exponent};
    }
    vertexCount = Clamp(s.Section.VertexCount, MaxVertices);
    lineCount = Clamp(s.LineCount, MaxLines);

    Prepare();
    theta = 0.0;
    sink.SetOutOfRangeNotice(false);
    CheckFpFaults();
    // Without a steel class there is no steel law to compute with.
    if (materials.steelIndex < 0 || materials.steelIndex >= SteelClassCount)
        throw EngineError(Fault{FaultKind::NoSteelSelected});
    // The code models hold from C20 to C90 only.
    if (IsCodeModel(model.model) && !model.withinCodeRange)
        throw EngineError(Fault{FaultKind::ConcreteStrengthOutsideCode, model.fck});

    bool anyBar = false;
    for (int k = 0; k < lineCount; ++k)
        anyBar = anyBar || BarsOf(s.BarLines[static_cast<std::size_t>(k)]) > 0;

    const SectionRecord& sec = s.Section;
    inside = false;
    if (sec.ShapeKind == ShapeFreePolygon && vertexCount >= 3 &&
        !IsSimpleCounterClockwise(vertexCount, sec.Vertices.data())) {
        // A clockwise or self-crossing outline has no inside to compute with.
        outcome.refused = true;
        sink.Warn(CurveWarning::InvalidOutline);
    } else {
        // A section without concrete or steel; a steel area left over from an
        // earlier edit never stands in for bars that are not there.
        if (sec.Area == 0.0 || s.SteelAreaX100 == 0.0 || !anyBar) {
            outcome.refused = true;
            sink.Warn(CurveWarning::ZeroArea);
        }
        inside = BarsInsideSection(s);
        CheckFpFaults();
        if (!inside && sec.Area != 0.0) {
            outcome.refused = true;
            sink.Warn(CurveWarning::BarsOutside);
        }
    }
    if (outcome.refused)
        return false;
    if (s.CurvePointCount < 0)
        throw EngineError(Fault{FaultKind::NegativePointCount, static_cast<double>(s.CurvePointCount)});
    return true;
}

CurveOutcome CurveGeneration::Run(const MaterialSelection& materials)
{
    CurveOutcome outcome;
    bool inside = false;
    // A refusal shows its warning, never the notice.
    bool inRange = true;
    if (Begin(materials, outcome, inside)) {
        inRangeAtSomeAngle = false;
        bool firstAngle = true;
        while (AngleInTurn(theta)) {
            ComputeAngle(outcome, firstAngle);
            firstAngle = false;
            theta = NextAngle(theta, s.CurvePointCount);
            CheckFpFaults(); // a count of 0 ends here, after the first angle
        }
        inRange = inRangeAtSomeAngle;
    }

    const SectionRecord& sec = s.Section;
    if (inside && inRange && sec.Area != 0.0 && s.SteelAreaX100 != 0.0 && !outcome.refused) {
        if (firstKept) {
            sink.AddCurvePoint(firstMx, firstMy);
            ++outcome.curvePoints;
        }
        sink.AddDesignPoint(s.Mxd, s.Myd);
        outcome.designPointAdded = true;
    }
    if (!inRange) {
        sink.ClearCurve();
        sink.SetOutOfRangeNotice(true);
        outcome.outOfRange = true;
        outcome.curvePoints = 0;
    }
    return outcome;
}

void LayOutBars(AnalysisState& s)
{
    const int lineCount = Clamp(s.LineCount, MaxLines);
    for (int k = 0; k < lineCount; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        const int n = BarsOf(line);
        if (n == 0)
            continue;
        for (int j = 0; j < n; ++j)
            line.Bars[static_cast<std::size_t>(j)] = BarPosition(line, j + 1);
    }
}

CurveOutcome GenerateCurve(AnalysisState& s, const MaterialSelection& materials, CurveSink& sink)
{
    CurveGeneration generation(s, sink);
    return generation.Run(materials);
}

bool AngleInTurn(double theta)
{
    return static_cast<Real>(theta) <= TwoPi;
}

TurnAngle TurnAngleOf(double theta)
{
    return TurnAngle{theta, Cosine(static_cast<Real>(theta)), Sine(static_cast<Real>(theta))};
}

double NextAngle(double theta, std::int32_t count)
{
    const Real step = TwoPi / static_cast<Real>(count);
    return static_cast<double>(static_cast<Real>(theta) + step);
}

// What an angle computed on its own tells no chart.
class SilentCurveSink : public CurveSink {
public:
    void ClearCurve() override {}
    void AddCurvePoint(double, double) override {}
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
};

CurveAngles::CurveAngles() : sink(std::make_unique<SilentCurveSink>()) {}

CurveAngles::~CurveAngles() = default;

bool CurveAngles::Prepare(AnalysisState& s, const MaterialSelection& materials)
{
    state = &s;
    generation = std::make_unique<CurveGeneration>(s, *sink);
    CurveOutcome outcome;
    bool inside = false;
    return generation->Begin(materials, outcome, inside);
}

ReferenceForces CurveAngles::References(const TurnAngle& angle, Point* bottomAxisPoint)
{
    generation->TurnTo(angle);
    const ReferenceForces references = generation->References();
    if (bottomAxisPoint)
        *bottomAxisPoint = generation->PointOfState(); // the state of N3, evaluated last
    return references;
}

std::optional<Point> CurveAngles::PointAt(const TurnAngle& angle, const ReferenceForces& references, double nd)
{
    state->Nd = nd;
    generation->TurnTo(angle);
    int search = 0;
    Point point;
    if (!generation->Solve(references, search, point))
        return std::nullopt;
    return point;
}

} // namespace flexara
