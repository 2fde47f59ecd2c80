#include "tests/fuzz/CsvFuzzEntry.h"

#include "cli/CheckReport.h"
#include "engine/NumberText.h"
#include "engine/section/DefaultCase.h"
#include "project/CsvText.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "project/TextDecoding.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <regex>
#include <string_view>

namespace flexara {

namespace {

// A finding: the fuzzer keeps the input and stops.
void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// A name as the project file's writer keeps it on its line.
std::string OnOneLine(std::string name)
{
    for (char& c : name)
        if (c == '\r' || c == '\n' || c == 26)
            c = ' ';
    return name;
}

// A real as the project file keeps it: 15 significant digits.
double InTheFile(double value)
{
    double read = 0.0;
    Require(DecimalToDouble(FormatProjectReal(value).substr(value < 0 ? 0 : 1), read));
    return read;
}

// The five values of a row, a base moment not given as NaN, each through f.
std::array<double, 5> Values(const LoadCombination& row, double (*f)(double))
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    return {f(row.Nd), f(row.Mxd), f(row.Myd), row.MxdBase ? f(*row.MxdBase) : none,
            row.MydBase ? f(*row.MydBase) : none};
}

bool Same(const std::array<double, 5>& a, const std::array<double, 5>& b)
{
    for (std::size_t k = 0; k < a.size(); ++k)
        if (!(a[k] == b[k] || (std::isnan(a[k]) && std::isnan(b[k]))))
            return false;
    return true;
}

double AsIs(double value)
{
    return value;
}

// A number the batch tool's CSV writes that a Brazilian reader could take
// for thousands: one to three digits, a point, three digits.
bool ThousandsReading(double value)
{
    static const std::regex thousands(R"(^-?[1-9][0-9]{0,2}\.[0-9]{3}$)");
    return std::regex_match(ShortestReal(value), thousands);
}

void RowsThroughTheWriters(const CombinationList& rows)
{
    bool thousands = false;
    for (const LoadCombination& row : rows) {
        Require(IsValidUtf8(row.name));
        for (const double v : Values(row, AsIs)) {
            Require(std::isfinite(v) || std::isnan(v));
            thousands = thousands || (!std::isnan(v) && ThousandsReading(v));
        }
    }
    // The batch tool's CSV reads back to the same numbers, but where one of
    // them reads as thousands: that is refused.
    try {
        const CombinationList again = ReadCombinationsCsv(WriteCombinationsCsv(rows, nullptr, true));
        Require(again.size() == rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            Require(Same(Values(again[i], AsIs), Values(rows[i], AsIs)));
    } catch (const ProjectFileError&) {
        Require(thousands);
    }
    // The window's export reads back to the numbers its fields show.
    const CombinationList again = ReadCombinationsCsv(SpreadsheetCombinationsCsv(rows, nullptr, true));
    Require(again.size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        Require(Same(Values(again[i], AsIs), Values(rows[i], ThroughFieldText)));

    // In a project file the block reads back whole.
    auto state = std::make_unique<AnalysisState>();
    InstallDefaultCase(*state);
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(state->Section.ShapeKind);
    input.combinations = &rows;
    const std::string text = WriteProjectText(*state, input);
    auto reopened = std::make_unique<AnalysisState>();
    HeadlessLoader loader(*reopened);
    ReadProjectText(text, loader);
    Require(loader.Combinations().size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LoadCombination& back = loader.Combinations()[i];
        Require(back.name == OnOneLine(rows[i].name));
        Require(back.Nd == InTheFile(rows[i].Nd) && back.Mxd == InTheFile(rows[i].Mxd) &&
                back.Myd == InTheFile(rows[i].Myd));
    }

    // The batch tool's JSON of them is JSON.
    CombinationCheck check;
    check.rows.resize(rows.size());
    Require(nlohmann::json::accept(CheckJson(rows, check, CalculationModel::Classic)));
}

} // namespace

int FuzzCombinationsText(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Require(IsValidUtf8(DecodeText(bytes)));
    std::optional<CombinationList> read;
    try {
        read = ReadCombinationsCsv(bytes);
    } catch (const ProjectFileError&) {
        // refused, with its line: what the program reports
    }
    if (read) {
        RowsThroughTheWriters(*read);
        // A case without a column reads the same rows when none has a base
        // moment, and refuses them when one has.
        const bool base = std::any_of(read->begin(), read->end(), [](const LoadCombination& r) {
            return r.MxdBase.has_value() || r.MydBase.has_value();
        });
        try {
            Require(ReadCombinationsCsv(bytes, MaxCombinations, LoadsTarget::CaseWithoutColumn).size() ==
                        read->size() &&
                    !base);
        } catch (const ProjectFileError&) {
            Require(base);
        }
    }
    try {
        for (const PastedRow& row : ReadPastedRows(bytes)) {
            Require(IsValidUtf8(row.name));
            for (const std::string& number : row.numbers)
                Require(IsValidUtf8(number) && number.find('.') == std::string::npos);
        }
    } catch (const ProjectFileError&) {
    }
    return 0;
}

} // namespace flexara
