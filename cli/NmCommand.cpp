// flexara-cli nm: the N–M diagram of a case along a direction of the moment,
// as JSON, CSV or a picture (SVG, PNG).
#include "cli/Subcommands.h"
#include "cli/SurfaceReport.h"
#include "engine/diagrams/Surface.h"
#include "project/SurfaceText.h"
#include "report/NmDiagramDrawing.h"
#include "report/OffscreenGui.h"

#include <cmath>

namespace flexara::cli {

namespace {

struct NmArguments {
    CaseArguments files;
    std::string angle;
    std::string levels;
    std::string format = "json";
    std::string model;
};

// The diagram as the window draws it, with the case's combinations on it
// and the governing one ringed.
std::string Picture(const NmDiagram& diagram, const DiagramStudy& study, const CombinationList& rows,
                    const std::string& format)
{
    EnsureGuiApplication();
    NmPicture picture;
    picture.diagram = &diagram;
    picture.loads = LoadsOnDiagram(rows, study.check, diagram.angle);
    picture.selected = study.check.governing;
    const QByteArray bytes = format == "svg" ? NmSvg(picture) : NmPng(picture);
    return bytes.toStdString();
}

} // namespace

Action AddNmCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand("nm", "the N-M diagram of a case along a direction of the moment");
    auto arguments = std::make_shared<NmArguments>();
    AddCaseArguments(*command, arguments->files);
    command
        ->add_option("--angle", arguments->angle,
                     "the direction of the moment in degrees from the Mx axis towards the My axis")
        ->type_name("DEG")
        ->required();
    AddLevelsOption(*command, arguments->levels);
    command->add_option("--format", arguments->format, "json, csv, svg or png")->type_name("FORMAT");
    AddModelOption(*command, arguments->model);
    return [arguments, command]() -> int {
        const NmArguments& a = *arguments;
        double degrees = 0.0;
        if (!ParseNumber(a.angle, degrees) || !std::isfinite(degrees))
            return Usage("--angle needs a number of degrees");
        int status = 0;
        int levels = DefaultSurfaceLevels;
        if (!LevelsOption(*command, a.levels, levels, status))
            return status;
        const bool picture = a.format == "svg" || a.format == "png";
        if (a.format != "json" && a.format != "csv" && !picture)
            return Usage("--format takes json, csv, svg or png");
        // A whole number of turns apart is the same direction: the angle is
        // reduced to (-180°, 180°] before it becomes radians (exactly: fmod
        // and the one turn added or taken are exact), so that 390 and -330
        // give the diagram of 30 bit for bit, and a large angle keeps its
        // sine and cosine.
        long double turn = std::fmod(static_cast<long double>(degrees), 360.0L);
        if (turn > 180.0L)
            turn -= 360.0L;
        else if (turn <= -180.0L)
            turn += 360.0L;
        const double radians = static_cast<double>(turn * 3.14159265358979323851L / 180.0L);
        return RunDiagramCommand(
            *command, a.files, a.model, levels, picture,
            [&](const LoadedCase& loaded, const CombinationList& drawn, const DiagramStudy& study) {
                const Surface& surface = study.surface;
                // A surface without levels has no diagram, not its two ends alone.
                NmDiagram diagram;
                diagram.angle = radians;
                if (!surface.levels.empty())
                    diagram = DiagramAlong(surface, radians);
                return a.format == "csv" ? NmDiagramCsv(diagram)
                       : picture         ? Picture(diagram, study, drawn, a.format)
                                         : NmJson(surface, diagram, degrees, loaded.state->Model);
            });
    };
}

} // namespace flexara::cli
