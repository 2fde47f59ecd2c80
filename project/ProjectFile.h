// The project file (.fxr): one case as plain text, one value per line, CR LF.
//
// Header of 11 lines (settings, actions, the two material selections, Fcd and
// the line count), seven lines per reinforcement line (bar count, diameter, Y1,
// Y2, X1, X2, orientation keyword), then the section: its vertex count, the
// shape keyword and the shape's dimensions or vertices. Optional blocks follow
// the section, each opened by its keyword and written only when it has
// content, in this order: the load combinations ("combinacoes", their count
// and, for each, its name on a line of its own and the reals Nd, Mxd, Myd), the
// column ("pilar": the reals le for Mxd and le for Myd in cm, the integers of
// the support condition of each bending and of the method, then for each
// combination row in order its reals Mxd and Myd at the base; the method 0
// approximate curvature, 1 approximate stiffness κ, 2 coupled to the M, N,
// 1/r relation, 3 the general method), the calculation model of a code model
// ("modelo", 1 rectangular or 2 parabola-rectangle, then 1 with the 0.9·αc
// reduction or 0), for a column with any of them, its least dimension b and
// creep ("pilar-b-fluencia": for b, φ and ψ in turn 1 and the real, or 0
// where it is not given; then the aggregate, 0 granite or gneiss, 1 basalt,
// 2 limestone, 3 sandstone) and the detailing data ("detalhamento": the
// environmental class 1 to 4, or 0 for a typed cover; the cover in cm; φt in
// mm, 0 for automático; dmax in mm; st in cm, 0 for the one the program
// proposes). A classic case
// without combinations ends with the section, as files always did. Reals are
// written in a fixed 23-character scientific form with 15 significant digits
// and "." always.
//
// The header and the section keep the reading files always had (a missing
// number is 0, ^Z ends the file). After the section every line that is not
// blank opens a block by its keyword, written as the writer writes it (blanks
// around it do not count); the blocks may come in any order, each at most
// once, and anything else is refused at its line. A block must hold what it
// announces, whole: the end of the file, a ^Z or a number that is no real
// inside it is an error naming its line; the last line may lack its line end,
// and a ^Z may close the file after the last block. The column carries one
// pair of base moments per combination row, none without rows. A name that
// is not UTF-8 is read as Windows-1252.
//
// The reader walks the file once and hands every value, in file order (the
// blocks after the section in the writer's), to a ProjectReaderSink: the window
// implements it with its fields and handlers, the headless loader on the
// analysis state alone.
#pragma once

#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/design/Detailing.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace flexara {

// A failure of reading or writing a project file; what() is the runtime
// message shown in the error box ("Invalid numeric input", "File not found").
class ProjectFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* InvalidNumericInputMessage = "Invalid numeric input";

// Keywords of the file.
const char* ShapeKeyword(std::uint8_t shapeKind);
const char* OrientationKeyword(std::uint8_t orientation);

// " 1.40000000000000E+0000": 15 significant digits rounded half up.
std::string FormatProjectReal(double value);

// What the writer needs besides the analysis state.
struct ProjectWriteInput {
    std::int32_t concreteIndex = 3; // selection of the concrete selector, -1 for none
    std::int32_t steelIndex = 1;    // selection of the steel selector, -1 for none
    // Whether the fields Ed3..Ed6 are visible; the writer writes their
    // dimensions only then.
    std::array<bool, 4> dimFieldVisible{};
    // The load combinations of the case; none are written when empty or absent.
    const CombinationList* combinations = nullptr;
    // The column of the case; no block "pilar" when absent or empty. Its block
    // gives each row its base moments: a row without them is written with the
    // top's (read back, they are given, and equal).
    const std::optional<Column>* column = nullptr;
    // The detailing data; no block "detalhamento" when absent or empty.
    const std::optional<Detailing>* detailing = nullptr;
};

// The keyword that opens the block of load combinations.
inline constexpr const char* CombinationsKeyword = "combinacoes";
// The keyword that opens the block of the calculation model.
inline constexpr const char* ModelKeyword = "modelo";
// The keyword that opens the block of the column.
inline constexpr const char* ColumnKeyword = "pilar";
// The keyword that opens the block of the column's least dimension b and
// creep (φ, ψ, the aggregate), written only for a column that has them.
inline constexpr const char* ColumnDataKeyword = "pilar-b-fluencia";
// The keyword that opens the block of the detailing data.
inline constexpr const char* DetailingKeyword = "detalhamento";

// The fields Ed3..Ed6 that the family of the state shows.
std::array<bool, 4> VisibleDimFieldsOf(std::uint8_t shapeKind);

// The whole file as text, CR LF after every line.
std::string WriteProjectText(const AnalysisState& s, const ProjectWriteInput& input);

// Receives the values of a project file in file order. Counts are checked
// against the capacities before they are handed on.
class ProjectReaderSink {
public:
    virtual ~ProjectReaderSink() = default;
    // The New reset, before anything is read.
    virtual void ResetToNewCase() = 0;
    virtual void SetGammaC(double value) = 0;
    virtual void SetGammaS(double value) = 0;
    virtual void SetCurvePointCount(std::int32_t value) = 0;
    virtual void SetAlphaC(double value) = 0;
    virtual void SetNd(double value) = 0;
    virtual void SetMxd(double value) = 0;
    virtual void SetMyd(double value) = 0;
    // -1 when the file's index names no item.
    virtual void SelectConcrete(std::int32_t index) = 0;
    virtual void SetFcd(double value) = 0;
    virtual void SelectSteel(std::int32_t index) = 0;
    // Empties the line list and stores the count (0..MaxLines).
    virtual void BeginLines(std::int32_t lineCount) = 0;
    // Line k (1-based) becomes the current line of the reinforcement editor.
    virtual void BeginLine(std::int32_t k) = 0;
    // 0..MaxBarsPerLine; a negative count arrives as 0.
    virtual void SetBarCount(std::int32_t value) = 0;
    virtual void SetDiameter(double value) = 0;
    virtual void SetY1(double value) = 0;
    virtual void SetY2(double value) = 0;
    virtual void SetX1(double value) = 0;
    virtual void SetX2(double value) = 0;
    virtual void SetOrientation(std::uint8_t code) = 0;
    // A parametric family (any ShapeKind but the free polygon): selected as by
    // its tool button, then its dimensions follow through SetShapeDim.
    virtual void SelectFamily(std::uint8_t shapeKind) = 0;
    virtual void SetShapeDim(int index, double value) = 0;
    // The free polygon with its vertex count (0..MaxVertices), then its
    // vertices 1..count through SetVertex.
    virtual void BeginFreePolygon(std::int32_t vertexCount) = 0;
    virtual void SetVertex(std::int32_t i, double x, double y) = 0;
    virtual void EndFreePolygon(std::int32_t vertexCount) = 0;
    // An unrecognised shape keyword: the section stays the new case's rectangle.
    virtual void KeepDefaultSection() = 0;
    // The load combinations after the section, when the file has them: the
    // count (0..MaxCombinations), then each row in order.
    virtual void BeginCombinations(std::int32_t count) = 0;
    virtual void AddCombination(const LoadCombination& combination) = 0;
    // The column, when the file has one, after the combinations: its data and
    // the base moments (Mxd, Myd) of each combination row in order, as many as
    // the rows handed on before.
    virtual void SetColumn(const Column& column, const std::vector<std::pair<double, double>>& baseMoments) = 0;
    // The calculation model: the classic one right after the reset (a file
    // without the block "modelo" is a classic case), then the block's, when
    // the file has one.
    virtual void SetCalculationModel(CalculationModel model, bool reducedBlockStress) = 0;
    // The detailing data, when the file has them.
    virtual void SetDetailing(const Detailing&) {}
};

// Reads the bytes of a project file into the sink. Throws ProjectFileError
// with "Invalid numeric input" for a token of the wrong kind ("Linha 27:
// Invalid numeric input" inside a block after the section), with a message
// naming a count beyond the capacities, or naming the line that opens no
// block; what was handed on before stays. The blocks after the section reach
// the sink only once all of them have read whole, in the writer's order.
void ReadProjectText(std::string_view bytes, ProjectReaderSink& sink);

// File access with the runtime's messages ("File not found", "File access
// denied", "Disk full", "I/O error 5"); a folder, a pipe or a device is said
// as such.
std::string LoadProjectBytes(const std::string& path);
// The same for a CSV file of load combinations.
std::string LoadCsvBytes(const std::string& path);
// What a path that is no regular file names, by its st_mode: "Is a folder,
// not a file", a pipe, a device.
std::string NotAFileMessage(unsigned mode);
// A write failure injected by tests: the write that would pass byte
// failAfterBytes fails with errorNumber, or the process receives
// signalNumber there, as if interrupted in the middle of the save.
struct InjectedWriteFault {
    std::size_t failAfterBytes = 0;
    int errorNumber = 0;
    int signalNumber = 0;
};

// Writes the bytes of a project file or a report to path: to a temporary file
// beside it, renamed over it, so that a failed save leaves the old file whole
// and no temporary file behind (also when the process is interrupted). A
// symbolic link is followed and its target replaced; a target that is not a
// regular file (a folder, a device, a pipe) is refused, and so is a file that
// nobody may write ("File access denied"). In a folder that takes no new file
// a writable file is rewritten in place.
void SaveFileBytes(const std::string& path, std::string_view text, const InjectedWriteFault* fault = nullptr);

inline constexpr const char* NotARegularFileMessage = "O destino não é um arquivo comum (pasta, dispositivo ou fila)";

// Whether the two paths name one existing file (through links as well).
bool SameFile(const std::string& a, const std::string& b);

// Largest project file the reader takes in; a real case is a few kilobytes.
constexpr std::size_t MaxProjectFileBytes = 64u << 20;
std::string IoErrorMessage(int errorNumber);

} // namespace flexara
