// flexara-cli report: the calculation record of a case as PDF.
#include "cli/Subcommands.h"
#include "engine/study/CaseCurve.h"
#include "report/CaseReport.h"
#include "report/OffscreenGui.h"
#include "texts/Words.h"

#include <QFileInfo>

#include <iostream>

namespace flexara::cli {

namespace {

struct ReportArguments {
    CaseArguments files;
    std::string nd;
    std::string format;
    std::string model;
};

} // namespace

Action AddReportCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand("report", "the calculation record of a case, as PDF");
    auto arguments = std::make_shared<ReportArguments>();
    AddCaseArguments(*command, arguments->files);
    command->add_option("--nd", arguments->nd, "the design axial force in kN, instead of the file's")->type_name("KN");
    // Taken only to be refused with a reason.
    command->add_option("--format", arguments->format)->group("");
    AddModelOption(*command, arguments->model);
    return [arguments, command]() -> int {
        const ReportArguments& a = *arguments;
        double nd = 0.0;
        if (command->count("--nd") > 0 && !ParseNumber(a.nd, nd))
            return Usage("--nd needs a number in kN");
        if (command->count("--format") > 0)
            return Usage("report writes PDF only");
        if (const int refused = RefuseOutputOverInputs(a.files); refused != 0)
            return refused;
        QDateTime printedAt;
        try {
            printedAt = ReportTime();
        } catch (const ReportTimeError&) {
            std::cerr << "flexara-cli: SOURCE_DATE_EPOCH must be a whole number of seconds since 1970, from 0 to "
                      << MaxSourceDateEpoch << "\n";
            return 1;
        }
        int status = 0;
        std::optional<LoadedCase> loaded = LoadCaseInModel(*command, a.files.input, a.model, status);
        if (!loaded || !ColumnLengthsGiven(*loaded, a.files.input, status))
            return status;
        if (command->count("--nd") > 0)
            loaded->state->Nd = nd;
        EnsureGuiApplication();
        const CaseStudy study = StudyCase(*loaded->state, loaded->selection, loaded->combinations, loaded->column,
                                          loaded->detailing);
        ReportCase report;
        report.study = &study;
        report.selection = loaded->selection;
        report.fileName = QFileInfo(QString::fromStdString(a.files.input)).fileName();
        report.printedAt = printedAt;
        const int written = WriteOutput(a.files.output, ReportPdf(report).toStdString());
        if (study.curve.error)
            std::cerr << "flexara-cli: " << WithFullStop(FaultText(*study.curve.error)) << "\n";
        if (written != 0)
            return written;
        return study.curve.error ? 2 : 0;
    };
}

} // namespace flexara::cli
