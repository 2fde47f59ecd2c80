// The window side of the project-file reader: every value of the file goes
// through the field, list, button or selector where the user would have put it,
// so that the window's own handlers store it and the window, the analysis state
// and the drawing end as if the case had been typed.
#pragma once

#include "project/ProjectFile.h"

namespace flexara {

class TFPrincipal;

class WindowProjectReader : public ProjectReaderSink {
public:
    explicit WindowProjectReader(TFPrincipal& window) : w(window) {}

    void ResetToNewCase() override;
    void SetGammaC(double value) override;
    void SetGammaS(double value) override;
    void SetCurvePointCount(std::int32_t value) override;
    void SetAlphaC(double value) override;
    void SetNd(double value) override;
    void SetMxd(double value) override;
    void SetMyd(double value) override;
    void SelectConcrete(std::int32_t index) override;
    void SetFcd(double value) override;
    void SelectSteel(std::int32_t index) override;
    void BeginLines(std::int32_t lineCount) override;
    void BeginLine(std::int32_t k) override;
    void SetBarCount(std::int32_t value) override;
    void SetDiameter(double value) override;
    void SetY1(double value) override;
    void SetY2(double value) override;
    void SetX1(double value) override;
    void SetX2(double value) override;
    void SetOrientation(std::uint8_t code) override;
    void SelectFamily(std::uint8_t shapeKind) override;
    void SetShapeDim(int index, double value) override;
    void BeginFreePolygon(std::int32_t vertexCount) override;
    void SetVertex(std::int32_t i, double x, double y) override;
    void EndFreePolygon(std::int32_t vertexCount) override;
    void KeepDefaultSection() override;
    void BeginCombinations(std::int32_t count) override;
    void AddCombination(const LoadCombination& combination) override;
    void SetColumn(const Column& column, const std::vector<std::pair<double, double>>& baseMoments) override;
    void SetDetailing(const Detailing& detailing) override;
    void SetCalculationModel(CalculationModel model, bool reducedBlockStress) override;

private:
    TFPrincipal& w;
    CombinationList combinations;
    std::size_t expectedCombinations = 0;
};

} // namespace flexara
