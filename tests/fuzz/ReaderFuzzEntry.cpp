#include "tests/fuzz/ReaderFuzzEntry.h"

#include "cli/CurveReport.h"
#include "engine/Faults.h"
#include "engine/diagrams/ChartScale.h"
#include "engine/section/Curve.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "project/TextDecoding.h"
#include "report/ChartDrawing.h"
#include "report/OffscreenGui.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

namespace flexara {

namespace {

// A finding: the fuzzer keeps the input and stops.
void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool Finite(const std::string& text)
{
    return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos;
}

struct Loaded {
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    MaterialSelection selection;
    CombinationList combinations;
    std::optional<Column> column;
};

// False when the reading refused the bytes, as the program would report it.
bool Load(std::string_view bytes, Loaded& loaded)
{
    HeadlessLoader loader(*loaded.state);
    try {
        ReadProjectText(bytes, loader);
    } catch (const ProjectFileError&) {
        return false;
    } catch (const EngineError&) {
        return false; // a refresh of the reading met a fault
    }
    loaded.selection = loader.Selection();
    loaded.combinations = loader.Combinations();
    loaded.column = loader.LoadedColumn();
    return true;
}

ProjectWriteInput WriteInputOf(const Loaded& loaded)
{
    ProjectWriteInput input;
    input.concreteIndex = loaded.selection.concreteIndex;
    input.steelIndex = loaded.selection.steelIndex;
    input.dimFieldVisible = VisibleDimFieldsOf(loaded.state->Section.ShapeKind);
    input.combinations = &loaded.combinations;
    input.column = &loaded.column;
    return input;
}

// The file of the case with its blocks after the section in the opposite
// order: model, column, combinations. Each block's text is what writing it
// adds to the file written without it.
std::string WithBlocksReversed(AnalysisState& state, const ProjectWriteInput& input)
{
    const CalculationModel model = state.Model;
    state.Model = CalculationModel::Classic;
    ProjectWriteInput without = input;
    const CombinationList none;
    const std::optional<Column> noColumn;
    without.combinations = &none;
    without.column = &noColumn;
    const std::string section = WriteProjectText(state, without);
    without.combinations = input.combinations;
    const std::string withCombinations = WriteProjectText(state, without);
    without.column = input.column;
    const std::string withColumn = WriteProjectText(state, without);
    state.Model = model;
    const std::string whole = WriteProjectText(state, input);
    return section + whole.substr(withColumn.size()) + withColumn.substr(withCombinations.size()) +
           withCombinations.substr(section.size());
}

// The axes of the chart for two values taken from the input's bytes.
void CheckAxis(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 * sizeof(double))
        return;
    double a = 0, b = 0;
    std::memcpy(&a, data, sizeof a);
    std::memcpy(&b, data + sizeof a, sizeof b);
    if (!std::isfinite(a) || !std::isfinite(b) ||
        std::fabs(static_cast<long double>(a) - b) > std::numeric_limits<double>::max())
        return;
    for (const bool room : {true, false}) {
        const AxisScale scale = ScaleAxis(a, b, room);
        Require(std::isfinite(scale.low) && std::isfinite(scale.high) && std::isfinite(scale.high - scale.low));
        Require(scale.low <= std::min(a, b) && scale.high >= std::max(a, b));
        Require(scale.interval >= 1.0 && (scale.high - scale.low) / scale.interval <= MaxAxisLabels);
        // The chart steps its labels from the one at or below the low bound.
        for (const AxisScale& labels : {scale, LabelsForRange(scale.low, scale.high)}) {
            const long double first =
                labels.anchor +
                std::floor((static_cast<long double>(labels.low) - labels.anchor) / labels.interval) * labels.interval;
            Require(std::fabs(first) <= std::numeric_limits<double>::max());
            Require(labels.low + labels.interval != labels.low);
        }
    }
}

} // namespace

int FuzzProjectFile(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication(); // the chart's SVG is drawn offscreen
    CheckAxis(data, size);
    Loaded loaded;
    if (!Load(std::string_view(reinterpret_cast<const char*>(data), size), loaded))
        return 0;
    // No byte that is not UTF-8 comes out of the reader.
    for (const LoadCombination& row : loaded.combinations)
        Require(IsValidUtf8(row.name));
    AnalysisState& state = *loaded.state;

    // What the program writes it reads back, to the same file.
    const ProjectWriteInput input = WriteInputOf(loaded);
    std::string text;
    try {
        text = WriteProjectText(state, input);
    } catch (const ProjectFileError&) {
        return 0; // a value that no file can hold (an infinite strength)
    }
    Loaded reopened;
    Require(Load(text, reopened));
    Require(WriteProjectText(*reopened.state, WriteInputOf(reopened)) == text);
    // A column gives every row its base moments.
    if (loaded.column)
        for (const LoadCombination& row : loaded.combinations)
            Require(row.MxdBase.has_value() && row.MydBase.has_value());
    // The same blocks in the opposite order read as the same case.
    Loaded reversed;
    Require(Load(WithBlocksReversed(state, input), reversed));
    Require(WriteProjectText(*reversed.state, WriteInputOf(reversed)) == text);

    // Keep the generation short: the fuzzer is after the reader's and the
    // writers' paths. Every report is finite and the JSON one is JSON.
    if (state.CurvePointCount > 8)
        state.CurvePointCount = 8;
    const CaseCurve report = GenerateCaseCurve(state, loaded.selection);
    for (const Point& p : report.points)
        Require(std::isfinite(p.x) && std::isfinite(p.y));
    const std::string json = ReportJson(report);
    Require(nlohmann::json::accept(json));
    Require(Finite(json));
    Require(Finite(ReportCsv(report)));
    Require(Finite(ChartSvg(report).toStdString()));
    return 0;
}

} // namespace flexara
