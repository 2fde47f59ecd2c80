#include "project/CsvText.h"

#include "engine/NumberText.h"
#include "project/ProjectFile.h"
#include "project/TextDecoding.h"
#include "texts/Words.h"

#include <cctype>
#include <optional>

namespace flexara {

namespace {

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return std::string(text);
}

// Lines end at CR LF, LF or CR (a paste from an old Mac editor has CR only).
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const std::size_t next =
            text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return lines;
}

std::vector<std::string> Split(std::string_view line, char separator)
{
    std::vector<std::string> cells;
    for (;;) {
        const std::size_t at = line.find(separator);
        cells.push_back(Trimmed(line.substr(0, at)));
        if (at == std::string_view::npos)
            return cells;
        line.remove_prefix(at + 1);
    }
}

// The leading word of a header cell, in lower case without accents: "Nd (kN)"
// and "ND" give "nd", "Número" gives "numero".
std::string HeaderWord(std::string_view cell)
{
    static const struct {
        const char* accented;
        char plain;
    } folds[] = {{"á", 'a'}, {"à", 'a'}, {"â", 'a'}, {"ã", 'a'}, {"ä", 'a'}, {"é", 'e'}, {"ê", 'e'}, {"è", 'e'},
                 {"ë", 'e'}, {"í", 'i'}, {"î", 'i'}, {"ì", 'i'}, {"ï", 'i'}, {"ó", 'o'}, {"ô", 'o'}, {"õ", 'o'},
                 {"ò", 'o'}, {"ö", 'o'}, {"ú", 'u'}, {"û", 'u'}, {"ù", 'u'}, {"ü", 'u'}, {"ç", 'c'}, {"Á", 'a'},
                 {"À", 'a'}, {"Â", 'a'}, {"Ã", 'a'}, {"Ä", 'a'}, {"É", 'e'}, {"Ê", 'e'}, {"È", 'e'}, {"Ë", 'e'},
                 {"Í", 'i'}, {"Î", 'i'}, {"Ì", 'i'}, {"Ï", 'i'}, {"Ó", 'o'}, {"Ô", 'o'}, {"Õ", 'o'}, {"Ò", 'o'},
                 {"Ö", 'o'}, {"Ú", 'u'}, {"Û", 'u'}, {"Ù", 'u'}, {"Ü", 'u'}, {"Ç", 'c'}};
    std::string word;
    std::size_t i = 0;
    while (i < cell.size() && (cell[i] == ' ' || cell[i] == '\t'))
        ++i;
    while (i < cell.size()) {
        const auto c = static_cast<unsigned char>(cell[i]);
        if (std::isalpha(c)) {
            word += static_cast<char>(std::tolower(c));
            ++i;
            continue;
        }
        bool folded = false;
        for (const auto& f : folds) {
            const std::string_view a(f.accented);
            if (cell.substr(i, a.size()) == a) {
                word += f.plain;
                i += a.size();
                folded = true;
                break;
            }
        }
        if (!folded)
            break;
    }
    return word;
}

// Whether the cells are the header's words: nome, nd, mxd, myd, or for a paste
// without names nd, mxd, myd. Cells with no word (a unit "(kN)" standing
// alone) do not count.
bool IsHeader(const std::vector<std::string>& cells, bool namesRequired)
{
    std::vector<std::string> words;
    for (const std::string& cell : cells) {
        std::string word = HeaderWord(cell);
        if (!word.empty())
            words.push_back(std::move(word));
    }
    const std::vector<std::string> named = {"nome", "nd", "mxd", "myd"};
    const std::vector<std::string> unnamed = {"nd", "mxd", "myd"};
    auto startsWith = [&](const std::vector<std::string>& expected) {
        return words.size() >= expected.size() && std::equal(expected.begin(), expected.end(), words.begin());
    };
    return startsWith(named) || (!namesRequired && startsWith(unnamed));
}

// The text's decimal mark: the comma when any of its numbers has one (a comma
// is never a thousands separator of a number a frame analysis writes), else
// the point.
char DecimalMarkOf(const std::vector<std::string_view>& numbers)
{
    for (const std::string_view n : numbers)
        if (n.find(',') != std::string_view::npos)
            return ',';
    return '.';
}

// A number written with the text's decimal mark, as the window's field writes
// it (decimal comma); nullopt when the other mark is in it.
std::optional<std::string> WithMark(std::string text, char mark)
{
    const char other = mark == ',' ? '.' : ',';
    if (text.find(other) != std::string::npos)
        return std::nullopt;
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

[[noreturn]] void Ambiguous(std::size_t line, std::size_t column, const std::string& cell, char mark)
{
    throw ProjectFileError("Linha " + std::to_string(line) + ", coluna " + std::to_string(column) + ": \"" + cell +
                           "\" é ambíguo: " +
                           (mark == ',' ? "o texto usa a vírgula como separador decimal e este número tem ponto"
                                        : "o texto usa o ponto como separador decimal e este número tem vírgula"));
}

std::string Field(const std::optional<double>& value)
{
    return value ? ShortestReal(*value) : std::string();
}

// Md,tot of a bending, none where λ > 90 left it uncomputed.
std::optional<double> MdTot(const ColumnResult& column, Bending bending)
{
    const BendingCheck& b = column.bending[static_cast<std::size_t>(bending)];
    if (b.lambda > MaxApproximateSlenderness)
        return std::nullopt;
    return b.mdTot;
}

// The situation as a CSV field, in plain letters.
const char* SituationCsvWord(DesignSituation situation)
{
    switch (situation) {
    case DesignSituation::Top:
        return "topo";
    case DesignSituation::Base:
        return "base";
    case DesignSituation::Intermediate:
        return "intermediaria";
    case DesignSituation::Minimum:
        break;
    }
    return "minima";
}

} // namespace

std::string CurvePointsCsv(const std::vector<Point>& points)
{
    std::string out = "Mx;My\n";
    for (const Point& p : points)
        out += ShortestReal(p.x) + ";" + ShortestReal(p.y) + "\n";
    return out;
}

CombinationList ReadCombinationsCsv(std::string_view bytes, std::size_t maxRows)
{
    const std::string text = DecodeText(bytes);
    const std::vector<std::string_view> lines = Lines(text);
    std::size_t first = 0;
    while (first < lines.size() && Trimmed(lines[first]).empty())
        ++first;
    if (first == lines.size())
        throw ProjectFileError("Arquivo de combinações vazio: falta o cabeçalho nome;nd;mxd;myd");
    const std::string_view header = lines[first];
    const char separator = header.find(';') != std::string_view::npos    ? ';'
                           : header.find('\t') != std::string_view::npos ? '\t'
                                                                         : ',';
    const std::vector<std::string> names = Split(header, separator);
    if (names.size() < 4 || !IsHeader({names.begin(), names.begin() + 4}, true))
        throw ProjectFileError("Linha " + std::to_string(first + 1) +
                               ": o cabeçalho das combinações deve ser nome;nd;mxd;myd");

    // Fields 5 and 6 named mxd_base;myd_base are the moments at the base of
    // a column; an empty one is the top's.
    auto named = [&](std::size_t i, const char* word) {
        if (i >= names.size())
            return false;
        std::string name(Trimmed(names[i]));
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name == word;
    };
    const bool base = named(4, "mxd_base") && named(5, "myd_base");
    const std::size_t lastNumber = base ? 5 : 3;

    struct Row {
        std::size_t line;
        std::vector<std::string> cells;
    };
    std::vector<Row> table;
    std::vector<std::string_view> numbers;
    for (std::size_t n = first + 1; n < lines.size(); ++n) {
        if (Trimmed(lines[n]).empty())
            continue;
        const std::string where = "Linha " + std::to_string(n + 1);
        std::vector<std::string> cells = Split(lines[n], separator);
        if (cells.size() != names.size()) {
            std::string message = where + ": " + std::to_string(cells.size()) + " campos, mas o cabeçalho tem " +
                                  std::to_string(names.size());
            if (separator == ',')
                message += " (com a vírgula separando os campos não pode haver vírgula decimal: use o ponto)";
            throw ProjectFileError(message);
        }
        if (table.size() >= maxRows)
            throw ProjectFileError("Mais de " + std::to_string(maxRows) + " combinações (" + where + ")");
        table.push_back(Row{n + 1, std::move(cells)});
    }
    for (const Row& row : table)
        for (std::size_t i = 1; i <= lastNumber; ++i)
            numbers.push_back(row.cells[i]);
    const char mark = separator == ',' ? '.' : DecimalMarkOf(numbers);

    CombinationList rows;
    rows.reserve(table.size());
    for (const Row& row : table) {
        LoadCombination combination;
        combination.name = row.cells[0];
        double* values[] = {&combination.Nd, &combination.Mxd, &combination.Myd, nullptr, nullptr};
        std::optional<double>* bases[] = {&combination.MxdBase, &combination.MydBase};
        for (std::size_t i = 1; i <= lastNumber; ++i) {
            const std::string& cell = row.cells[i];
            if (i > 3 && Trimmed(cell).empty())
                continue;
            const std::optional<std::string> number = WithMark(cell, mark);
            if (!number)
                Ambiguous(row.line, i + 1, cell, mark);
            double value = 0.0;
            if (!ParseReal(*number, value))
                throw ProjectFileError("Linha " + std::to_string(row.line) + ": \"" + cell + "\" não é um número");
            if (i <= 3)
                *values[i - 1] = value;
            else
                *bases[i - 4] = value;
        }
        rows.push_back(std::move(combination));
    }
    return rows;
}

std::string WriteCombinationsCsv(const CombinationList& rows, const CombinationCheck* check, bool column)
{
    const bool results = check != nullptr && check->rows.size() == rows.size();
    std::string out = "nome;nd;mxd;myd";
    if (column)
        out += ";mxd_base;myd_base";
    if (results)
        out += ";situacao;eta;mrx;mry;mrd;axial;determinante";
    if (results && column)
        out += ";situacao_pilar;md_tot_x;md_tot_y;estado_pilar";
    out += "\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // The separator may not be in a name.
        std::string name = rows[i].name;
        for (char& c : name)
            if (c == ';' || c == '\n' || c == '\r')
                c = ' ';
        out +=
            name + ";" + ShortestReal(rows[i].Nd) + ";" + ShortestReal(rows[i].Mxd) + ";" + ShortestReal(rows[i].Myd);
        if (column)
            out += ";" + Field(rows[i].MxdBase) + ";" + Field(rows[i].MydBase);
        if (results) {
            const CombinationResult& r = check->rows[i];
            out += std::string(";") + CombinationStatusCsvWord(r.status) + ";" + Field(r.utilisation) + ";" +
                   Field(r.resisting ? std::optional<double>(r.resisting->x) : std::nullopt) + ";" +
                   Field(r.resisting ? std::optional<double>(r.resisting->y) : std::nullopt) + ";" +
                   Field(r.resistingMoment) + ";" + Field(r.axialUtilisation) + ";" + (r.governing ? "sim" : "");
        }
        if (results && column) {
            // The governing situation and both Md,tot: empty for a row not
            // in compression (Md,tot) or without a reading; then what the
            // column check says of the row.
            const CombinationResult& r = check->rows[i];
            const ColumnResult* c = r.column ? &*r.column : nullptr;
            const bool compressed = c && c->InCompression();
            out += std::string(";") +
                   (c && c->governingSituation >= 0
                        ? SituationCsvWord(c->situations[static_cast<std::size_t>(c->governingSituation)].situation)
                        : "") +
                   ";" + Field(compressed ? MdTot(*c, Bending::Mx) : std::nullopt) + ";" +
                   Field(compressed ? MdTot(*c, Bending::My) : std::nullopt) + ";" +
                   (c ? ColumnStatusCsvWord(c->status) : "");
        }
        out += "\n";
    }
    return out;
}

std::vector<PastedRow> ReadPastedRows(std::string_view bytes)
{
    const std::string text = DecodeText(bytes);
    std::vector<std::pair<std::size_t, std::string_view>> lines;
    {
        const std::vector<std::string_view> all = Lines(text);
        for (std::size_t n = 0; n < all.size(); ++n)
            if (!Trimmed(all[n]).empty())
                lines.emplace_back(n + 1, all[n]);
    }
    // One way of splitting for the whole text, so that no row is split apart
    // from the others.
    const char separator = text.find('\t') != std::string::npos  ? '\t'
                           : text.find(';') != std::string::npos ? ';'
                                                                 : ' ';

    struct Row {
        std::size_t line;
        std::vector<std::string> cells; // the name first when named
        bool named;
    };
    std::vector<Row> table;
    std::size_t columns = 0;
    std::size_t columnsLine = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const auto [line, content] = lines[k];
        std::vector<std::string> cells;
        if (separator == ' ') {
            // Words apart by blanks: the last three are the numbers.
            std::vector<std::string_view> words;
            std::size_t i = 0;
            const std::string_view c = content;
            while (i < c.size()) {
                while (i < c.size() && (c[i] == ' ' || c[i] == '\t'))
                    ++i;
                const std::size_t start = i;
                while (i < c.size() && c[i] != ' ' && c[i] != '\t')
                    ++i;
                if (i > start)
                    words.push_back(c.substr(start, i - start));
            }
            if (k == 0 && IsHeader(std::vector<std::string>(words.begin(), words.end()), false))
                continue;
            if (words.size() < 3)
                throw ProjectFileError("Linha " + std::to_string(line) +
                                       ": faltam colunas; são Nd, Mxd e Myd, com o nome antes");
            if (words.size() > 3) {
                const std::size_t nameEnd = static_cast<std::size_t>(words[words.size() - 3].data() - c.data());
                cells.push_back(Trimmed(c.substr(0, nameEnd)));
            }
            for (std::size_t w = words.size() - 3; w < words.size(); ++w)
                cells.emplace_back(words[w]);
            table.push_back(Row{line, std::move(cells), words.size() > 3});
            continue;
        }
        cells = Split(content, separator);
        if (k == 0 && IsHeader(cells, false)) {
            columns = cells.size();
            columnsLine = line;
            continue;
        }
        if (cells.size() < 3)
            throw ProjectFileError("Linha " + std::to_string(line) +
                                   ": faltam colunas; são Nd, Mxd e Myd, com o nome antes");
        if (columns == 0) {
            columns = cells.size();
            columnsLine = line;
        } else if (cells.size() != columns) {
            throw ProjectFileError("Linha " + std::to_string(line) + ": " + std::to_string(cells.size()) +
                                   " colunas, mas a linha " + std::to_string(columnsLine) + " tem " +
                                   std::to_string(columns));
        }
        const bool named = cells.size() >= 4;
        cells.resize(named ? 4 : 3);
        table.push_back(Row{line, std::move(cells), named});
    }

    std::vector<std::string_view> numbers;
    for (const Row& row : table)
        for (std::size_t i = row.named ? 1 : 0; i < row.cells.size(); ++i)
            numbers.push_back(row.cells[i]);
    const char mark = DecimalMarkOf(numbers);

    std::vector<PastedRow> rows;
    rows.reserve(table.size());
    for (const Row& row : table) {
        PastedRow pasted;
        pasted.named = row.named;
        if (row.named)
            pasted.name = row.cells[0];
        const std::size_t offset = row.named ? 1 : 0;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string& cell = row.cells[offset + i];
            const std::optional<std::string> number = WithMark(cell, mark);
            if (!number)
                Ambiguous(row.line, offset + i + 1, cell, mark);
            pasted.numbers[i] = *number;
        }
        rows.push_back(std::move(pasted));
    }
    return rows;
}

} // namespace flexara
