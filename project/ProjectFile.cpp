#include "project/ProjectFile.h"

#include "engine/NumberText.h"
#include "engine/Shapes.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace flexara {

namespace {

constexpr std::size_t MaxRealToken = 64;
constexpr std::size_t MaxIntegerToken = 32;
constexpr char EndOfFileCode = 26;

[[noreturn]] void InvalidNumericInput()
{
    throw ProjectFileError(InvalidNumericInputMessage);
}

[[noreturn]] void CountOutOfRange(const std::string& what, std::int32_t count, int high)
{
    throw ProjectFileError(what + " fora dos limites (0 a " + std::to_string(high) + "): " + std::to_string(count));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Tokens of a project file, read the way the file was always read: numbers
// skip blanks and line ends before them and the rest of their line after them;
// a keyword is the rest of its line. A line ends at CR LF, CR or LF.
class Tokens {
public:
    explicit Tokens(std::string_view bytes) : text(bytes.substr(0, bytes.find(EndOfFileCode))) {}

    double Real()
    {
        std::string token;
        if (!Token(MaxRealToken, token))
            return 0.0;
        // Optional sign, digits with at most one ".", optional exponent.
        std::size_t i = 0;
        if (i < token.size() && (token[i] == '+' || token[i] == '-'))
            ++i;
        int digits = 0;
        bool point = false;
        for (; i < token.size(); ++i) {
            if (IsDigit(token[i]))
                ++digits;
            else if (token[i] == '.' && !point)
                point = true;
            else
                break;
        }
        if (digits == 0)
            InvalidNumericInput();
        if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
            ++i;
            if (i < token.size() && (token[i] == '+' || token[i] == '-'))
                ++i;
            int exponentDigits = 0;
            for (; i < token.size() && IsDigit(token[i]); ++i)
                ++exponentDigits;
            if (exponentDigits == 0)
                InvalidNumericInput();
        }
        if (i != token.size())
            InvalidNumericInput();
        double value = 0.0;
        if (!DecimalToDouble(token, value))
            InvalidNumericInput();
        return value;
    }

    std::int32_t Integer()
    {
        std::string token;
        if (!Token(MaxIntegerToken, token))
            return 0;
        std::size_t i = 0;
        bool negative = false;
        if (i < token.size() && (token[i] == '+' || token[i] == '-'))
            negative = token[i++] == '-';
        int base = 10;
        if (i < token.size() && (token[i] == '$' || token[i] == 'x' || token[i] == 'X')) {
            base = 16;
            ++i;
        } else if (i + 1 < token.size() && token[i] == '0' && (token[i + 1] == 'x' || token[i + 1] == 'X')) {
            base = 16;
            i += 2;
        }
        if (i == token.size())
            InvalidNumericInput();
        long long magnitude = 0;
        for (; i < token.size(); ++i) {
            const int digit = base == 16 ? HexValue(token[i]) : (IsDigit(token[i]) ? token[i] - '0' : -1);
            if (digit < 0)
                InvalidNumericInput();
            magnitude = magnitude * base + digit;
            if (magnitude > static_cast<long long>(INT_MAX) + 1)
                InvalidNumericInput();
        }
        const long long value = negative ? -magnitude : magnitude;
        if (value > INT_MAX || value < INT_MIN)
            InvalidNumericInput();
        return static_cast<std::int32_t>(value);
    }

    std::string Keyword()
    {
        std::string word;
        while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n')
            word += text[pos++];
        SkipLineEnd();
        return word;
    }

private:
    // The next blank-delimited token, at most maxLength characters, and the rest
    // of its line skipped. False at the end of the file.
    bool Token(std::size_t maxLength, std::string& token)
    {
        while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= 32)
            ++pos;
        if (pos >= text.size())
            return false;
        while (pos < text.size() && static_cast<unsigned char>(text[pos]) > 32 && token.size() < maxLength)
            token += text[pos++];
        while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n')
            ++pos;
        SkipLineEnd();
        return true;
    }

    void SkipLineEnd()
    {
        if (pos < text.size() && text[pos] == '\r') {
            ++pos;
            if (pos < text.size() && text[pos] == '\n')
                ++pos;
        } else if (pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
    }

    std::string_view text;
    std::size_t pos = 0;
};

void AppendLine(std::string& out, std::string_view line)
{
    out.append(line);
    out.append("\r\n");
}

} // namespace

const char* ShapeKeyword(std::uint8_t shapeKind)
{
    static const char* const keywords[8] = {"retang", "trap", "te", "ele", "u", "caix", "qual", "aga"};
    return shapeKind < 8 ? keywords[shapeKind] : keywords[0];
}

const char* OrientationKeyword(std::uint8_t orientation)
{
    return orientation == OrientationHorizontal ? "hor" : (orientation == OrientationVertical ? "ver" : "qualq");
}

std::string FormatProjectReal(double value)
{
    if (!std::isfinite(value))
        throw ProjectFileError("Invalid floating point operation");
    if (value == 0.0)
        return " 0.00000000000000E+0000";
    const DecimalDigits rounded = SignificantDigitsHalfUp(value, 15);
    const int exponent = rounded.exponent;
    char out[32];
    std::snprintf(out, sizeof out, "%c%c.%.14sE%c%04d", value < 0 ? '-' : ' ', rounded.digits[0],
                  rounded.digits.c_str() + 1, exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return out;
}

std::array<bool, 4> VisibleDimFieldsOf(std::uint8_t shapeKind)
{
    const ShapeFamily& family = ShapeFamilyOf(shapeKind);
    return {family.Shows(2), family.Shows(3), family.Shows(4), family.Shows(5)};
}

std::string WriteProjectText(const AnalysisState& s, const ProjectWriteInput& input)
{
    std::string out;
    auto real = [&](double v) { AppendLine(out, FormatProjectReal(v)); };
    auto integer = [&](std::int32_t v) { AppendLine(out, std::to_string(v)); };

    real(s.GammaC);
    real(s.GammaS);
    integer(s.CurvePointCount);
    real(s.AlphaC);
    real(s.Nd);
    real(s.Mxd);
    real(s.Myd);
    integer(input.concreteIndex);
    real(s.Fcd);
    integer(input.steelIndex);
    integer(s.LineCount);
    const int lines = s.LineCount < 0 ? 0 : (s.LineCount > MaxLines ? MaxLines : s.LineCount);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        integer(line.BarCount);
        real(line.Diameter);
        real(line.Y1);
        real(line.Y2);
        real(line.X1);
        real(line.X2);
        AppendLine(out, OrientationKeyword(line.Orientation));
    }
    integer(s.Section.VertexCount);
    AppendLine(out, ShapeKeyword(s.Section.ShapeKind));
    const auto writeCombinations = [&] {
        if (input.combinations == nullptr || input.combinations->empty())
            return;
        AppendLine(out, CombinationsKeyword);
        integer(static_cast<std::int32_t>(input.combinations->size()));
        for (const LoadCombination& row : *input.combinations) {
            // A name is the rest of its line: no line end may be in it.
            std::string name = row.name;
            for (char& c : name)
                if (c == '\r' || c == '\n' || c == 26)
                    c = ' ';
            AppendLine(out, name);
            real(row.Nd);
            real(row.Mxd);
            real(row.Myd);
        }
    };
    if (s.Section.ShapeKind != ShapeFreePolygon) {
        real(s.ShapeDims[0]);
        real(s.ShapeDims[1]);
        for (int i = 0; i < 4; ++i)
            if (input.dimFieldVisible[static_cast<std::size_t>(i)])
                real(s.ShapeDims[static_cast<std::size_t>(i + 2)]);
    } else {
        const int n =
            s.Section.VertexCount < 0 ? 0 : (s.Section.VertexCount > MaxVertices ? MaxVertices : s.Section.VertexCount);
        for (int i = 0; i < n; ++i) {
            real(s.Section.Vertices[static_cast<std::size_t>(i)].x);
            real(s.Section.Vertices[static_cast<std::size_t>(i)].y);
        }
    }
    writeCombinations();
    return out;
}

namespace {

// The block of load combinations after the section, if the file has one;
// anything else after the section is no part of the case.
void ReadCombinations(Tokens& in, ProjectReaderSink& sink)
{
    if (in.Keyword() != CombinationsKeyword)
        return;
    const std::int32_t count = in.Integer();
    if (count < 0 || count > MaxCombinations)
        CountOutOfRange("Número de combinações de esforços", count, MaxCombinations);
    sink.BeginCombinations(count);
    for (std::int32_t i = 0; i < count; ++i) {
        LoadCombination row;
        row.name = in.Keyword();
        row.Nd = in.Real();
        row.Mxd = in.Real();
        row.Myd = in.Real();
        sink.AddCombination(row);
    }
}

} // namespace

void ReadProjectText(std::string_view bytes, ProjectReaderSink& sink)
{
    Tokens in(bytes);
    sink.ResetToNewCase();

    sink.SetGammaC(in.Real());
    sink.SetGammaS(in.Real());
    const std::int32_t points = in.Integer();
    if (points > MaxCurvePointCount)
        throw ProjectFileError("Número de pontos do diagrama de interação acima do máximo (" +
                               std::to_string(MaxCurvePointCount) + "): " + std::to_string(points));
    sink.SetCurvePointCount(points);
    sink.SetAlphaC(in.Real());
    sink.SetNd(in.Real());
    sink.SetMxd(in.Real());
    sink.SetMyd(in.Real());
    const std::int32_t concrete = in.Integer();
    sink.SelectConcrete(concrete >= 0 && concrete <= 12 ? concrete : -1);
    sink.SetFcd(in.Real());
    const std::int32_t steel = in.Integer();
    sink.SelectSteel(steel >= 0 && steel <= 3 ? steel : -1);

    const std::int32_t lineCount = in.Integer();
    if (lineCount < 0 || lineCount > MaxLines)
        CountOutOfRange("Número de linhas de armadura", lineCount, MaxLines);
    sink.BeginLines(lineCount);
    for (std::int32_t k = 1; k <= lineCount; ++k) {
        sink.BeginLine(k);
        std::int32_t bars = in.Integer();
        if (bars > MaxBarsPerLine)
            CountOutOfRange("Número de barras na linha " + std::to_string(k), bars, MaxBarsPerLine);
        if (bars < 0)
            bars = 0; // as the bar-count field stores a negative count
        sink.SetBarCount(bars);
        sink.SetDiameter(in.Real());
        sink.SetY1(in.Real());
        sink.SetY2(in.Real());
        sink.SetX1(in.Real());
        sink.SetX2(in.Real());
        const std::string orientation = in.Keyword();
        sink.SetOrientation(orientation == "hor"   ? OrientationHorizontal
                            : orientation == "ver" ? OrientationVertical
                                                   : OrientationAny);
    }

    const std::int32_t vertexCount = in.Integer();
    const std::string shape = in.Keyword();
    for (std::uint8_t kind = 0; kind < 8; ++kind) {
        if (shape != ShapeKeyword(kind))
            continue;
        if (kind == ShapeFreePolygon) {
            if (vertexCount < 0 || vertexCount > MaxVertices)
                CountOutOfRange("Número de vértices da seção", vertexCount, MaxVertices);
            sink.BeginFreePolygon(vertexCount);
            for (std::int32_t i = 1; i <= vertexCount; ++i) {
                const double x = in.Real();
                const double y = in.Real();
                sink.SetVertex(i, x, y);
            }
            sink.EndFreePolygon(vertexCount);
        } else {
            sink.SelectFamily(kind);
            const ShapeFamily& family = ShapeFamilyOf(kind);
            for (int i = 0; i < ShapeDimCount; ++i)
                if (family.Shows(i))
                    sink.SetShapeDim(i, in.Real());
        }
        ReadCombinations(in, sink);
        return;
    }
    sink.KeepDefaultSection();
}

std::string IoErrorMessage(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return "File not found";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return "File access denied";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENAMETOOLONG:
    case ENOTDIR:
    case EINVAL:
        return "Invalid filename";
    case ENOSPC:
#ifdef EDQUOT // no disk quotas on Windows
    case EDQUOT:
#endif
        return "Disk full";
    default:
        return "I/O error " + std::to_string(errorNumber);
    }
}

} // namespace flexara
