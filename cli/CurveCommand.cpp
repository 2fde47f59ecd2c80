// flexara-cli curve: the interaction curve of a case as JSON, CSV, SVG or PNG.
#include "cli/CurveReport.h"
#include "cli/Subcommands.h"
#include "engine/study/CaseCurve.h"
#include "report/ChartDrawing.h"
#include "report/OffscreenGui.h"
#include "texts/Words.h"

#include <iostream>

namespace flexara::cli {

namespace {

struct CurveArguments {
    CaseArguments files;
    std::string nd;
    std::string format = "json";
    std::string model;
};

// The chart as the window shows it, drawn without a display.
std::string Picture(const CaseCurve& curve, const std::string& format)
{
    EnsureGuiApplication();
    const QByteArray bytes = format == "svg" ? ChartSvg(curve) : ChartPng(curve);
    return bytes.toStdString();
}

} // namespace

Action AddCurveCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand("curve", "the interaction curve of a case");
    auto arguments = std::make_shared<CurveArguments>();
    AddCaseArguments(*command, arguments->files);
    command->add_option("--nd", arguments->nd, "the design axial force in kN, instead of the file's")->type_name("KN");
    command->add_option("--format", arguments->format, "json, csv, svg or png")->type_name("FORMAT");
    AddModelOption(*command, arguments->model);
    return [arguments, command]() -> int {
        const CurveArguments& a = *arguments;
        double nd = 0.0;
        if (command->count("--nd") > 0 && !ParseNumber(a.nd, nd))
            return Usage("--nd needs a number in kN");
        if (a.format != "json" && a.format != "csv" && a.format != "svg" && a.format != "png")
            return Usage("--format takes json, csv, svg or png");
        if (const int refused = RefuseOutputOverInputs(a.files); refused != 0)
            return refused;
        int status = 0;
        std::optional<LoadedCase> loaded = LoadCaseInModel(*command, a.files.input, a.model, status);
        if (!loaded)
            return status;
        if (command->count("--nd") > 0)
            loaded->state->Nd = nd;
        const CaseCurve curve = GenerateCaseCurve(*loaded->state, loaded->selection);
        const std::string text = a.format == "csv"                        ? ReportCsv(curve)
                                 : a.format == "svg" || a.format == "png" ? Picture(curve, a.format)
                                                                          : ReportJson(curve);
        const int written = WriteOutput(a.files.output, text);
        if (curve.error)
            std::cerr << "flexara-cli: " << WithFullStop(FaultText(*curve.error)) << "\n";
        if (written != 0)
            return written;
        return curve.error ? 2 : 0;
    };
}

} // namespace flexara::cli
