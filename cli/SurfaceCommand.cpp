// flexara-cli surface: the N–Mx–My surface of a case as its level curves
// (JSON, CSV), a mesh (Wavefront OBJ) or a picture (SVG, PNG).
#include "cli/Subcommands.h"
#include "cli/SurfaceReport.h"
#include "engine/Surface.h"
#include "project/SurfaceText.h"
#include "report/OffscreenGui.h"
#include "report/SurfaceDrawing.h"
#include "texts/Words.h"

#include <iostream>

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
        if (const int refused = RefuseOutputOverInputs(a.files); refused != 0)
            return refused;
        std::optional<LoadedCase> loaded = LoadCaseInModel(*command, a.files.input, a.model, status);
        if (!loaded)
            return status;
        // The combinations are checked only to be drawn.
        const CombinationList rows = picture ? loaded->combinations : CombinationList{};
        const DiagramStudy study = StudyDiagrams(*loaded->state, loaded->selection, rows, levels, WorkerThreads());
        const Surface& surface = study.surface;
        const std::string text = a.format == "csv"   ? SurfaceCsv(surface)
                                 : a.format == "obj" ? SurfaceObj(surface)
                                 : picture           ? Picture(study, rows, a.format)
                                                     : SurfaceJson(surface, loaded->state->Model);
        const int written = WriteOutput(a.files.output, text);
        if (surface.fault)
            std::cerr << "flexara-cli: " << WithFullStop(FaultText(*surface.fault)) << "\n";
        if (written != 0)
            return written;
        return SurfaceExitStatus(surface);
    };
}

} // namespace flexara::cli
