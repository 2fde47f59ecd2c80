// Plane geometry and the steel law of the engine.
//
// The routines take fixed-capacity point arrays (numbered from 0 here) and
// counts, and return their results through output arguments; none allocates.
// Intermediates are carried in extended precision (long double) and every value
// kept between steps is rounded to double when it is stored.
#pragma once

#include "engine/case/UVariav.h"

#include <cstdint>

namespace flexara {

// Signed area (counter-clockwise positive) and centroid of the polygon v[0..n-1]
// (n <= MaxCompressedVertices)
// by a triangle fan from v[0]; fewer than three vertices or a zero area give
// the centroid (0, 0).
void PolygonAreaCentroid(std::int32_t n, const Point* v, double& area, Point& centroid);

// Second moments of area of the polygon v[0..n-1] (n <= MaxVertices) about the
// axes through `about` parallel to x and y, exact for straight edges:
// ixx = ∫(y - about.y)² dA, iyy = ∫(x - about.x)² dA, signed as the area.
// The column checks take the radius of gyration of the outline from them.
void PolygonSecondMoments(std::int32_t n, const Point* v, Point about, double& ixx, double& iyy);

// out[i] = in[i] - origin. out may be in.
void TranslatePoints(std::int32_t n, const Point* in, Point origin, Point* out);

// Turns the points clockwise by theta (expresses them in axes turned
// counter-clockwise by theta); rotating by -theta undoes it. out may be in.
void RotatePoints(std::int32_t n, const Point* in, double theta, Point* out);
// The same with cos θ and sin θ already at hand (extended precision), for the
// loops that turn many arrays by one angle.
void RotatePoints(std::int32_t n, const Point* in, long double cosTheta, long double sinTheta, Point* out);

// Keeps the part of the polygon v[0..n-1] (n <= MaxVertices) on or above the
// line y = c: one Sutherland-Hodgman pass. out holds up to MaxCompressedVertices
// points and may be v.
void ClipAtLevel(const Point* v, std::int32_t n, double c, Point* out, std::int32_t& m);

// True when the outline v[0..n-1] runs counter-clockwise (positive area) and no
// two of its edges cross. Edges that only touch (at a shared vertex, a vertex on
// another edge, or the two lips of the box's slit) do not cross.
bool IsSimpleCounterClockwise(std::int32_t n, const Point* v);

// True when every bar of every line lies strictly inside the outline, both in
// the centroidal frame; a bar on an edge or a vertex is outside. Writes the
// closing copy of vertex 1 into CentroidalVertices.
bool BarsInsideSection(AnalysisState& s);

// The design stress-strain law of the steel classes: 0 "CA-25 A" and 1 "CA-50 A"
// elastic-perfectly plastic, 2 "CA-50 B" and 3 "CA-60 B" cold-worked; in the
// code models one bilinear law for every class. A snapshot of the state's steel
// values, so that the hot loops read no state.
struct SteelLaw {
    std::int32_t steelClass = 0;
    // The bilinear law of the code models: ±fyd beyond ±epsYd, nothing beyond
    // 10 per mil of lengthening, and no crushing limit, since no bar of an
    // ultimate state shortens beyond εcu (at most 3.5 per mil).
    bool bilinear = false;
    double fyd = 0.0;
    double es = 0.0;
    double epsYd = 0.0;
    // Proportional limit of the cold-worked steels, per mil: a value the law
    // keeps, so a double, and the double strain ±epsP itself is elastic.
    double epsP = 0.0;

    static SteelLaw FromState(const AnalysisState& s);

    // Whether Stress is defined for every strain: false for a cold-worked
    // steel whose curved branch starts below the strain where its radicand
    // turns negative (a steel factor far above the code's).
    bool DefinedForEveryStrain() const;

    // Strain in per mil, stress in kN/cm² (tension positive). The rows of each
    // law are tested from the last to the first, so that a later row that also
    // matches wins: with a very small steel factor the elastic row reaches below
    // -3.5 per mil and wins there.
    double Stress(double strain) const
    {
        const double e = strain;
        if (e > 10.0)
            return 0.0;
        if (e >= epsYd)
            return fyd;
        if (bilinear)
            return e > -epsYd ? Elastic(e) : -fyd;
        if (steelClass == 2 || steelClass == 3) {
            if (e > epsP)
                return CurvedBranch(e, 1.0L);
            if (e >= -epsP)
                return Elastic(e);
            if (e >= -3.5)
                return CurvedBranch(e, -1.0L);
            return 0.0;
        }
        if (e > -epsYd)
            return Elastic(e);
        if (e >= -3.5)
            return -fyd;
        return 0.0;
    }

private:
    double Elastic(double e) const { return static_cast<double>(es * static_cast<long double>(e) / 1000.0L); }
    // The curved branch of the cold-worked steels (sign +1 in tension, -1 in
    // compression); a negative radicand is an invalid operation.
    double CurvedBranch(double e, long double sign) const;
};

// The stress of a strain for the state's SteelClass, Fyd, Es, EpsYd and Model.
double SteelStress(const AnalysisState& s, double strain);

} // namespace flexara
