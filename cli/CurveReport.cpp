#include "CurveReport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace flexara {

std::string ShortestReal(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

bool OnSegment(Point a, Point b, Point p)
{
    const long double cross =
        (static_cast<long double>(b.x) - a.x) * (p.y - a.y) - (static_cast<long double>(b.y) - a.y) * (p.x - a.x);
    if (cross != 0.0L)
        return false;
    return p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) &&
           p.y <= std::max(a.y, b.y);
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonPoint(Point p)
{
    return "[" + ShortestReal(p.x) + ", " + ShortestReal(p.y) + "]";
}

} // namespace

bool InsideCurve(const std::vector<Point>& curve, Point p)
{
    const std::size_t n = curve.size();
    if (n < 3)
        return false;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point a = curve[j];
        const Point b = curve[i];
        if (OnSegment(a, b, p))
            return true;
        if ((a.y > p.y) != (b.y > p.y)) {
            const long double x = a.x + (static_cast<long double>(p.y) - a.y) * (static_cast<long double>(b.x) - a.x) /
                                            (static_cast<long double>(b.y) - a.y);
            if (p.x < x)
                inside = !inside;
        }
    }
    return inside;
}

std::optional<double> Utilisation(const std::vector<Point>& curve, Point design)
{
    if (!InsideCurve(curve, Point{0.0, 0.0}))
        return std::nullopt;
    const long double length = std::hypot(static_cast<long double>(design.x), static_cast<long double>(design.y));
    if (length == 0.0L)
        return 0.0;
    const long double dx = design.x / length;
    const long double dy = design.y / length;
    // Nearest crossing of the ray from the origin with the curve.
    long double nearest = -1.0L;
    const std::size_t n = curve.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const long double ax = curve[j].x, ay = curve[j].y;
        const long double ex = curve[i].x - ax, ey = curve[i].y - ay;
        const long double denominator = dx * ey - dy * ex;
        if (denominator == 0.0L)
            continue;
        const long double t = (ax * ey - ay * ex) / denominator; // along the ray
        const long double u = (ax * dy - ay * dx) / denominator; // along the edge
        if (t > 0.0L && u >= 0.0L && u <= 1.0L && (nearest < 0.0L || t < nearest))
            nearest = t;
    }
    if (nearest <= 0.0L)
        return std::nullopt;
    return static_cast<double>(length / nearest);
}

std::string ReportJson(const CurveReport& r)
{
    std::string out = "{\n";
    out += "  \"status\": " + JsonString(r.status) + ",\n";
    out += "  \"warnings\": [";
    for (std::size_t i = 0; i < r.warnings.size(); ++i)
        out += (i ? ", " : "") + JsonString(r.warnings[i]);
    out += "],\n";
    out += "  \"error\": " + (r.error ? JsonString(*r.error) : std::string("null")) + ",\n";
    out += "  \"nd\": " + ShortestReal(r.nd) + ",\n";
    if (r.references) {
        out += "  \"references\": {\"N1\": " + ShortestReal(r.references->N1) +
               ", \"N2\": " + ShortestReal(r.references->N2) + ", \"N3\": " + ShortestReal(r.references->N3) +
               ", \"N4\": " + ShortestReal(r.references->N4) + "},\n";
    } else {
        out += "  \"references\": null,\n";
    }
    out += "  \"points\": [";
    for (std::size_t i = 0; i < r.points.size(); ++i)
        out += (i ? ",\n    " : "\n    ") + JsonPoint(r.points[i]);
    out += r.points.empty() ? "],\n" : "\n  ],\n";
    out += "  \"design_point\": " + (r.designPoint ? JsonPoint(*r.designPoint) : std::string("null")) + ",\n";
    out += "  \"ratio\": " + JsonString(r.ratio) + ",\n";
    const bool haveCurve = r.points.size() >= 3 && r.designPoint.has_value();
    const bool inside = haveCurve && InsideCurve(r.points, *r.designPoint);
    out += std::string("  \"inside\": ") + (inside ? "true" : "false") + ",\n";
    std::optional<double> utilisation;
    if (haveCurve)
        utilisation = Utilisation(r.points, *r.designPoint);
    out += "  \"utilisation\": " + (utilisation ? ShortestReal(*utilisation) : std::string("null")) + "\n";
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

// A round step for about five intervals over the span: 1, 2 or 5 times a power of ten.
double NiceStep(double span)
{
    if (!(span > 0.0))
        return 1.0;
    const double raw = span / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    return (fraction <= 1.0 ? 1.0 : fraction <= 2.0 ? 2.0 : fraction <= 5.0 ? 5.0 : 10.0) * power;
}

std::string Num(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

std::string TickLabel(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(v) < 1e-9 ? 0.0 : v);
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
    if (!all.empty()) {
        minX = maxX = all[0].x;
        minY = maxY = all[0].y;
        for (const Point& p : all) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    const double stepX = NiceStep(maxX - minX > 0 ? maxX - minX : std::max(1.0, std::fabs(maxX)));
    const double stepY = NiceStep(maxY - minY > 0 ? maxY - minY : std::max(1.0, std::fabs(maxY)));
    minX = std::floor(minX / stepX) * stepX;
    maxX = std::ceil(maxX / stepX) * stepX;
    minY = std::floor(minY / stepY) * stepY;
    maxY = std::ceil(maxY / stepY) * stepY;
    if (maxX <= minX)
        maxX = minX + stepX;
    if (maxY <= minY)
        maxY = minY + stepY;
    const double plotW = width - 2 * margin, plotH = height - 2 * margin;
    auto px = [&](double x) { return margin + (x - minX) / (maxX - minX) * plotW; };
    auto py = [&](double y) { return height - margin - (y - minY) / (maxY - minY) * plotH; };

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"640\" viewBox=\"0 0 640 640\" "
           "font-family=\"Liberation Sans, Arial, sans-serif\" font-size=\"12\">\n";
    out += "<rect width=\"640\" height=\"640\" fill=\"white\"/>\n";
    out += "<text x=\"320\" y=\"30\" text-anchor=\"middle\" font-size=\"16\">Diagrama de Interação (Nd = " +
           ShortestReal(r.nd) + " kN)</text>\n";
    // Grid and tick labels.
    out += "<g stroke=\"#d0d0d0\" stroke-width=\"1\">\n";
    for (double x = minX; x <= maxX + stepX * 1e-9; x += stepX)
        out += "<line x1=\"" + Num(px(x)) + "\" y1=\"" + Num(py(minY)) + "\" x2=\"" + Num(px(x)) + "\" y2=\"" +
               Num(py(maxY)) + "\"/>\n";
    for (double y = minY; y <= maxY + stepY * 1e-9; y += stepY)
        out += "<line x1=\"" + Num(px(minX)) + "\" y1=\"" + Num(py(y)) + "\" x2=\"" + Num(px(maxX)) + "\" y2=\"" +
               Num(py(y)) + "\"/>\n";
    out += "</g>\n<g fill=\"black\">\n";
    for (double x = minX; x <= maxX + stepX * 1e-9; x += stepX)
        out += "<text x=\"" + Num(px(x)) + "\" y=\"" + Num(py(minY) + 18) + "\" text-anchor=\"middle\">" +
               TickLabel(x) + "</text>\n";
    for (double y = minY; y <= maxY + stepY * 1e-9; y += stepY)
        out += "<text x=\"" + Num(px(minX) - 6) + "\" y=\"" + Num(py(y) + 4) + "\" text-anchor=\"end\">" +
               TickLabel(y) + "</text>\n";
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
        const char* lines[] = {"O valor de Nd não", "está contido no", "intervalo do", "Diagrama de", "Interação."};
        for (int i = 0; i < 5; ++i)
            out += "<text x=\"320\" y=\"" + Num(275 + 22 * i) +
                   "\" text-anchor=\"middle\" fill=\"red\" font-size=\"16\">" + lines[i] + "</text>\n";
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
        report.ratio = UpdateReinforcementRatio(state);
    } catch (const EngineError& error) {
        report.status = "error";
        report.error = WithFullStop(error.what());
        report.ratio = UpdateReinforcementRatio(state);
    }
    return report;
}

} // namespace flexara
