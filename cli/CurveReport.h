// The curve of one case as the batch tool reports it: what a generation sent to
// its chart, collected, and written as JSON, CSV or SVG.
#pragma once

#include "Capacity.h"
#include "Curve.h"

#include <optional>
#include <string>
#include <vector>

namespace flexara {

struct CurveReport {
    std::string status = "ok"; // "ok", "refused", "out-of-range" or "error"
    std::vector<std::string> warnings;
    std::optional<std::string> error;
    double nd = 0.0;
    std::optional<ReferenceForces> references;
    std::vector<Point> points; // kN·m, in the order generated, closing copy included
    std::optional<Point> designPoint;
    std::optional<std::string> ratio; // empty when the ratio itself faulted
};

// Collects what a generation shows.
class CollectingSink : public CurveSink {
public:
    explicit CollectingSink(CurveReport& report) : report(report) {}
    void ClearCurve() override
    {
        report.points.clear();
        report.designPoint.reset();
    }
    void AddCurvePoint(double mx, double my) override { report.points.push_back(Point{mx, my}); }
    void AddDesignPoint(double mx, double my) override { report.designPoint = Point{mx, my}; }
    void SetOutOfRangeNotice(bool shown) override { noticeShown = shown; }
    void Warn(CurveWarning warning) override { report.warnings.emplace_back(WarningText(warning)); }
    void FirstReferences(const ReferenceForces& references) override { report.references = references; }
    bool noticeShown = false;

private:
    CurveReport& report;
};

std::string ReportJson(const CurveReport& report);
std::string ReportCsv(const CurveReport& report);
std::string ReportSvg(const CurveReport& report);

} // namespace flexara

namespace flexara {
struct AnalysisState;
// Generates the curve of a loaded case (state and selections) and collects it;
// a numeric fault ends in the status "error" with the points added before it.
CurveReport GenerateReport(AnalysisState& state, const MaterialSelection& selection);
} // namespace flexara
