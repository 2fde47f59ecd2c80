#include "CurveReport.h"

#include "ChartScale.h"
#include "JsonText.h"
#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace flexara {

namespace {

std::string JsonPoint(Point p)
{
    return "[" + JsonNumber(p.x) + ", " + JsonNumber(p.y) + "]";
}

} // namespace

std::string ReportJson(const CurveReport& r)
{
    std::string out = "{\n";
    out += "  \"status\": " + JsonString(r.status) + ",\n";
    out += "  \"warnings\": [";
    for (std::size_t i = 0; i < r.warnings.size(); ++i)
        out += (i ? ", " : "") + JsonString(r.warnings[i]);
    out += "],\n";
    out += "  \"error\": " + (r.error ? JsonString(*r.error) : std::string("null")) + ",\n";
    out += "  \"nd\": " + JsonNumber(r.nd) + ",\n";
    if (r.references) {
        out += "  \"references\": {\"N1\": " + JsonNumber(r.references->N1) +
               ", \"N2\": " + JsonNumber(r.references->N2) + ", \"N3\": " + JsonNumber(r.references->N3) +
               ", \"N4\": " + JsonNumber(r.references->N4) + "},\n";
    } else {
        out += "  \"references\": null,\n";
    }
    out += "  \"points\": [";
    for (std::size_t i = 0; i < r.points.size(); ++i)
        out += (i ? ",\n    " : "\n    ") + JsonPoint(r.points[i]);
    out += r.points.empty() ? "],\n" : "\n  ],\n";
    out += "  \"design_point\": " + (r.designPoint ? JsonPoint(*r.designPoint) : std::string("null")) + ",\n";
    out += "  \"ratio\": " + (r.ratio ? JsonString(*r.ratio) : std::string("null")) + ",\n";
    RayCapacity capacity;
    if (r.designPoint)
        capacity = CapacityAlongRay(r.points, *r.designPoint);
    out += std::string("  \"inside\": ") + (capacity.inside ? "true" : "false") + ",\n";
    out +=
        "  \"utilisation\": " + (capacity.utilisation ? JsonNumber(*capacity.utilisation) : std::string("null")) + "\n";
    out += "}\n";
    return out;
}

std::string ReportCsv(const CurveReport& r)
{
    std::string out = "Mx;My\n";
    for (const Point& p : r.points)
        out += ShortestReal(p.x) + ";" + ShortestReal(p.y) + "\n";
    return out;
}

namespace {

std::string Num(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

} // namespace

std::string ReportSvg(const CurveReport& r)
{
    constexpr double width = 640, height = 640, margin = 70;
    // The view: the curve and the design point, or the notice's square.
    double minX = -100, maxX = 100, minY = -100, maxY = 100;
    std::vector<Point> all = r.points;
    if (r.designPoint)
        all.push_back(*r.designPoint);
    const bool data = !all.empty() && r.status != "out-of-range";
    if (data) {
        minX = maxX = all[0].x;
        minY = maxY = all[0].y;
        for (const Point& p : all) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    const AxisScale scaleX = ScaleAxis(minX, maxX, data || r.status == "out-of-range");
    const AxisScale scaleY = ScaleAxis(minY, maxY, data || r.status == "out-of-range");
    minX = scaleX.low;
    maxX = scaleX.high;
    minY = scaleY.low;
    maxY = scaleY.high;
    const double plotW = width - 2 * margin, plotH = height - 2 * margin;
    // In extended precision: the bounds may be near the ends of the double range.
    auto px = [&](double x) {
        return static_cast<double>(margin + (static_cast<long double>(x) - minX) /
                                                (static_cast<long double>(maxX) - minX) * plotW);
    };
    auto py = [&](double y) {
        return static_cast<double>(
            height - margin - (static_cast<long double>(y) - minY) / (static_cast<long double>(maxY) - minY) * plotH);
    };

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"640\" viewBox=\"0 0 640 640\" "
           "font-family=\"Liberation Sans, Arial, sans-serif\" font-size=\"12\">\n";
    out += "<rect width=\"640\" height=\"640\" fill=\"white\"/>\n";
    out += "<text x=\"320\" y=\"30\" text-anchor=\"middle\" font-size=\"16\">Diagrama de Interação (Nd = " +
           ShortestReal(r.nd) + " kN)</text>\n";
    // Grid and tick labels, at most MaxAxisLabels of each.
    out += "<g stroke=\"#d0d0d0\" stroke-width=\"1\">\n";
    for (int i = 0; i < AxisLabelCount(scaleX); ++i) {
        const std::string x = Num(px(AxisLabelValue(scaleX, i)));
        out += "<line x1=\"" + x + "\" y1=\"" + Num(py(minY)) + "\" x2=\"" + x + "\" y2=\"" + Num(py(maxY)) + "\"/>\n";
    }
    for (int i = 0; i < AxisLabelCount(scaleY); ++i) {
        const std::string y = Num(py(AxisLabelValue(scaleY, i)));
        out += "<line x1=\"" + Num(px(minX)) + "\" y1=\"" + y + "\" x2=\"" + Num(px(maxX)) + "\" y2=\"" + y + "\"/>\n";
    }
    out += "</g>\n<g fill=\"black\">\n";
    for (int i = 0; i < AxisLabelCount(scaleX); ++i) {
        const double x = AxisLabelValue(scaleX, i);
        out += "<text x=\"" + Num(px(x)) + "\" y=\"" + Num(py(minY) + 18) + "\" text-anchor=\"middle\">" +
               AxisLabelText(scaleX, x) + "</text>\n";
    }
    for (int i = 0; i < AxisLabelCount(scaleY); ++i) {
        const double y = AxisLabelValue(scaleY, i);
        out += "<text x=\"" + Num(px(minX) - 6) + "\" y=\"" + Num(py(y) + 4) + "\" text-anchor=\"end\">" +
               AxisLabelText(scaleY, y) + "</text>\n";
    }
    out += "</g>\n";
    // Axes through the origin when it is in view, and the frame.
    out += "<rect x=\"" + Num(margin) + "\" y=\"" + Num(margin) + "\" width=\"" + Num(plotW) + "\" height=\"" +
           Num(plotH) + "\" fill=\"none\" stroke=\"black\"/>\n";
    if (minX <= 0 && maxX >= 0)
        out += "<line x1=\"" + Num(px(0)) + "\" y1=\"" + Num(py(minY)) + "\" x2=\"" + Num(px(0)) + "\" y2=\"" +
               Num(py(maxY)) + "\" stroke=\"black\"/>\n";
    if (minY <= 0 && maxY >= 0)
        out += "<line x1=\"" + Num(px(minX)) + "\" y1=\"" + Num(py(0)) + "\" x2=\"" + Num(px(maxX)) + "\" y2=\"" +
               Num(py(0)) + "\" stroke=\"black\"/>\n";
    out += "<text x=\"320\" y=\"" + Num(height - 20) + "\" text-anchor=\"middle\">Mxd (kN.m)</text>\n";
    out += "<text x=\"20\" y=\"320\" text-anchor=\"middle\" transform=\"rotate(-90 20 320)\">Myd (kN.m)</text>\n";

    if (!r.points.empty()) {
        out += "<polyline fill=\"none\" stroke=\"red\" stroke-width=\"1.5\" points=\"";
        for (const Point& p : r.points)
            out += Num(px(p.x)) + "," + Num(py(p.y)) + " ";
        out += "\"/>\n";
    }
    if (r.designPoint)
        out += "<circle cx=\"" + Num(px(r.designPoint->x)) + "\" cy=\"" + Num(py(r.designPoint->y)) +
               "\" r=\"4\" fill=\"navy\" stroke=\"blue\"/>\n";
    if (r.status == "out-of-range") {
        out += "<rect x=\"" + Num(px(-100)) + "\" y=\"" + Num(py(100)) + "\" width=\"" + Num(px(100) - px(-100)) +
               "\" height=\"" + Num(py(-100) - py(100)) + "\" fill=\"white\" stroke=\"blue\"/>\n";
        for (std::size_t i = 0; i < OutOfRangeNoticeLines.size(); ++i)
            out += "<text x=\"320\" y=\"" + Num(275 + 22 * static_cast<double>(i)) +
                   "\" text-anchor=\"middle\" fill=\"red\" font-size=\"16\">" + OutOfRangeNoticeLines[i] + "</text>\n";
    }
    for (std::size_t i = 0; i < r.warnings.size(); ++i)
        out += "<text x=\"320\" y=\"" + Num(60 + 18 * static_cast<double>(i)) +
               "\" text-anchor=\"middle\" fill=\"red\">" + r.warnings[i] + "</text>\n";
    if (r.error)
        out += "<text x=\"320\" y=\"60\" text-anchor=\"middle\" fill=\"red\">" + *r.error + "</text>\n";
    out += "</svg>\n";
    return out;
}

} // namespace flexara

#include "Faults.h"
#include "Ratio.h"

namespace flexara {

CurveReport GenerateReport(AnalysisState& state, const MaterialSelection& selection)
{
    CurveReport report;
    report.nd = state.Nd;
    CollectingSink sink(report);
    try {
        const CurveOutcome outcome = GenerateCurve(state, selection, sink);
        if (outcome.refused)
            report.status = "refused";
        else if (outcome.outOfRange)
            report.status = "out-of-range";
    } catch (const EngineError& error) {
        report.status = "error";
        report.error = WithFullStop(error.what());
    }
    // The ratio label is refreshed at the end of every generation, also after a fault.
    try {
        report.ratio = UpdateReinforcementRatio(state);
    } catch (const EngineError& error) {
        report.status = "error";
        if (!report.error)
            report.error = WithFullStop(error.what());
    }
    return report;
}

} // namespace flexara
