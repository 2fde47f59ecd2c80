#include "project/SurfaceText.h"

#include "engine/NumberText.h"

namespace flexara {

std::string SurfaceCsv(const Surface& surface)
{
    std::string out = "nd;mx;my\n";
    for (const SurfaceLevel& level : surface.levels) {
        const std::string nd = ShortestReal(level.nd);
        for (const Point& p : level.curve)
            out += nd + ";" + ShortestReal(p.x) + ";" + ShortestReal(p.y) + "\n";
    }
    return out;
}

std::string SurfaceObj(const Surface& surface)
{
    const std::size_t levels = surface.levels.size();
    const std::size_t ring = levels == 0 ? 0 : surface.levels.front().ring.size();
    std::string out = "# Flexara: superficie de interacao N-Mx-My\n"
                      "# " +
                      std::to_string(levels) + " niveis de " + std::to_string(ring) +
                      " pontos, x = Mx (kN.m), y = My (kN.m), z = Nd (kN)\n";
    auto vertex = [&out](double mx, double my, double nd) {
        out += "v " + ShortestReal(mx) + " " + ShortestReal(my) + " " + ShortestReal(nd) + "\n";
    };
    for (const SurfaceLevel& level : surface.levels)
        for (const Point& p : level.ring)
            vertex(p.x, p.y, level.nd);
    if (levels == 0 || ring == 0)
        return out;
    vertex(surface.squash.moment.x, surface.squash.moment.y, surface.squash.nd);
    vertex(surface.tension.moment.x, surface.tension.moment.y, surface.tension.nd);
    // OBJ numbers its vertices from 1.
    auto at = [ring](std::size_t level, std::size_t step) { return std::to_string(level * ring + step % ring + 1); };
    const std::string squash = std::to_string(levels * ring + 1);
    const std::string tension = std::to_string(levels * ring + 2);
    for (std::size_t j = 0; j < ring; ++j)
        out += "f " + squash + " " + at(0, j) + " " + at(0, j + 1) + "\n";
    for (std::size_t i = 0; i + 1 < levels; ++i)
        for (std::size_t j = 0; j < ring; ++j)
            out += "f " + at(i, j) + " " + at(i + 1, j) + " " + at(i + 1, j + 1) + " " + at(i, j + 1) + "\n";
    for (std::size_t j = 0; j < ring; ++j)
        out += "f " + tension + " " + at(levels - 1, j + 1) + " " + at(levels - 1, j) + "\n";
    return out;
}

std::string NmDiagramCsv(const NmDiagram& diagram)
{
    std::string out = "nd;m\n";
    for (const NmPoint& p : diagram.outline)
        out += ShortestReal(p.nd) + ";" + ShortestReal(p.m) + "\n";
    return out;
}

} // namespace flexara
