#include "project/ProjectFile.h"

#include "engine/NumberText.h"
#include "engine/case/CaseEditing.h"
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

// Whether a character shows as nothing or as a blank: controls, the
// non-breaking and other spaces, joiners, marks of direction, the byte-order
// mark.
bool Invisible(std::uint32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x034F || c == 0x061C || c == 0x1680 ||
           c == 0x180E || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x205F && c <= 0x206F) || c == 0x3000 || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF ||
           (c >= 0xFFF9 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE007F);
}

// A line of the file as a message can show it: in UTF-8, every invisible
// character as its code ("[U+FEFF]modelo"), a long line cut after 40
// characters.
std::string Shown(std::string_view bytes)
{
    constexpr int MaxShown = 40;
    const std::string utf8 = AsUtf8(bytes);
    std::string out;
    int shown = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (shown++ == MaxShown) {
            out += "…";
            break;
        }
        if (Invisible(c)) {
            char code[16];
            std::snprintf(code, sizeof code, "[U+%04X]", static_cast<unsigned>(c));
            out += code;
        } else {
            out.append(utf8, i, length);
        }
        i += length;
    }
    return out;
}

// Tokens of a project file, read the way the file was always read: numbers
// skip blanks and line ends before them and the rest of their line after them;
// a keyword is the rest of its line. A line ends at CR LF, CR or LF; ^Z ends
// the file.
//
// The blocks after the section are read strictly: there the file must hold
// what the block announces, so the end of the file, a ^Z or a number longer
// than a real inside a block is an error at the line where it happens, never
// a value made up.
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
        if (AtEnd() && word.empty()) {
            if (strict)
                EndInsideBlock();
            endedEarly = true;
        }
        SkipLineEnd();
        return word;
    }

    // Lines of nothing but blanks and tabs, the last one with or without its
    // line end.
    void SkipBlankLines()
    {
        for (;;) {
            std::size_t i = pos;
            while (i < end && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            if (i < end && text[i] != '\r' && text[i] != '\n')
                return;
            pos = i;
            if (AtEnd())
                return;
            SkipLineEnd();
        }
    }

    // The rest of the line, blanks and tabs around it dropped: a block keyword.
    std::string BlockKeyword()
    {
        std::string word = Keyword();
        while (!word.empty() && (word.back() == ' ' || word.back() == '\t'))
            word.pop_back();
        std::size_t lead = 0;
        while (lead < word.size() && (word[lead] == ' ' || word[lead] == '\t'))
            ++lead;
        return word.substr(lead);
    }

    // Whether the next line that is not blank starts as a number does (a
    // digit, a sign or a point).
    bool NumberFollows() const
    {
        std::size_t i = pos;
        while (i < end && static_cast<unsigned char>(text[i]) <= 32)
            ++i;
        return i < end && (IsDigit(text[i]) || text[i] == '+' || text[i] == '-' || text[i] == '.');
    }

    // Inside a block the end of the file is no longer a 0. blockName says
    // which block in the messages of a file that ends inside it.
    void Strict(bool on, const char* blockName = "")
    {
        strict = on;
        block = blockName;
    }

    bool AtEnd() const { return pos >= end; }
    // Whether a value before the section's end read as 0 or empty because the
    // file had ended.
    bool EndedEarly() const { return endedEarly; }
    // Where the next value begins, and where the last one read began.
    std::size_t Offset() const { return pos; }
    std::size_t LastValueAt() const { return tokenStart; }

    // At the end of the text: a ^Z, the old mark of the end of the file, may
    // close it, followed by nothing one could read (blanks, line ends, more
    // ^Z); a ^Z with text after it would hide that text.
    void CheckNothingAfterEndMark() const
    {
        std::size_t i = end + 1;
        while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32)
            ++i;
        if (i >= text.size())
            return;
        std::size_t lineEnd = i;
        while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n')
            ++lineEnd;
        FailAt(end, "caractere de fim de arquivo (^Z) antes do fim do arquivo: depois dele vem «" +
                        Shown(text.substr(i, lineEnd - i)) + "»");
    }

    // The line (from 1) of a place in the text.
    std::size_t LineAt(std::size_t offset) const
    {
        std::size_t line = 1;
        for (std::size_t i = 0; i < offset && i < text.size(); ++i)
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                ++line;
        return line;
    }

    [[noreturn]] void FailAt(std::size_t offset, const std::string& what) const
    {
        throw ProjectFileError("Linha " + std::to_string(LineAt(offset)) + ": " + what);
    }

    // At the line where the value being read began.
    [[noreturn]] void Fail(const std::string& what) const { FailAt(tokenStart, what); }

private:
    [[noreturn]] void InvalidNumber() const
    {
        if (strict)
            Fail(InvalidNumericInputMessage);
        InvalidNumericInput();
    }

    // A block needs a value where the file has ended, at its end or at a ^Z.
    [[noreturn]] void EndInsideBlock() const
    {
        if (end < text.size())
            FailAt(end, std::string("caractere de fim de arquivo (^Z) dentro do ") + block);
        Fail(std::string("o arquivo acaba antes do fim do ") + block + " (Invalid numeric input)");
    }

    // The next blank-delimited token, at most maxLength characters, and the rest
    // of its line skipped. False at the end of the file, where a block fails.
    // The last line of a file may lack its line end (as Notepad saves it).
    bool Token(std::size_t maxLength, std::string& token)
    {
        while (!AtEnd() && static_cast<unsigned char>(text[pos]) <= 32)
            ++pos;
        tokenStart = pos;
        if (AtEnd()) {
            if (strict)
                EndInsideBlock();
            endedEarly = true;
            return false;
        }
        while (!AtEnd() && static_cast<unsigned char>(text[pos]) > 32 && token.size() < maxLength)
            token += text[pos++];
        if (strict && !AtEnd() && static_cast<unsigned char>(text[pos]) > 32)
            InvalidNumber(); // longer than any number
        while (!AtEnd() && text[pos] != '\r' && text[pos] != '\n')
            ++pos;
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
    std::size_t end; // the first ^Z, or the end of the text
    std::size_t pos = 0;
    std::size_t tokenStart = 0;
    bool strict = false;
    bool endedEarly = false;
    const char* block = "";
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

// What the blocks after the section hold, read whole before any of it goes to
// the sink: the blocks may come in any order, the sink takes them in the
// writer's.
struct FileBlocks {
    CombinationList combinations;
    Column column;
    std::vector<std::pair<double, double>> baseMoments; // of the column, per combination row
    std::vector<std::size_t> basePairAt;                // where each pair begins in the file
    std::size_t baseEnd = 0;                            // where the column block ends
    CalculationModel model = CalculationModel::Classic;
    bool reducedBlockStress = false;
    // Where the block of the column's b and creep opens, to refuse it
    // without a column.
    std::size_t columnDataAt = 0;
    bool columnRead = false;
    Detailing detailing;
    // The section the blocks complete, and where a column's b was given: only
    // a free polygon is given one, the other shapes have their own.
    std::uint8_t shapeKind = ShapeRectangle;
    std::size_t leastDimensionAt = 0;
};

// The load combinations: their count, then per row the name on a line of its
// own and the reals Nd, Mxd, Myd. A case without rows writes none.
void WriteCombinations(std::string& out, const AnalysisState&, const ProjectWriteInput& input)
{
    if (input.combinations == nullptr || input.combinations->empty())
        return;
    AppendLine(out, CombinationsKeyword);
    AppendLine(out, std::to_string(input.combinations->size()));
    for (const LoadCombination& row : *input.combinations) {
        // A name is the rest of its line: no line end may be in it.
        std::string name = AsUtf8(row.name);
        for (char& c : name)
            if (c == '\r' || c == '\n' || c == 26)
                c = ' ';
        AppendLine(out, name);
        AppendLine(out, FormatProjectReal(row.Nd));
        AppendLine(out, FormatProjectReal(row.Mxd));
        AppendLine(out, FormatProjectReal(row.Myd));
    }
}

// The rows must be all there.
void ReadCombinations(Tokens& in, FileBlocks& blocks)
{
    const std::int32_t count = in.Integer();
    if (count < 0 || count > MaxCombinations)
        CountOutOfRange("Número de combinações de esforços", count, MaxCombinations);
    blocks.combinations.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        LoadCombination row;
        // A name typed in another program may come in its code page.
        row.name = AsUtf8(in.Keyword());
        row.Nd = in.Real();
        row.Mxd = in.Real();
        row.Myd = in.Real();
        blocks.combinations.push_back(std::move(row));
    }
}

void GiveCombinations(const FileBlocks& blocks, ProjectReaderSink& sink)
{
    sink.BeginCombinations(static_cast<std::int32_t>(blocks.combinations.size()));
    for (const LoadCombination& row : blocks.combinations)
        sink.AddCombination(row);
}

// The column: le for Mxd and le for Myd (cm), the support condition of each
// bending and the method, then the base moments of every combination row,
// the top's where a row gives none (read back, they are given, and equal). A
// case without a column writes none.
void WriteColumn(std::string& out, const AnalysisState&, const ProjectWriteInput& input)
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

// The lengths may not be negative; a code outside its range is refused, not
// taken for another. The base moments are the numbers that follow, two by
// two, up to the next block: the combinations may come after the column.
void ReadColumn(Tokens& in, FileBlocks& blocks)
{
    Column& column = blocks.column;
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
    if (method < 0 || method > 3)
        in.Fail("método do pilar desconhecido: " + std::to_string(method) +
                " (0 curvatura aproximada, 1 rigidez κ aproximada, 2 pilar-padrão acoplado a diagramas M, N, 1/r, "
                "3 método geral)");
    column.method = static_cast<SecondOrderMethod>(method);
    while (in.NumberFollows()) {
        const double mxd = in.Real();
        const std::size_t at = in.LastValueAt();
        // No case has more rows than that: the pair is one too many.
        if (blocks.baseMoments.size() == static_cast<std::size_t>(MaxCombinations))
            in.FailAt(at, "momentos na base de mais de " + std::to_string(MaxCombinations) +
                              " combinações no bloco do pilar");
        const double myd = in.Real();
        blocks.baseMoments.emplace_back(mxd, myd);
        blocks.basePairAt.push_back(at);
    }
    blocks.baseEnd = in.Offset();
    blocks.columnRead = true;
}

// "nenhum par", "1 par", "3 pares".
std::string Counted(std::size_t n, const char* none, const char* one, const char* many)
{
    return n == 0 ? std::string(none) : std::to_string(n) + " " + (n == 1 ? one : many);
}

// One pair of base moments for every combination row, none without rows.
void CheckColumn(const FileBlocks& blocks, const Tokens& in)
{
    const std::size_t rows = blocks.combinations.size();
    const std::size_t pairs = blocks.baseMoments.size();
    if (pairs == rows)
        return;
    const std::string counts = Counted(pairs, "nenhum par", "par", "pares") + " para " +
                               Counted(rows, "nenhuma combinação", "combinação", "combinações");
    if (pairs > rows)
        in.FailAt(blocks.basePairAt[rows], "momentos na base a mais no bloco do pilar: " + counts);
    in.FailAt(blocks.baseEnd, "faltam momentos na base no bloco do pilar: " + counts);
}

void GiveColumn(const FileBlocks& blocks, ProjectReaderSink& sink)
{
    sink.SetColumn(blocks.column, blocks.baseMoments);
}

// The calculation model of a code model: 1 rectangular or 2
// parabola-rectangle, then 1 with the 0.9·αc reduction or 0. A classic case
// has none, so that its file is the file of old.
void WriteModel(std::string& out, const AnalysisState& s, const ProjectWriteInput&)
{
    if (!IsCodeModel(s.Model))
        return;
    AppendLine(out, ModelKeyword);
    AppendLine(out, s.Model == CalculationModel::NbrRectangular ? "1" : "2");
    AppendLine(out, s.ReducedBlockStress ? "1" : "0");
}

// 0, never written, is the classic model.
void ReadModel(Tokens& in, FileBlocks& blocks)
{
    const std::int32_t code = in.Integer();
    if (code < 0 || code > 2)
        in.Fail("Modelo de cálculo desconhecido no arquivo: " + std::to_string(code) +
                " (1 NBR 6118:2014 retangular, 2 NBR 6118:2014 parábola-retângulo)");
    const std::int32_t reduced = in.Integer();
    if (reduced != 0 && reduced != 1)
        in.Fail("Redução de 0,9·αc desconhecida no arquivo: " + std::to_string(reduced) +
                " (0 sem a redução, 1 com a redução)");
    blocks.model = static_cast<CalculationModel>(code);
    blocks.reducedBlockStress = reduced == 1;
}

void GiveModel(const FileBlocks& blocks, ProjectReaderSink& sink)
{
    sink.SetCalculationModel(blocks.model, blocks.reducedBlockStress);
}

// The column's least dimension b and its creep: for each of b (cm), φ and ψ
// a 1 and its real, or a 0 where it is not given, then the aggregate's code
// (0 granite or gneiss, 1 basalt, 2 limestone, 3 sandstone). Written after
// the other blocks and only for a column that has any of them, so that a
// column without them is written as before.
void WriteColumnData(std::string& out, const AnalysisState&, const ProjectWriteInput& input)
{
    if (input.column == nullptr || !input.column->has_value())
        return;
    const Column& column = **input.column;
    if (!HasColumnData(column))
        return;
    AppendLine(out, ColumnDataKeyword);
    for (const std::optional<double>* value :
         {&column.leastDimension, &column.creepCoefficient, &column.quasiPermanentShare}) {
        AppendLine(out, value->has_value() ? "1" : "0");
        if (value->has_value())
            AppendLine(out, FormatProjectReal(**value));
    }
    AppendLine(out, std::to_string(static_cast<int>(column.aggregate)));
}

// b must be positive, φ not negative and ψ from 0 to 1; a flag is 0 or 1
// and the aggregate one of its four codes.
void ReadColumnData(Tokens& in, FileBlocks& blocks)
{
    blocks.columnDataAt = in.LastValueAt(); // the line of the keyword
    Column& column = blocks.column;
    struct Item {
        std::optional<double>* value;
        ColumnDatum datum;
        const char* name;
        const char* range;
    };
    const Item items[] = {
        {&column.leastDimension, ColumnDatum::LeastDimension, "menor dimensão b do pilar", "deve ser positiva"},
        {&column.creepCoefficient, ColumnDatum::CreepCoefficient, "coeficiente de fluência φ", "não pode ser negativo"},
        {&column.quasiPermanentShare, ColumnDatum::QuasiPermanentShare, "parcela quase permanente ψ", "vai de 0 a 1"},
    };
    for (const Item& item : items) {
        const std::int32_t given = in.Integer();
        if (given != 0 && given != 1)
            in.Fail(std::string("indicação de ") + item.name + " desconhecida: " + std::to_string(given) +
                    " (0 sem o valor, 1 com o valor na linha seguinte)");
        if (given == 0)
            continue;
        const double value = in.Real();
        if (item.datum == ColumnDatum::LeastDimension)
            blocks.leastDimensionAt = in.LastValueAt();
        if (!ColumnDatumValid(item.datum, value))
            in.Fail(std::string(item.name) + " fora dos limites: " + FormatProjectReal(value) + " (" + item.range +
                    ")");
        *item.value = value;
    }
    const std::int32_t aggregate = in.Integer();
    if (aggregate < 0 || aggregate > 3)
        in.Fail("agregado do concreto desconhecido: " + std::to_string(aggregate) +
                " (0 granito ou gnaisse, 1 basalto, 2 calcário, 3 arenito)");
    column.aggregate = static_cast<Aggregate>(aggregate);
}

// The data belong to a column.
void CheckColumnData(const FileBlocks& blocks, const Tokens& in)
{
    if (!blocks.columnRead)
        in.FailAt(blocks.columnDataAt, std::string("o bloco «") + ColumnDataKeyword +
                                           "» completa o pilar, e o arquivo não tem o bloco «" + ColumnKeyword + "»");
    // A b given for a shape that has its own would be read and not used.
    if (blocks.column.leastDimension && blocks.shapeKind != ShapeFreePolygon)
        in.FailAt(blocks.leastDimensionAt, std::string("menor dimensão b do pilar numa seção «") +
                                               ShapeKeyword(blocks.shapeKind) + "»: só um polígono qualquer («" +
                                               ShapeKeyword(ShapeFreePolygon) +
                                               "») a informa; as outras formas têm a sua");
}

// Handed on with the column (GiveColumn), whose data they are.
void GiveColumnData(const FileBlocks&, ProjectReaderSink&) {}

// The detailing data: the class (0 for a typed cover), the cover in cm, φt
// in mm (0 automático), dmax in mm, st in cm (0: the program's). A case
// without them writes none.
void WriteDetailing(std::string& out, const AnalysisState&, const ProjectWriteInput& input)
{
    if (input.detailing == nullptr || !input.detailing->has_value())
        return;
    const Detailing& d = **input.detailing;
    AppendLine(out, DetailingKeyword);
    AppendLine(out, std::to_string(d.environment ? static_cast<int>(*d.environment) : 0));
    AppendLine(out, FormatProjectReal(d.Cover()));
    AppendLine(out, FormatProjectReal(d.stirrupDiameter.value_or(0.0)));
    AppendLine(out, FormatProjectReal(d.aggregateSize));
    AppendLine(out, FormatProjectReal(d.stirrupSpacing.value_or(0.0)));
}

// A class names its cover: another is refused, not taken for a typed one; a
// stirrup diameter is one of the list.
void ReadDetailing(Tokens& in, FileBlocks& blocks)
{
    Detailing& d = blocks.detailing;
    const std::int32_t environment = in.Integer();
    if (environment < 0 || environment > 4)
        in.Fail("classe de agressividade ambiental desconhecida: " + std::to_string(environment) +
                " (1 a 4, ou 0 para o cobrimento digitado)");
    const double cover = in.Real();
    if (environment == 0) {
        if (!DetailingDatumValid(DetailingDatum::Cover, cover))
            in.Fail("cobrimento do detalhamento não positivo");
        d.environment.reset();
        d.typedCover = cover;
    } else {
        d.environment = static_cast<EnvironmentClass>(environment);
        if (cover != d.Cover())
            in.Fail("cobrimento do detalhamento diferente do da classe " + std::to_string(environment) + ": " +
                    FormatGeneral(cover) + " cm em vez de " + FormatGeneral(d.Cover()) + " cm");
    }
    const double stirrup = in.Real();
    if (stirrup != 0.0 && std::find(BarDiameters.begin(), BarDiameters.end(), stirrup) == BarDiameters.end())
        in.Fail("diâmetro do estribo fora da lista: " + FormatGeneral(stirrup) + " mm (0 para automático)");
    d.stirrupDiameter = stirrup != 0.0 ? std::optional<double>(stirrup) : std::nullopt;
    d.aggregateSize = in.Real();
    if (!DetailingDatumValid(DetailingDatum::AggregateSize, d.aggregateSize))
        in.Fail("dimensão máxima do agregado não positiva");
    const double spacing = in.Real();
    if (spacing != 0.0 && !DetailingDatumValid(DetailingDatum::StirrupSpacing, spacing))
        in.Fail("espaçamento dos estribos negativo");
    d.stirrupSpacing = spacing > 0.0 ? std::optional<double>(spacing) : std::nullopt;
}

void GiveDetailing(const FileBlocks& blocks, ProjectReaderSink& sink)
{
    sink.SetDetailing(blocks.detailing);
}

// The blocks a case may have after its section, each opened by its keyword on
// a line of its own, written in this order and only when the case has their
// data; a case without them ends with the section, as files always did. The
// reader takes them in any order, each at most once, and hands them on in
// this order. A block added later goes at the end of this table.
struct OptionalBlock {
    const char* keyword;
    const char* name; // in the messages of a block cut short
    void (*write)(std::string& out, const AnalysisState& s, const ProjectWriteInput& input);
    void (*read)(Tokens& in, FileBlocks& blocks);
    // Against the other blocks, once every block is read; none where a block
    // stands alone.
    void (*check)(const FileBlocks& blocks, const Tokens& in);
    void (*give)(const FileBlocks& blocks, ProjectReaderSink& sink);
};
constexpr OptionalBlock OptionalBlocks[] = {
    {CombinationsKeyword, "bloco de combinações", WriteCombinations, ReadCombinations, nullptr, GiveCombinations},
    {ColumnKeyword, "bloco do pilar", WriteColumn, ReadColumn, CheckColumn, GiveColumn},
    {ModelKeyword, "bloco do modelo", WriteModel, ReadModel, nullptr, GiveModel},
    {ColumnDataKeyword, "bloco de b e fluência do pilar", WriteColumnData, ReadColumnData, CheckColumnData,
     GiveColumnData},
    {DetailingKeyword, "bloco do detalhamento", WriteDetailing, ReadDetailing, nullptr, GiveDetailing},
};
constexpr std::size_t OptionalBlockCount = std::size(OptionalBlocks);

// "os blocos são combinacoes, pilar, modelo"
std::string KnownBlocks()
{
    std::string list = "os blocos são ";
    for (std::size_t k = 0; k < OptionalBlockCount; ++k)
        list += (k == 0 ? "" : ", ") + std::string(OptionalBlocks[k].keyword);
    return list;
}

// Every line after the section that is not blank opens a block: anything
// else, or a block for the second time, is refused at its line. Nothing goes
// to the sink before every block has read whole and agrees with the others.
void ReadOptionalBlocks(Tokens& in, ProjectReaderSink& sink, std::uint8_t shapeKind)
{
    // A file that ended inside its section, as files always could, has no more.
    if (in.EndedEarly())
        return;
    std::array<std::optional<std::size_t>, OptionalBlockCount> openedAt; // where each keyword is
    FileBlocks blocks;
    blocks.shapeKind = shapeKind;
    for (;;) {
        in.SkipBlankLines();
        if (in.AtEnd())
            break;
        const std::size_t at = in.Offset();
        const std::string keyword = in.BlockKeyword();
        std::size_t k = 0;
        while (k < OptionalBlockCount && keyword != OptionalBlocks[k].keyword)
            ++k;
        if (k == OptionalBlockCount)
            in.FailAt(at, "«" + Shown(keyword) + "» não é um bloco deste programa (" + KnownBlocks() + ")");
        const OptionalBlock& block = OptionalBlocks[k];
        if (openedAt[k])
            in.FailAt(at, "«" + keyword + "» outra vez: o " + block.name + " já começou na linha " +
                              std::to_string(in.LineAt(*openedAt[k])) + " e cada bloco vem uma só vez (" +
                              KnownBlocks() + ")");
        openedAt[k] = at;
        in.Strict(true, block.name);
        block.read(in, blocks);
        in.Strict(false);
    }
    in.CheckNothingAfterEndMark();
    for (std::size_t k = 0; k < OptionalBlockCount; ++k)
        if (openedAt[k] && OptionalBlocks[k].check)
            OptionalBlocks[k].check(blocks, in);
    for (std::size_t k = 0; k < OptionalBlockCount; ++k)
        if (openedAt[k])
            OptionalBlocks[k].give(blocks, sink);
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
    for (const OptionalBlock& block : OptionalBlocks)
        block.write(out, s, input);
    return out;
}

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
        ReadOptionalBlocks(in, sink, kind);
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
