// flexara-cli curvature: the M–N–1/r relation of a case at one Nd along a
// bending or a direction, as JSON, CSV or a picture (SVG, PNG).
#include "cli/CurvatureReport.h"
#include "cli/Subcommands.h"
#include "engine/Faults.h"
#include "report/CurvatureDrawing.h"
#include "report/OffscreenGui.h"
#include "report/ReportText.h"
#include "texts/Words.h"

#include <cmath>
#include <iostream>

namespace flexara::cli {

namespace {

// Points of each side's curve, from 1/r = 0 to its end.
constexpr int CurvaturePoints = 100;

struct CurvatureArguments {
    CaseArguments files;
    std::string nd;
    std::string bending;
    std::string angle;
    std::string format = "json";
    std::string model;
};

std::string Picture(const DeformationStudy& study, const CurvatureQuery& query, const std::string& format)
{
    EnsureGuiApplication();
    CurvaturePicture picture;
    picture.study = &study;
    const QString direction = query.bending.empty()
                                  ? QStringLiteral("φ = ") + Decimal(query.degrees, 1) + QStringLiteral("°")
                                  : QString::fromStdString(query.bending);
    picture.subtitle = direction + QStringLiteral(", Nd = ") + Decimal(query.nd, 2) + QStringLiteral(" kN");
    const QByteArray bytes = format == "svg" ? CurvatureSvg(picture) : CurvaturePng(picture);
    return bytes.toStdString();
}

} // namespace

Action AddCurvatureCommand(CLI::App& app)
{
    CLI::App* command =
        app.add_subcommand("curvature", "the M-N-1/r relation of a case at one Nd along a bending or a direction");
    auto arguments = std::make_shared<CurvatureArguments>();
    AddCaseArguments(*command, arguments->files);
    command->add_option("--nd", arguments->nd, "the design axial force in kN (as given: no γn)")
        ->type_name("KN")
        ->required();
    command->add_option("--bending", arguments->bending, "x for the bending of Mxd, y for that of Myd")
        ->type_name("x|y");
    command
        ->add_option("--angle", arguments->angle,
                     "the direction of the moment in degrees from the Mx axis towards the My axis")
        ->type_name("DEG");
    command->add_option("--format", arguments->format, "json, csv, svg or png")->type_name("FORMAT");
    AddModelOption(*command, arguments->model);
    return [arguments, command]() -> int {
        const CurvatureArguments& a = *arguments;
        CurvatureQuery query;
        if (!ParseNumber(a.nd, query.nd) || !std::isfinite(query.nd))
            return Usage("--nd needs a number in kN");
        const bool byBending = command->count("--bending") > 0;
        const bool byAngle = command->count("--angle") > 0;
        if (byBending == byAngle)
            return Usage("curvature takes one of --bending x|y and --angle DEG");
        BendingDirection direction;
        if (byBending) {
            if (a.bending != "x" && a.bending != "y")
                return Usage("--bending takes x or y");
            query.bending = a.bending == "x" ? "Mxd" : "Myd";
            direction = a.bending == "x" ? BendingDirection{1.0L, 0.0L} : BendingDirection{0.0L, 1.0L};
        } else {
            if (!ParseNumber(a.angle, query.degrees) || !std::isfinite(query.degrees))
                return Usage("--angle needs a number of degrees");
            // As nm: reduced to (-180°, 180°] exactly before it becomes radians.
            long double turn = std::fmod(static_cast<long double>(query.degrees), 360.0L);
            if (turn > 180.0L)
                turn -= 360.0L;
            else if (turn <= -180.0L)
                turn += 360.0L;
            const long double radians = turn * 3.14159265358979323851L / 180.0L;
            direction = BendingDirection{std::cos(radians), std::sin(radians)};
        }
        const bool picture = a.format == "svg" || a.format == "png";
        if (a.format != "json" && a.format != "csv" && !picture)
            return Usage("--format takes json, csv, svg or png");
        if (const int refused = RefuseOutputOverInputs(a.files); refused != 0)
            return refused;
        int status = 0;
        std::optional<LoadedCase> loaded = LoadCaseInModel(*command, a.files.input, a.model, status);
        if (!loaded)
            return status;
        query.model = loaded->state->Model;
        DeformationStudy study;
        try {
            ClearFpFaults();
            study = StudyDeformation(*loaded->state, loaded->selection, query.nd, direction, CurvaturePoints);
            CheckFpFaults();
        } catch (const EngineError& error) {
            std::cerr << "flexara-cli: " << WithFullStop(FaultText(error.fault())) << "\n";
            return 2;
        }
        const std::string text = a.format == "csv" ? CurvatureCsv(study)
                                 : picture         ? Picture(study, query, a.format)
                                                   : CurvatureJson(study, query);
        const int written = WriteOutput(a.files.output, text);
        for (const CurveWarning warning : study.interaction.warnings)
            std::cerr << "flexara-cli: " << WarningText(warning) << "\n";
        if (study.interaction.fault)
            std::cerr << "flexara-cli: " << WithFullStop(FaultText(*study.interaction.fault)) << "\n";
        if (written != 0)
            return written;
        return study.interaction.fault ? 2 : 0;
    };
}

} // namespace flexara::cli
