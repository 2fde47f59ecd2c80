#include "tests/fuzz/CsvFuzzEntry.h"

#include "cli/CheckReport.h"
#include "engine/NumberText.h"
#include "engine/section/DefaultCase.h"
#include "project/CsvText.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "project/TextDecoding.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <memory>
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

void RowsThroughTheWriters(const CombinationList& rows)
{
    for (const LoadCombination& row : rows) {
        Require(IsValidUtf8(row.name));
        Require(std::isfinite(row.Nd) && std::isfinite(row.Mxd) && std::isfinite(row.Myd));
    }
    // The CSV the window exports reads back to the same numbers.
    const CombinationList again = ReadCombinationsCsv(WriteCombinationsCsv(rows));
    Require(again.size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        Require(again[i].Nd == rows[i].Nd && again[i].Mxd == rows[i].Mxd && again[i].Myd == rows[i].Myd);

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
    try {
        RowsThroughTheWriters(ReadCombinationsCsv(bytes));
    } catch (const ProjectFileError&) {
        // refused, with its line: what the program reports
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
