// flexara-cli: the interaction curve of a project file, without a window.
#include "cli/CheckReport.h"
#include "cli/CurveReport.h"
#include "cli/ProgramArguments.h"
#include "engine/DefaultCase.h"
#include "engine/Faults.h"
#include "engine/NumberText.h"
#include "project/CsvText.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "report/CaseReport.h"
#include "report/ChartDrawing.h"
#include "report/OffscreenGui.h"

#include <QFileInfo>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const Help = R"(flexara-cli - interaction curve of a reinforced-concrete section, without a window

Usage:
  flexara-cli curve CASE.fxr [--nd KN] [--format json|csv|svg|png] [-o OUT]
  flexara-cli check CASE.fxr [--loads LOADS.csv] [--format json|csv] [-o OUT]
  flexara-cli report CASE.fxr [--nd KN] [-o OUT.pdf]
  flexara-cli rewrite CASE.fxr -o OUT.fxr
  flexara-cli --help

curve     Reads the project file CASE.fxr, generates the ultimate-limit-state
          interaction curve for its design axial force Nd (or for --nd KN, in kN,
          tension positive) and writes it to OUT, or to standard output.
check     Checks the load combinations of CASE.fxr (or those of LOADS.csv) on
          its section: one curve per distinct Nd, and for every combination
          whether it holds, its utilisation and its resisting moment.
report    Writes the calculation record of CASE.fxr as a PDF document (A4, in
          Portuguese): section, reinforcement, materials, settings, actions,
          reference forces, the interaction chart at Nd (or --nd KN), the
          verdict with eta and MRd, the load combinations of the case and the
          method. The date is now, or SOURCE_DATE_EPOCH when it is set.
rewrite   Reads CASE.fxr as the program does and writes the case again, in the
          program's own form, to OUT.fxr (the old file is replaced whole or not
          at all).

Formats of "curve":
  json (default)  one object:
                    "status"        "ok", "refused" (a warning stopped the
                                    generation), "out-of-range" (Nd lies outside
                                    what the section resists) or "error"
                    "warnings"      the texts of the warnings, in the order shown
                    "error"         the error box's text, or null
                    "nd"            the design axial force used, kN
                    "references"    N1, N2, N3, N4 in kN at theta = 0 (pure
                                    tension; top fibre -3.5 with the extreme bar at
                                    10 per mil; neutral axis through the bottom
                                    vertex; uniform shortening of 2 per mil), or
                                    null when no angle was computed
                    "points"        the curve as [Mx, My] pairs in kN.m, in the
                                    order generated, the closing copy included
                    "design_point"  [Mxd, Myd] or null
                    "ratio"         the reinforcement ratio label, e.g. "1,57 %"
                    "inside"        whether the design point lies inside the curve
                    "utilisation"   design moment over resisting moment along the
                                    ray from the origin through the design point,
                                    or null (no curve, or the origin not inside it)
                  Reals are printed so that they read back to the same double.
  csv             a header "Mx;My" and one row per curve point (kN.m)
  svg, png        the chart as the window shows it: curve, design point, axes
                  and titles (614 x 598 pixels for png)

Load combinations (--loads): a CSV file with the header line nome;nd;mxd;myd
and one combination per line: a name, Nd in kN (tension positive), Mxd and
Myd in kN.m. The separator is that of the header: ";", "," or a tab. Numbers
take a decimal point (with ";" or a tab as separator a decimal comma too).
Fields after the fourth are ignored, so a file "check --format csv" wrote
reads back. At most 1000 combinations.

Formats of "check":
  json (default)  one object: "combinations" (how many), "generations" (the
                  curves computed: one per distinct Nd), "governing" (the
                  index of the governing row, from 0, or null) and "rows", one
                  object per combination in order:
                    "name", "nd", "mxd", "myd"   as given
                    "status"        "holds", "fails", "out-of-range",
                                    "refused" or "error"
                    "message"       the warning or the fault, or null
                    "utilisation"   eta = |Md| / MRd, or null where the origin
                                    is not inside the curve (the row is then
                                    judged by "inside" alone)
                    "resisting"     [MRx, MRy]: where the ray from the origin
                                    through (Mxd, Myd) leaves the curve, kN.m
                    "mrd"           the length of that ray, kN.m
                    "axial_utilisation"  Nd/N4 in compression, Nd/N1 in tension
                    "inside"        whether (Mxd, Myd) lies inside the curve
                    "governing"     the row with the largest eta; a row that
                                    fails, is out of range or refused governs
                                    before every row that holds
  csv             the header nome;nd;mxd;myd;situacao;eta;mrx;mry;mrd;axial;
                  determinante and one row per combination (situacao: atende,
                  nao-atende, fora-do-intervalo, recusada, erro)

Output: -o OUT replaces OUT whole or not at all (a symbolic link is followed
and its target replaced); a folder, a device, a pipe or a read-only file is
refused, and so is the project file itself as the output of "curve" or "check".

Exit status: 0 on success, also when a warning refused the case or Nd is out of
range (those are results of "curve"); for "check", 0 when every combination
holds and 3 when one fails, is out of range or is refused; 1 for a file that
cannot be read or written, or a bad command line; 2 for a fault while reading
the case or during a generation (a numeric fault, or no steel class selected;
the output is still written, with the status "error").
)";

int Usage(const std::string& message)
{
    std::cerr << "flexara-cli: " << message << "\n(flexara-cli --help explains the usage)\n";
    return 1;
}

bool ParseNumber(const std::string& text, double& value)
{
    // The command line takes "." as the decimal point; a comma is taken too.
    std::string normal = text;
    for (char& c : normal)
        if (c == '.')
            c = ',';
    return flexara::ParseReal(normal, value);
}

// Standard output that cannot take the whole text (a full disk, /dev/full, a
// closed pipe) is a failure, never a truncated report with status 0.
int WriteStandardOutput(const std::string& text)
{
    errno = 0;
    const std::size_t put = std::fwrite(text.data(), 1, text.size(), stdout);
    if (put == text.size() && std::fflush(stdout) == 0)
        return 0;
    const int error = errno != 0 ? errno : EIO;
    std::cerr << "flexara-cli: standard output: " << flexara::WithFullStop(flexara::IoErrorMessage(error)) << "\n";
    return 1;
}

int WriteOutput(const std::string& path, const std::string& text)
{
    if (path.empty() || path == "-")
        return WriteStandardOutput(text);
    try {
        flexara::SaveFileBytes(path, text);
    } catch (const flexara::ProjectFileError& error) {
        std::cerr << "flexara-cli: " << path << ": " << flexara::WithFullStop(error.what()) << "\n";
        return 1;
    }
    return 0;
}

// The chart as the window shows it, drawn without a display.
std::string Picture(const flexara::CaseCurve& curve, const char* format)
{
    flexara::EnsureGuiApplication();
    const QByteArray bytes = std::string(format) == "svg" ? flexara::ChartSvg(curve) : flexara::ChartPng(curve);
    return bytes.toStdString();
}

// The calculation record of the case, as PDF.
int Report(const flexara::AnalysisState& state, const flexara::MaterialSelection& selection,
           const flexara::CombinationList& combinations, const std::string& input, const std::string& output)
{
    flexara::EnsureGuiApplication();
    const flexara::CaseStudy study = flexara::StudyCase(state, selection, combinations);
    flexara::ReportCase report;
    report.study = &study;
    report.selection = selection;
    report.fileName = QFileInfo(QString::fromStdString(input)).fileName();
    report.printedAt = flexara::ReportTime();
    const int written = WriteOutput(output, flexara::ReportPdf(report).toStdString());
    if (study.curve.error)
        std::cerr << "flexara-cli: " << *study.curve.error << "\n";
    if (written != 0)
        return written;
    return study.curve.error ? 2 : 0;
}

// The combinations of the case, or those of the CSV file, checked on it.
int Check(const flexara::AnalysisState& state, const flexara::MaterialSelection& selection,
          flexara::CombinationList combinations, const std::string& loads, const std::string& format,
          const std::string& output)
{
    if (!loads.empty()) {
        try {
            combinations = flexara::ReadCombinationsCsv(flexara::LoadProjectBytes(loads));
        } catch (const flexara::ProjectFileError& error) {
            std::cerr << "flexara-cli: " << loads << ": " << flexara::WithFullStop(error.what()) << "\n";
            return 1;
        }
    }
    if (combinations.empty())
        return Usage(loads.empty() ? "the case has no load combinations: give them with --loads LOADS.csv"
                                   : "no load combinations in " + loads);
    const flexara::CombinationCheck check =
        flexara::CheckCombinations(state, selection, combinations, flexara::WorkerThreads());
    const std::string text =
        format == "csv" ? flexara::WriteCombinationsCsv(combinations, &check) : flexara::CheckJson(combinations, check);
    const int written = WriteOutput(output, text);
    return written != 0 ? written : flexara::CheckExitStatus(check);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args = flexara::ProgramArguments(argc, argv);
    if (args.empty())
        return Usage("no command given");
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return WriteStandardOutput(Help);
    const std::string command = args[0];
    if (command != "curve" && command != "rewrite" && command != "check" && command != "report")
        return Usage("unknown command \"" + command + "\"");

    std::string input;
    std::string output;
    std::string format = "json";
    std::optional<double> nd;
    std::string loads;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (a == "--nd") {
            const auto v = value();
            double parsed = 0.0;
            if (!v || !ParseNumber(*v, parsed))
                return Usage("--nd needs a number in kN");
            nd = parsed;
        } else if (a == "--format") {
            const auto v = value();
            const bool picture = v && (*v == "svg" || *v == "png");
            if (!v || command == "report" || (*v != "json" && *v != "csv" && (!picture || command == "check")))
                return Usage(command == "check"    ? "--format takes json or csv"
                             : command == "report" ? "report writes PDF only"
                                                   : "--format takes json, csv, svg or png");
            format = *v;
        } else if (a == "--loads" && command == "check") {
            const auto v = value();
            if (!v)
                return Usage("--loads needs a CSV file of load combinations");
            loads = *v;
        } else if (a == "-o" || a == "--output") {
            const auto v = value();
            if (!v)
                return Usage("-o needs a file name");
            output = *v;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return Usage("unknown option \"" + a + "\"");
        } else if (input.empty()) {
            input = a;
        } else {
            return Usage("more than one project file given");
        }
    }
    if (input.empty())
        return Usage("no project file given");

    // A report written over its own case would destroy the case; a rewrite
    // writes a project file, so it may.
    if (command != "rewrite" && !output.empty() && output != "-" &&
        (output == input || flexara::SameFile(output, input)))
        return Usage("the output " + output + " is the project file itself");

    auto state = std::make_unique<flexara::AnalysisState>();
    flexara::MaterialSelection selection;
    flexara::CombinationList combinations;
    try {
        selection = flexara::LoadProjectFileHeadless(input, *state, &combinations);
    } catch (const flexara::ProjectFileError& error) {
        std::cerr << "flexara-cli: " << input << ": " << flexara::WithFullStop(error.what()) << "\n";
        return 1;
    } catch (const flexara::EngineError& error) {
        // A numeric fault of the refreshes the reading runs (a bar area beyond
        // the double range).
        std::cerr << "flexara-cli: " << input << ": " << flexara::WithFullStop(error.what()) << "\n";
        return 2;
    }

    if (command == "rewrite") {
        if (output.empty())
            return Usage("rewrite needs -o OUT.fxr");
        flexara::ProjectWriteInput writeInput;
        writeInput.concreteIndex = selection.concreteIndex;
        writeInput.steelIndex = selection.steelIndex;
        writeInput.dimFieldVisible = flexara::VisibleDimFieldsOf(state->Section.ShapeKind);
        try {
            return WriteOutput(output, flexara::WriteProjectText(*state, writeInput));
        } catch (const flexara::ProjectFileError& error) {
            std::cerr << "flexara-cli: " << flexara::WithFullStop(error.what()) << "\n";
            return 1;
        }
    }

    if (command == "check")
        return Check(*state, selection, combinations, loads, format, output);

    if (nd)
        state->Nd = *nd;
    if (command == "report")
        return Report(*state, selection, combinations, input, output);
    const flexara::CaseCurve report = flexara::GenerateCaseCurve(*state, selection);
    const std::string text = format == "csv"   ? flexara::ReportCsv(report)
                             : format == "svg" ? Picture(report, "svg")
                             : format == "png" ? Picture(report, "png")
                                               : flexara::ReportJson(report);
    const int written = WriteOutput(output, text);
    if (report.error)
        std::cerr << "flexara-cli: " << *report.error << "\n";
    if (written != 0)
        return written;
    return report.error ? 2 : 0;
}
