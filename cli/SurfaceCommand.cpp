// flexara-cli surface: the N–Mx–My surface of a case as its level curves
// (JSON, CSV), a mesh (Wavefront OBJ) or a picture (SVG, PNG).
#include "cli/Subcommands.h"
#include "cli/SurfaceReport.h"
#include "engine/diagrams/Surface.h"
#include "project/SurfaceText.h"
#include "report/OffscreenGui.h"
#include "report/SurfaceDrawing.h"

namespace flexara::cli {

namespace {

struct SurfaceArguments {
    CaseArguments files;
    std::string levels;
    std::string format = "json";
    std::string model;
};

// The wireframe as the window shows it first, with the case's combinations
// on it and the governing one ringed.
std::string Picture(const DiagramStudy& study, const CombinationList& rows, const std::string& format)
{
    EnsureGuiApplication();
    SurfacePicture picture;
    picture.surface = &study.surface;
    picture.loads = LoadsOnDiagram(rows, study.check, 0.0);
    picture.selected = study.check.governing;
    const QByteArray bytes = format == "svg" ? SurfaceSvg(picture) : SurfacePng(picture);
    return bytes.toStdString();
}

} // namespace

Action AddSurfaceCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand("surface", "the N-Mx-My interaction surface of a case");
    auto arguments = std::make_shared<SurfaceArguments>();
    AddCaseArguments(*command, arguments->files);
    AddLevelsOption(*command, arguments->levels);
    command->add_option("--format", arguments->format, "json, csv, obj, svg or png")->type_name("FORMAT");
    AddModelOption(*command, arguments->model);
    return [arguments, command]() -> int {
        const SurfaceArguments& a = *arguments;
        int status = 0;
        int levels = DefaultSurfaceLevels;
        if (!LevelsOption(*command, a.levels, levels, status))
            return status;
        const bool picture = a.format == "svg" || a.format == "png";
        if (a.format != "json" && a.format != "csv" && a.format != "obj" && !picture)
            return Usage("--format takes json, csv, obj, svg or png");
        return RunDiagramCommand(
            *command, a.files, a.model, levels, picture,
            [&](const LoadedCase& loaded, const CombinationList& drawn, const DiagramStudy& study) {
                const Surface& surface = study.surface;
                return a.format == "csv"   ? SurfaceCsv(surface)
                       : a.format == "obj" ? SurfaceObj(surface)
                       : picture           ? Picture(study, drawn, a.format)
                                           : SurfaceJson(surface, loaded.state->Model);
            });
    };
}

} // namespace flexara::cli
