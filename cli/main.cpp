// flexara-cli: the interaction curve of a project file, without a window.
#include "CurveReport.h"
#include "DefaultCase.h"
#include "Faults.h"
#include "HeadlessLoader.h"
#include "NumberText.h"
#include "ProjectFile.h"

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
  flexara-cli curve CASE.fxr [--nd KN] [--format json|csv|svg] [-o OUT]
  flexara-cli rewrite CASE.fxr -o OUT.fxr
  flexara-cli --help

curve     Reads the project file CASE.fxr, generates the ultimate-limit-state
          interaction curve for its design axial force Nd (or for --nd KN, in kN,
          tension positive) and writes it to OUT, or to standard output.
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
  svg             a plot of the curve and the design point with axes and labels

Output: -o OUT replaces OUT whole or not at all (a symbolic link is followed
and its target replaced); a folder, a device, a pipe or a read-only file is
refused, and so is the project file itself as the output of "curve".

Exit status: 0 on success, also when a warning refused the case or Nd is out of
range (those are results); 1 for a file that cannot be read or written, or a
bad command line; 2 for a numeric fault while reading the case or during the
generation (a fault of the generation still writes the output, with the status
"error").
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

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return Usage("no command given");
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return WriteStandardOutput(Help);
    const std::string command = args[0];
    if (command != "curve" && command != "rewrite")
        return Usage("unknown command \"" + command + "\"");

    std::string input;
    std::string output;
    std::string format = "json";
    std::optional<double> nd;
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
            if (!v || (*v != "json" && *v != "csv" && *v != "svg"))
                return Usage("--format takes json, csv or svg");
            format = *v;
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
    try {
        selection = flexara::LoadProjectFileHeadless(input, *state);
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

    if (nd)
        state->Nd = *nd;
    const flexara::CurveReport report = flexara::GenerateReport(*state, selection);
    const std::string text = format == "csv"   ? flexara::ReportCsv(report)
                             : format == "svg" ? flexara::ReportSvg(report)
                                               : flexara::ReportJson(report);
    const int written = WriteOutput(output, text);
    if (report.error)
        std::cerr << "flexara-cli: " << *report.error << "\n";
    if (written != 0)
        return written;
    return report.error ? 2 : 0;
}
