#include "project/ProjectFile.h"

#include "engine/NumberText.h"
#include "engine/case/Shapes.h"
#include "project/TextDecoding.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
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
// a keyword is the rest of its line. A line ends at CR LF, CR or LF; ^Z ends
// the file.
//
// The optional blocks after the section (the load combinations) are read
// strictly: there the file must hold what the block announces, so the end of
// the file, a ^Z, a number cut short or longer than a real is an error at the
// line where it happens, never a value made up.
class Tokens {
public:
    explicit Tokens(std::string_view bytes) : text(bytes), end(std::min(bytes.find(EndOfFileCode), bytes.size())) {}

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
            InvalidNumber();
        if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
            ++i;
            if (i < token.size() && (token[i] == '+' || token[i] == '-'))
                ++i;
            int exponentDigits = 0;
            for (; i < token.size() && IsDigit(token[i]); ++i)
                ++exponentDigits;
            if (exponentDigits == 0)
                InvalidNumber();
        }
        if (i != token.size())
            InvalidNumber();
        double value = 0.0;
        if (!DecimalToDouble(token, value))
            InvalidNumber();
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
            InvalidNumber();
        long long magnitude = 0;
        for (; i < token.size(); ++i) {
            const int digit = base == 16 ? HexValue(token[i]) : (IsDigit(token[i]) ? token[i] - '0' : -1);
            if (digit < 0)
                InvalidNumber();
            magnitude = magnitude * base + digit;
            if (magnitude > static_cast<long long>(INT_MAX) + 1)
                InvalidNumber();
        }
        const long long value = negative ? -magnitude : magnitude;
        if (value > INT_MAX || value < INT_MIN)
            InvalidNumber();
        return static_cast<std::int32_t>(value);
    }

    std::string Keyword()
    {
        tokenStart = pos;
        std::string word;
        while (!AtEnd() && text[pos] != '\r' && text[pos] != '\n')
            word += text[pos++];
        if (strict && pos >= text.size() && word.empty())
            MissingValue();
        SkipLineEnd();
        return word;
    }

    // The keyword of the next optional block: blank lines before it are
    // skipped and blanks around it do not count. Empty at the end of the file.
    std::string BlockKeyword()
    {
        for (;;) {
            std::size_t i = pos;
            while (i < end && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            if (i < end && (text[i] == '\r' || text[i] == '\n')) {
                pos = i;
                SkipLineEnd();
                continue;
            }
            break;
        }
        std::string word = Keyword();
        while (!word.empty() && (word.back() == ' ' || word.back() == '\t'))
            word.pop_back();
        std::size_t lead = 0;
        while (lead < word.size() && (word[lead] == ' ' || word[lead] == '\t'))
            ++lead;
        return word.substr(lead);
    }

    // Inside an optional block the end of the file is no longer a 0.
    // blockName says which block in the messages of a file that ends early.
    void Strict(bool on, const char* blockName = "bloco de combinações")
    {
        strict = on;
        block = blockName;
    }

    // The line (from 1) where the value being read began.
    std::size_t Line() const
    {
        std::size_t line = 1;
        for (std::size_t i = 0; i < tokenStart && i < text.size(); ++i)
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                ++line;
        return line;
    }

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw ProjectFileError("Linha " + std::to_string(Line()) + ": " + what);
    }

private:
    [[noreturn]] void InvalidNumber() const
    {
        if (strict)
            Fail(InvalidNumericInputMessage);
        InvalidNumericInput();
    }

    [[noreturn]] void MissingValue() const
    {
        Fail(std::string("o arquivo acaba antes do fim do ") + block + " (Invalid numeric input)");
    }

    // True at the end of the file. In a strict block a ^Z is no end but an
    // error.
    bool AtEnd()
    {
        if (pos < end)
            return false;
        if (strict && end < text.size()) {
            tokenStart = pos;
            Fail(std::string("caractere de fim de arquivo (^Z) dentro do ") + block);
        }
        return true;
    }

    // The next blank-delimited token, at most maxLength characters, and the rest
    // of its line skipped. False at the end of the file.
    bool Token(std::size_t maxLength, std::string& token)
    {
        while (!AtEnd() && static_cast<unsigned char>(text[pos]) <= 32)
            ++pos;
        tokenStart = pos;
        if (AtEnd()) {
            if (strict)
                MissingValue();
            return false;
        }
        while (!AtEnd() && static_cast<unsigned char>(text[pos]) > 32 && token.size() < maxLength)
            token += text[pos++];
        if (strict && !AtEnd() && static_cast<unsigned char>(text[pos]) > 32)
            InvalidNumber(); // longer than any number
        while (!AtEnd() && text[pos] != '\r' && text[pos] != '\n')
            ++pos;
        // A number that runs into the end of the file was cut short: every
        // line the program writes ends with CR LF.
        if (strict && pos >= text.size())
            InvalidNumber();
        SkipLineEnd();
        return true;
    }

    void SkipLineEnd()
    {
        if (pos < end && text[pos] == '\r') {
            ++pos;
            if (pos < end && text[pos] == '\n')
                ++pos;
        } else if (pos < end && text[pos] == '\n') {
            ++pos;
        }
    }

    std::string_view text;
    std::size_t end;
    std::size_t pos = 0;
    std::size_t tokenStart = 0;
    bool strict = false;
    const char* block = "bloco de combinações";
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

namespace {

// The block of a code model; a classic case has none, so that its file is the
// file of old.
void AppendModelBlock(std::string& out, const AnalysisState& s)
{
    if (!IsCodeModel(s.Model))
        return;
    AppendLine(out, ModelKeyword);
    AppendLine(out, s.Model == CalculationModel::NbrRectangular ? "1" : "2");
    AppendLine(out, s.ReducedBlockStress ? "1" : "0");
}

// The block of the column: a case without one writes none, so that its file is
// the file of old. Every combination row gets its base moments, the top's
// where it gives none.
void AppendColumnBlock(std::string& out, const ProjectWriteInput& input)
{
    if (input.column == nullptr || !input.column->has_value())
        return;
    const Column& column = **input.column;
    AppendLine(out, ColumnKeyword);
    for (const ColumnBending& bending : column.bending)
        AppendLine(out, FormatProjectReal(bending.le));
    for (const ColumnBending& bending : column.bending)
        AppendLine(out, std::to_string(static_cast<int>(bending.condition)));
    AppendLine(out, std::to_string(static_cast<int>(column.method)));
    if (input.combinations == nullptr)
        return;
    for (const LoadCombination& row : *input.combinations) {
        AppendLine(out, FormatProjectReal(row.MxdBase.value_or(row.Mxd)));
        AppendLine(out, FormatProjectReal(row.MydBase.value_or(row.Myd)));
    }
}

} // namespace

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
            std::string name = AsUtf8(row.name);
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
    AppendColumnBlock(out, input);
    AppendModelBlock(out, s);
    return out;
}

namespace {

// What a block needs of the blocks read before it.
struct BlocksRead {
    std::int32_t combinations = 0; // rows of the block of combinations
};

// The block of load combinations: its count, then per row the name on a line
// of its own and the reals Nd, Mxd, Myd. The rows must be all there.
void ReadCombinations(Tokens& in, ProjectReaderSink& sink, BlocksRead& read)
{
    const std::int32_t count = in.Integer();
    if (count < 0 || count > MaxCombinations)
        CountOutOfRange("Número de combinações de esforços", count, MaxCombinations);
    sink.BeginCombinations(count);
    read.combinations = count;
    for (std::int32_t i = 0; i < count; ++i) {
        LoadCombination row;
        // A name typed in another program may come in its code page.
        row.name = AsUtf8(in.Keyword());
        row.Nd = in.Real();
        row.Mxd = in.Real();
        row.Myd = in.Real();
        sink.AddCombination(row);
    }
}

// The block of the calculation model after its keyword: the model (1
// rectangular, 2 parabola-rectangle; 0, never written, is the classic one) and
// 1 for the 0.9·αc reduction, anything else for none.
void ReadModel(Tokens& in, ProjectReaderSink& sink, BlocksRead&)
{
    const std::int32_t code = in.Integer();
    const std::int32_t reduced = in.Integer();
    if (code < 0 || code > 2)
        throw ProjectFileError("Modelo de cálculo desconhecido no arquivo: " + std::to_string(code) +
                               " (1 NBR 6118:2014 retangular, 2 NBR 6118:2014 parábola-retângulo)");
    sink.SetCalculationModel(static_cast<CalculationModel>(code), reduced == 1);
}

// The block of the column after its keyword: le for Mxd and le for Myd (cm,
// not negative), the support condition of each bending (0..2) and the method
// (0..1), then the base moments of every combination row read before, in
// order. A code outside its range is refused, not taken for another.
void ReadColumn(Tokens& in, ProjectReaderSink& sink, BlocksRead& read)
{
    Column column;
    for (ColumnBending& bending : column.bending) {
        bending.le = in.Real();
        if (bending.le < 0.0)
            in.Fail("comprimento de flambagem do pilar negativo");
    }
    for (ColumnBending& bending : column.bending) {
        const std::int32_t code = in.Integer();
        if (code < 0 || code > 2)
            in.Fail("condição de apoio do pilar desconhecida: " + std::to_string(code) +
                    " (0 biapoiado sem cargas transversais, 1 biapoiado com cargas transversais, 2 em balanço)");
        bending.condition = static_cast<SupportCondition>(code);
    }
    const std::int32_t method = in.Integer();
    if (method < 0 || method > 1)
        in.Fail("método do pilar desconhecido: " + std::to_string(method) +
                " (0 curvatura aproximada, 1 rigidez κ aproximada)");
    column.method = static_cast<SecondOrderMethod>(method);
    std::vector<std::pair<double, double>> base;
    base.reserve(static_cast<std::size_t>(read.combinations));
    for (std::int32_t i = 0; i < read.combinations; ++i) {
        const double mxd = in.Real();
        const double myd = in.Real();
        base.emplace_back(mxd, myd);
    }
    sink.SetColumn(column, base);
}

// The blocks a case may have after its section, each opened by its keyword on
// a line of its own, each at most once; a case without them ends with the
// section, as files always did. A block added later goes at the end of this
// table and is written after the blocks before it.
struct OptionalBlock {
    const char* keyword;
    void (*read)(Tokens& in, ProjectReaderSink& sink, BlocksRead& read);
    const char* name = "bloco de combinações"; // in the messages of a file that ends inside it
};
constexpr OptionalBlock OptionalBlocks[] = {
    {CombinationsKeyword, ReadCombinations},
    {ColumnKeyword, ReadColumn, "bloco do pilar"},
    {ModelKeyword, ReadModel},
};

void ReadOptionalBlocks(Tokens& in, ProjectReaderSink& sink)
{
    std::size_t next = 0; // blocks come in the order of the table
    BlocksRead read;
    for (;;) {
        const std::string keyword = in.BlockKeyword();
        std::size_t k = next;
        while (k < std::size(OptionalBlocks) && keyword != OptionalBlocks[k].keyword)
            ++k;
        // Anything else after the section is no part of the case.
        if (k == std::size(OptionalBlocks))
            return;
        in.Strict(true, OptionalBlocks[k].name);
        OptionalBlocks[k].read(in, sink, read);
        in.Strict(false);
        next = k + 1;
    }
}

} // namespace

void ReadProjectText(std::string_view bytes, ProjectReaderSink& sink)
{
    Tokens in(bytes);
    sink.ResetToNewCase();
    sink.SetCalculationModel(CalculationModel::Classic, false);

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
        ReadOptionalBlocks(in, sink);
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
    case ELOOP:
        return "Too many symbolic links (a loop of links)";
    case EBADF:
        return "File not open";
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
