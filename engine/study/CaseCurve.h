// The curve of one case as the batch tool and the report show it: what a
// generation sends to its chart, collected, with the reference forces at
// theta = 0 and the reinforcement ratio label refreshed at its end.
#pragma once

#include "engine/Faults.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Combinations.h"
#include "engine/column/Slenderness.h"
#include "engine/design/Design.h"
#include "engine/diagrams/Surface.h"
#include "engine/section/CalculationModel.h"
#include "engine/section/Curve.h"
#include "engine/study/CaseVerdict.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace flexara {

enum class CurveStatus {
    Ok,         // a curve (or at least the design point) was drawn
    Refused,    // a warning stopped the generation
    OutOfRange, // Nd lies outside what the section resists
    Error,      // a fault ended the generation
};

struct CaseCurve {
    CurveStatus status = CurveStatus::Ok;
    CalculationModel model = CalculationModel::Classic; // the model the curve was computed in
    std::vector<CurveWarning> warnings;                 // in the order shown
    std::optional<Fault> error;                         // the fault that ended it
    double nd = 0.0;
    std::optional<ReferenceForces> references;
    std::vector<Point> points; // kN·m, in the order generated, closing copy included
    std::optional<Point> designPoint;
    std::optional<std::string> ratio; // empty when the ratio itself faulted
};

// Collects what a generation shows.
class CollectingSink : public CurveSink {
public:
    explicit CollectingSink(CaseCurve& curve) : curve(curve) {}
    void ClearCurve() override
    {
        curve.points.clear();
        curve.designPoint.reset();
    }
    void AddCurvePoint(double mx, double my) override { curve.points.push_back(Point{mx, my}); }
    void AddDesignPoint(double mx, double my) override { curve.designPoint = Point{mx, my}; }
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning warning) override { curve.warnings.push_back(warning); }
    void FirstReferences(const ReferenceForces& references) override { curve.references = references; }

private:
    CaseCurve& curve;
};

// The capacity over the whole range of Nd for the report: the surface with
// DefaultSurfaceLevels levels, the N–M diagram along the moment the governing
// combination is judged at (its governing situation's, checked as a column;
// the x direction when it has none, or when no row governs) and the
// combinations as both drawings show them.
struct CaseDiagrams {
    Surface surface;
    NmDiagram diagram;
    std::vector<DiagramLoad> loads;
    int governing = -1; // index into loads, -1 for none
};

// A case studied for a report: on a copy of the case, the curve at its Nd,
// the check of its load combinations and, with them, its diagrams.
struct CaseStudy {
    std::unique_ptr<AnalysisState> state; // its derived fields are those of the generation
    CaseCurve curve;
    CombinationList combinations;
    std::optional<Column> column;          // the case's column: the rows are checked as a column
    std::optional<Detailing> detailing;    // the case's detailing data, when it gives them
    std::optional<CombinationCheck> check; // when there are combinations
    std::optional<CaseDiagrams> diagrams;  // when there are combinations
    std::optional<CaseVerdict> verdict;    // when there are combinations
    ModelParameters model;                 // of the case's calculation model, after the generation
    // The M–N–1/r relation of the governing row at its Nd after γn, bending
    // by bending (Bending), where that row was checked as a column in
    // compression: the record's picture of it.
    std::array<std::optional<DeformationStudy>, BendingCount> deformation;
};
// Points of each side's deformation curve in the record's picture.
constexpr int ReportCurvaturePoints = 100;
CaseStudy StudyCase(const AnalysisState& state, const MaterialSelection& selection, const CombinationList& combinations,
                    const std::optional<Column>& column = std::nullopt,
                    const std::optional<Detailing>& detailing = std::nullopt);

// Generates the curve of a loaded case (state and selections) and collects it;
// a fault ends in the status "error" with the points added before it. The
// state's derived fields are those of the generation afterwards.
CaseCurve GenerateCaseCurve(AnalysisState& state, const MaterialSelection& selection);

} // namespace flexara
