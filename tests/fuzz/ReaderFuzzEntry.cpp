#include "ReaderFuzzEntry.h"

#include "Curve.h"
#include "Faults.h"
#include "HeadlessLoader.h"
#include "ProjectFile.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace flexara {

namespace {
struct CheckingSink : CurveSink {
    void ClearCurve() override {}
    void AddCurvePoint(double mx, double my) override { Check(mx, my); }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
    static void Check(double x, double y)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            std::abort(); // a non-finite curve point is a finding
    }
};
} // namespace

int FuzzProjectFile(const std::uint8_t* data, std::size_t size)
{
    static auto state = std::make_unique<AnalysisState>();
    *state = AnalysisState{};
    HeadlessLoader loader(*state);
    try {
        ReadProjectText(std::string_view(reinterpret_cast<const char*>(data), size), loader);
    } catch (const ProjectFileError&) {
        return 0;
    }
    // Keep the generation short: the fuzzer is after the reader's paths.
    if (state->CurvePointCount > 8)
        state->CurvePointCount = 8;
    ProjectWriteInput input;
    input.concreteIndex = loader.Selection().concreteIndex;
    input.steelIndex = loader.Selection().steelIndex;
    input.dimFieldVisible = VisibleDimFieldsOf(state->Section.ShapeKind);
    try {
        (void)WriteProjectText(*state, input);
        CheckingSink sink;
        GenerateCurve(*state, loader.Selection(), sink);
    } catch (const EngineError&) {
    } catch (const ProjectFileError&) {
    }
    return 0;
}

} // namespace flexara
