// Plane geometry and the steel law of the engine.
//
// The routines take fixed-capacity point arrays (numbered from 0 here) and
// counts, and return their results through output arguments; none allocates.
// Intermediates are carried in extended precision (long double) and every value
// kept between steps is rounded to double when it is stored.
#pragma once

#include "UVariav.h"

#include <cstdint>

namespace flexara {

// Signed area (counter-clockwise positive) and centroid of the polygon v[0..n-1]
// (n <= MaxCompressedVertices)
// by a triangle fan from v[0]; fewer than three vertices or a zero area give
// the centroid (0, 0).
void PolygonAreaCentroid(std::int32_t n, const Point* v, double& area, Point& centroid);

// out[i] = in[i] - origin. out may be in.
void TranslatePoints(std::int32_t n, const Point* in, Point origin, Point* out);

// Turns the points clockwise by theta (expresses them in axes turned
// counter-clockwise by theta); rotating by -theta undoes it. out may be in.
void RotatePoints(std::int32_t n, const Point* in, double theta, Point* out);

// Keeps the part of the polygon v[0..n-1] (n <= MaxVertices) on or above the
// line y = c: one Sutherland-Hodgman pass. out holds up to MaxCompressedVertices
// points and may be v.
void ClipAtLevel(const Point* v, std::int32_t n, double c, Point* out, std::int32_t& m);

// True when every bar of every line lies strictly inside the outline, both in
// the centroidal frame; a bar on an edge or a vertex is outside. Writes the
// closing copy of vertex 1 into CentroidalVertices.
bool BarsInsideSection(AnalysisState& s);

// The design stress-strain law of the steel classes: 0 "CA-25 A" and 1 "CA-50 A"
// elastic-perfectly plastic, 2 "CA-50 B" and 3 "CA-60 B" cold-worked. A snapshot
// of the state's steel values, so that the hot loops read no state.
struct SteelLaw {
    std::int32_t steelClass = 0;
    double fyd = 0.0;
    double es = 0.0;
    double epsYd = 0.0;
    long double epsP = 0.0L;

    static SteelLaw FromState(const AnalysisState& s);
    // Strain in per mil, stress in kN/cm² (tension positive).
    double Stress(double strain) const;
};

// The stress of a strain for the state's SteelClass, Fyd, Es and EpsYd.
double SteelStress(const AnalysisState& s, double strain);

} // namespace flexara
