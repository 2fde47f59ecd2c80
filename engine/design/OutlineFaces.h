// The faces of an outline, for what is measured from the concrete's surface:
// whether a bar's circle lies inside, how far a point is from the nearest
// face, and which vertices are corners a stirrup can wrap. A slit (the cut by
// which the box's outline reaches its hole: two edges running opposite ways
// less than SlitWidth apart) has concrete on both sides and is no face.
// Lengths in cm.
#pragma once

#include "engine/case/UVariav.h"

#include <vector>

namespace flexara {

constexpr double SlitWidth = 1e-6; // cm

class OutlineFaces {
public:
    explicit OutlineFaces(const SectionRecord& outline);

    struct Face {
        Point a, b;
        int edge = 0; // the edge of the outline it lies on: vertex edge to edge + 1
    };

    // Whether the circle of the radius (cm) about the centre lies inside.
    bool Holds(Point centre, double radius) const;
    // The crossings of the ray from the point towards +x.
    bool Inside(Point p) const;
    // The least distance from the point to a face (infinite without faces).
    long double Distance(Point p) const;
    static long double Distance(Point p, const Face& face);

    const std::vector<Point>& Vertices() const { return vertices; }
    const std::vector<Face>& Faces() const { return faces; }
    // The vertices, in order, that are convex corners of the concrete: the
    // outline turns towards its inside there and both edges meeting there are
    // faces up to it (no slit).
    std::vector<int> ConvexCorners() const;

private:
    Point Vertex(std::size_t i) const { return vertices[i % vertices.size()]; }
    void AddFacesOf(std::size_t i);

    std::vector<Point> vertices;
    std::vector<Face> faces;
    std::vector<bool> faceFromStart; // edge i is a face at its first vertex
    std::vector<bool> faceToEnd;     // edge i is a face at its second vertex
};

} // namespace flexara
