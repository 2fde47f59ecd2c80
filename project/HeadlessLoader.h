// Loads a project file into the analysis state without a window, storing what
// the window's fields and handlers would store: a value shown in a field is
// stored again as re-read from its text, and only when that text changed; the
// orientation ties and the enabled states of the end fields apply as they do
// in the window.
#pragma once

#include "engine/case/CaseEditing.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "project/ProjectFile.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace flexara {

class HeadlessLoader : public ProjectReaderSink {
public:
    explicit HeadlessLoader(AnalysisState& state) : s(state) {}

    // The selections of the two material selectors after the reading.
    MaterialSelection Selection() const { return selection; }
    // The label of the reinforcement ratio after the reading.
    const std::string& RatioLabel() const { return ratioLabel; }
    // The load combinations of the file (none for a file without them).
    const CombinationList& Combinations() const { return combinations; }
    // The column of the file (none for a file without one).
    const std::optional<Column>& LoadedColumn() const { return column; }
    // The detailing data of the file (none for a file without them).
    const std::optional<Detailing>& LoadedDetailing() const { return detailing; }

    void ResetToNewCase() override;
    void SetGammaC(double value) override { s.GammaC = value; }
    void SetGammaS(double value) override { s.GammaS = value; }
    void SetCurvePointCount(std::int32_t value) override { s.CurvePointCount = value; }
    void SetAlphaC(double value) override { s.AlphaC = value; }
    void SetNd(double value) override;
    void SetMxd(double value) override;
    void SetMyd(double value) override;
    void SelectConcrete(std::int32_t index) override { selection.concreteIndex = index; }
    void SetFcd(double value) override { s.Fcd = value; }
    void SelectSteel(std::int32_t index) override { selection.steelIndex = index; }
    void BeginLines(std::int32_t lineCount) override;
    void BeginLine(std::int32_t k) override { currentLine = k - 1; }
    void SetBarCount(std::int32_t value) override;
    void SetDiameter(double value) override { Line().Diameter = value; }
    void SetY1(double value) override;
    void SetY2(double value) override;
    void SetX1(double value) override;
    void SetX2(double value) override;
    void SetOrientation(std::uint8_t code) override;
    void SelectFamily(std::uint8_t shapeKind) override;
    void SetShapeDim(int index, double value) override;
    void BeginFreePolygon(std::int32_t vertexCount) override;
    void SetVertex(std::int32_t i, double x, double y) override;
    void EndFreePolygon(std::int32_t) override {}
    void KeepDefaultSection() override;
    void BeginCombinations(std::int32_t count) override;
    void AddCombination(const LoadCombination& combination) override { combinations.push_back(combination); }
    void SetColumn(const Column& fileColumn, const std::vector<std::pair<double, double>>& baseMoments) override;
    void SetDetailing(const Detailing& fileDetailing) override { detailing = fileDetailing; }
    void SetCalculationModel(CalculationModel model, bool reducedBlockStress) override
    {
        s.Model = model;
        s.ReducedBlockStress = reducedBlockStress;
    }

private:
    enum Field { FieldMdx, FieldMdy, FieldNb, FieldX1, FieldX2, FieldY1, FieldY2, FieldCount };

    BarLine& Line() { return s.BarLines[static_cast<std::size_t>(currentLine)]; }
    static double Stored(const std::string& text);
    void FirstEndChanged(Axis axis);
    void SecondEndChanged(Axis axis);
    void DimChanged(int index);
    void CheckRadio(std::uint8_t code);
    void RefreshRatio();

    AnalysisState& s;
    MaterialSelection selection;
    CombinationList combinations;
    std::optional<Column> column;
    std::optional<Detailing> detailing;
    std::string ratioLabel = "0,00 %";
    std::array<std::string, FieldCount> text;
    std::array<std::string, ShapeDimCount> dimText;
    EndFields openEnds = OpenEndFields(OrientationHorizontal);
    std::uint8_t checkedRadio = OrientationHorizontal;
    int currentLine = 0;
    int selectedVertex = 0;
};

// Reads a project file from disk into the state (and its load combinations and
// its column, when asked); throws ProjectFileError, or EngineError for a fault
// of a refresh.
MaterialSelection LoadProjectFileHeadless(const std::string& path, AnalysisState& s,
                                          CombinationList* combinations = nullptr,
                                          std::optional<Column>* column = nullptr,
                                          std::optional<Detailing>* detailing = nullptr);
// The same from the bytes of a project file.
MaterialSelection LoadProjectTextHeadless(std::string_view bytes, AnalysisState& s,
                                          CombinationList* combinations = nullptr,
                                          std::optional<Column>* column = nullptr,
                                          std::optional<Detailing>* detailing = nullptr);

} // namespace flexara
