#include "project/CsvText.h"

#include "engine/NumberText.h"
#include "project/ProjectFile.h"
#include "project/TextDecoding.h"
#include "texts/Words.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
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

// A header's text in lower case without accents, a non-breaking space a
// blank: "Situação" gives "situacao".
std::string Unaccented(std::string_view cell)
{
    static const struct {
        const char* accented;
        char plain;
    } folds[] = {{"á", 'a'}, {"à", 'a'}, {"â", 'a'}, {"ã", 'a'}, {"ä", 'a'}, {"é", 'e'}, {"ê", 'e'},     {"è", 'e'},
                 {"ë", 'e'}, {"í", 'i'}, {"î", 'i'}, {"ì", 'i'}, {"ï", 'i'}, {"ó", 'o'}, {"ô", 'o'},     {"õ", 'o'},
                 {"ò", 'o'}, {"ö", 'o'}, {"ú", 'u'}, {"û", 'u'}, {"ù", 'u'}, {"ü", 'u'}, {"ç", 'c'},     {"Á", 'a'},
                 {"À", 'a'}, {"Â", 'a'}, {"Ã", 'a'}, {"Ä", 'a'}, {"É", 'e'}, {"Ê", 'e'}, {"È", 'e'},     {"Ë", 'e'},
                 {"Í", 'i'}, {"Î", 'i'}, {"Ì", 'i'}, {"Ï", 'i'}, {"Ó", 'o'}, {"Ô", 'o'}, {"Õ", 'o'},     {"Ò", 'o'},
                 {"Ö", 'o'}, {"Ú", 'u'}, {"Û", 'u'}, {"Ù", 'u'}, {"Ü", 'u'}, {"Ç", 'c'}, {"\u00A0", ' '}};
    std::string plain;
    for (std::size_t i = 0; i < cell.size();) {
        bool folded = false;
        for (const auto& f : folds) {
            const std::string_view a(f.accented);
            if (cell.substr(i, a.size()) == a) {
                plain += f.plain;
                i += a.size();
                folded = true;
                break;
            }
        }
        if (!folded)
            plain += static_cast<char>(std::tolower(static_cast<unsigned char>(cell[i++])));
    }
    return plain;
}

// A header's column name as it is looked up: unaccented, a unit in
// parentheses (or brackets) dropped ("Nd (kN, tração +)" is "nd"), "(base)"
// and "_base" the word base ("mxd_base" and "Mxd (base)" are "mxd base"),
// blanks single.
std::string ColumnKey(std::string_view cell)
{
    const std::string plain = Unaccented(cell);
    std::string spaced;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '(' || plain[i] == '[') {
            const std::size_t close = plain.find(plain[i] == '(' ? ')' : ']', i);
            const std::string inner = Trimmed(plain.substr(i + 1, close == std::string::npos ? close : close - i - 1));
            if (inner == "base")
                spaced += " base ";
            if (close == std::string::npos)
                break;
            i = close;
            continue;
        }
        spaced += plain[i] == '_' || plain[i] == '\t' ? ' ' : plain[i];
    }
    std::string key;
    for (const char c : spaced)
        if (c != ' ' || (!key.empty() && key.back() != ' '))
            key += c;
    while (!key.empty() && (key.back() == ' ' || key.back() == '.'))
        key.pop_back();
    return key;
}

// What a column of loads holds. The results of a check are no loads.
enum class Meaning { Name, Nd, Mxd, Myd, MxdBase, MydBase, Result };
constexpr std::size_t ValueCount = 5; // Nd, Mxd, Myd and the two base moments

const char* MeaningName(Meaning meaning)
{
    switch (meaning) {
    case Meaning::Name:
        return "nome";
    case Meaning::Nd:
        return "Nd";
    case Meaning::Mxd:
        return "Mxd";
    case Meaning::Myd:
        return "Myd";
    case Meaning::MxdBase:
        return "Mxd base";
    case Meaning::MydBase:
        return "Myd base";
    case Meaning::Result:
        break;
    }
    return "resultado";
}

// The names engineers give the columns, as ColumnKey gives them.
std::optional<Meaning> MeaningOfKey(const std::string& key)
{
    static const struct {
        const char* key;
        Meaning meaning;
    } known[] = {
        {"nome", Meaning::Name},
        {"combinacao", Meaning::Name},
        {"comb", Meaning::Name},
        {"caso", Meaning::Name},
        {"nd", Meaning::Nd},
        {"n", Meaning::Nd},
        {"nsd", Meaning::Nd},
        {"mxd", Meaning::Mxd},
        {"mx", Meaning::Mxd},
        {"msdx", Meaning::Mxd},
        {"myd", Meaning::Myd},
        {"my", Meaning::Myd},
        {"msdy", Meaning::Myd},
        {"mxd base", Meaning::MxdBase},
        {"mx base", Meaning::MxdBase},
        {"msdx base", Meaning::MxdBase},
        {"myd base", Meaning::MydBase},
        {"my base", Meaning::MydBase},
        {"msdy base", Meaning::MydBase},
        {"situacao", Meaning::Result},
        {"eta", Meaning::Result},
        {"mrx", Meaning::Result},
        {"mry", Meaning::Result},
        {"mrd", Meaning::Result},
        {"axial", Meaning::Result},
        {"determinante", Meaning::Result},
        {"situacao pilar", Meaning::Result},
        {"md tot x", Meaning::Result},
        {"md tot y", Meaning::Result},
        {"estado pilar", Meaning::Result},
    };
    for (const auto& k : known)
        if (key == k.key)
            return k.meaning;
    return std::nullopt;
}

// A field as a number may be written, with either decimal mark.
bool IsNumberText(const std::string& text)
{
    double value = 0.0;
    if (ParseReal(text, value))
        return true;
    std::string comma = text;
    if (comma.find(',') != std::string::npos)
        return false;
    for (char& c : comma)
        if (c == '.')
            c = ',';
    return ParseReal(comma, value);
}

// Words apart by blanks; with together, a group in parentheses or brackets
// stays one word ("(kN, tração +)").
std::vector<std::string_view> Words(std::string_view line, bool together = false)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        int depth = 0;
        while (i < line.size() && (depth > 0 || (line[i] != ' ' && line[i] != '\t'))) {
            if (together && (line[i] == '(' || line[i] == '['))
                ++depth;
            else if (together && (line[i] == ')' || line[i] == ']') && depth > 0)
                --depth;
            ++i;
        }
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A header split by blanks: a unit in parentheses and the word base go with
// the name before them ("Mxd base (kN.m)").
std::vector<std::string> HeaderWords(std::string_view line)
{
    std::vector<std::string> cells;
    for (const std::string_view word : Words(line, true)) {
        const bool attached = word.front() == '(' || word.front() == '[' || ColumnKey(word) == "base";
        if (attached && !cells.empty())
            cells.back() += " " + std::string(word);
        else
            cells.emplace_back(word);
    }
    return cells;
}

// Where each meaning stands among the fields of a row (its index), and how
// many fields a row has.
struct Layout {
    std::array<std::optional<std::size_t>, 6> at; // by Meaning, Name to MydBase
    std::size_t fields = 0;

    std::optional<std::size_t>& of(Meaning m) { return at[static_cast<std::size_t>(m)]; }
    const std::optional<std::size_t>& of(Meaning m) const { return at[static_cast<std::size_t>(m)]; }
};

// The layout of a header, every column known and none twice, or the refusal.
Layout HeaderLayout(const std::vector<std::string>& cells, std::size_t line)
{
    const std::string where = "Linha " + std::to_string(line) + ": o cabeçalho";
    Layout layout;
    layout.fields = cells.size();
    std::vector<std::pair<std::string, std::size_t>> seen; // key, field
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string key = ColumnKey(cells[i]);
        const std::optional<Meaning> meaning = MeaningOfKey(key);
        if (!meaning)
            throw ProjectFileError(where + " tem a coluna \"" + cells[i] +
                                   "\", que não é de combinações (as colunas são nome, Nd, Mxd, Myd, Mxd base e Myd "
                                   "base, e os resultados que uma exportação acrescenta)");
        for (const auto& [otherKey, other] : seen) {
            const std::optional<Meaning> was = MeaningOfKey(otherKey);
            if (*was == *meaning && (*meaning != Meaning::Result || otherKey == key))
                throw ProjectFileError(where + " tem duas colunas de " +
                                       (*meaning == Meaning::Result ? key : std::string(MeaningName(*meaning))) +
                                       ": \"" + cells[other] + "\" e \"" + cells[i] + "\"");
        }
        seen.emplace_back(key, i);
        if (*meaning != Meaning::Result)
            layout.of(*meaning) = i;
    }
    for (const Meaning needed : {Meaning::Nd, Meaning::Mxd, Meaning::Myd})
        if (!layout.of(needed))
            throw ProjectFileError(where + " não tem a coluna " + MeaningName(needed));
    return layout;
}

// Without a header the count of fields decides.
std::optional<Layout> CountedLayout(std::size_t fields)
{
    if (fields < 3 || fields > 6)
        return std::nullopt;
    Layout layout;
    layout.fields = fields;
    const bool named = fields == 4 || fields == 6;
    const std::size_t first = named ? 1 : 0;
    if (named)
        layout.of(Meaning::Name) = 0;
    for (std::size_t k = 0; k < fields - first; ++k)
        layout.at[1 + k] = first + k;
    return layout;
}

[[noreturn]] void RefuseCount(std::size_t line, std::size_t fields, const char* what)
{
    throw ProjectFileError("Linha " + std::to_string(line) + ": " + (fields < 3 ? "faltam " : "sobram ") + what + " (" +
                           std::to_string(fields) +
                           "); sem cabeçalho são 3 (Nd, Mxd, Myd), 4 (nome, Nd, Mxd, Myd), 5 (Nd, Mxd, Myd, Mxd "
                           "base, Myd base) ou 6 (nome e esses cinco)");
}

// A row as its columns give it: the texts of its values, each with the
// column it stood in (0: not given).
struct LoadFields {
    std::size_t line = 0;
    bool named = false;
    std::string name;
    std::array<std::string, ValueCount> values;
    std::array<std::string, ValueCount> written; // as in the text, for the messages
    std::array<std::size_t, ValueCount> columns{};
};

LoadFields FieldsOf(std::size_t line, const std::vector<std::string>& cells, const Layout& layout)
{
    LoadFields row;
    row.line = line;
    if (const auto& name = layout.of(Meaning::Name)) {
        row.named = true;
        row.name = cells[*name];
    }
    for (std::size_t k = 0; k < ValueCount; ++k)
        if (const auto& at = layout.at[1 + k]) {
            row.values[k] = cells[*at];
            row.columns[k] = *at + 1;
        }
    return row;
}

// A row split by blanks without a header: the numbers after its last word
// that is not one, the name before them; four or six numbers end the name
// with the first ("ELU 1").
LoadFields BlankRow(std::size_t line, std::string_view content)
{
    const std::vector<std::string_view> words = Words(content);
    std::size_t numbers = 0;
    while (numbers < words.size() && IsNumberText(std::string(words[words.size() - 1 - numbers])))
        ++numbers;
    const std::optional<Layout> counted = CountedLayout(numbers);
    if (!counted) {
        if (numbers == words.size())
            RefuseCount(line, numbers, "colunas");
        throw ProjectFileError("Linha " + std::to_string(line) + ": " + std::to_string(numbers) +
                               " números depois de \"" + std::string(words[words.size() - 1 - numbers]) +
                               "\"; são 3 (Nd, Mxd, Myd) ou 5 (Nd, Mxd, Myd, Mxd base, Myd base)");
    }
    const std::size_t valueCount = counted->of(Meaning::Name) ? numbers - 1 : numbers;
    const std::size_t firstValue = words.size() - valueCount;
    std::vector<std::string> cells;
    if (firstValue > 0) {
        const std::size_t nameEnd = static_cast<std::size_t>(words[firstValue].data() - content.data());
        cells.push_back(Trimmed(content.substr(0, nameEnd)));
    }
    for (std::size_t w = firstValue; w < words.size(); ++w)
        cells.emplace_back(words[w]);
    return FieldsOf(line, cells, *CountedLayout(cells.size()));
}

// Split by blanks under a header: the name first, when there is one, may
// hold blanks; the other columns take the last words.
LoadFields BlankRowUnder(std::size_t line, std::string_view content, const Layout& layout, std::size_t headerLine)
{
    const std::vector<std::string_view> words = Words(content);
    const bool named = layout.of(Meaning::Name).has_value();
    const std::size_t others = layout.fields - (named ? 1 : 0);
    if (words.size() < layout.fields || (!named && words.size() != layout.fields))
        throw ProjectFileError("Linha " + std::to_string(line) + ": " +
                               (words.size() < layout.fields ? "faltam" : "sobram") +
                               " colunas: " + std::to_string(words.size()) + ", mas o cabeçalho (linha " +
                               std::to_string(headerLine) + ") tem " + std::to_string(layout.fields));
    std::vector<std::string> cells;
    if (named) {
        const std::size_t firstValue = words.size() - others;
        cells.push_back(
            Trimmed(content.substr(0, static_cast<std::size_t>(words[firstValue].data() - content.data()))));
    }
    for (std::size_t w = words.size() - others; w < words.size(); ++w)
        cells.emplace_back(words[w]);
    return FieldsOf(line, cells, layout);
}

// The rows of a text, every field mapped to its meaning: the one reading of
// the paste, the CSV file and the batch tool's --loads.
enum class LoadSource { Paste, File };

std::vector<LoadFields> ReadLoadFields(const std::string& text, LoadSource source, char& separator)
{
    std::vector<std::pair<std::size_t, std::string_view>> lines;
    {
        const std::vector<std::string_view> all = Lines(text);
        for (std::size_t n = 0; n < all.size(); ++n)
            if (!Trimmed(all[n]).empty())
                lines.emplace_back(n + 1, all[n]);
    }
    if (lines.empty()) {
        if (source == LoadSource::File)
            throw ProjectFileError("Arquivo de combinações vazio: nem cabeçalho nem combinações");
        return {};
    }
    // One way of splitting for the whole text, that of its first line, so that
    // no row is split apart from the others.
    const std::string_view first = lines.front().second;
    separator = first.find('\t') != std::string_view::npos  ? '\t'
                : first.find(';') != std::string_view::npos ? ';'
                : source == LoadSource::File                ? ','
                                                            : ' ';
    const bool blanks = separator == ' ';
    auto cellsOf = [&](std::string_view content) {
        if (!blanks)
            return Split(content, separator);
        std::vector<std::string> cells;
        for (const std::string_view word : Words(content))
            cells.emplace_back(word);
        return cells;
    };

    // A first line in which no field is a number is the header.
    std::optional<Layout> header;
    const std::size_t headerLine = lines.front().first;
    {
        const std::vector<std::string> cells = cellsOf(first);
        if (std::none_of(cells.begin(), cells.end(), IsNumberText)) {
            const std::vector<std::string> columns = blanks ? HeaderWords(first) : cells;
            header = HeaderLayout(columns, headerLine);
            if (blanks && header->of(Meaning::Name).value_or(0) != 0)
                throw ProjectFileError("Linha " + std::to_string(headerLine) +
                                       ": com as colunas separadas por espaços, o nome vem primeiro");
        } else if (separator == ',') {
            throw ProjectFileError("Linha " + std::to_string(headerLine) +
                                   ": com a vírgula separando os campos o arquivo começa pelo cabeçalho "
                                   "(nome,nd,mxd,myd), sem o qual uma vírgula decimal passaria por separador");
        }
    }

    std::vector<LoadFields> rows;
    std::optional<std::pair<std::size_t, std::size_t>> firstRow; // its line, and its fields or values
    for (std::size_t k = header ? 1 : 0; k < lines.size(); ++k) {
        const auto [line, content] = lines[k];
        if (blanks) {
            LoadFields row = header ? BlankRowUnder(line, content, *header, headerLine) : BlankRow(line, content);
            const auto values = static_cast<std::size_t>(
                std::count_if(row.columns.begin(), row.columns.end(), [](std::size_t c) { return c > 0; }));
            if (!firstRow)
                firstRow.emplace(line, values);
            else if (values != firstRow->second)
                throw ProjectFileError("Linha " + std::to_string(line) + ": " + std::to_string(values) +
                                       " valores, mas a linha " + std::to_string(firstRow->first) + " tem " +
                                       std::to_string(firstRow->second));
            rows.push_back(std::move(row));
            continue;
        }
        const std::vector<std::string> cells = Split(content, separator);
        std::optional<Layout> layout = header;
        if (header && cells.size() != header->fields) {
            std::string message = "Linha " + std::to_string(line) + ": " + std::to_string(cells.size()) +
                                  " campos, mas o cabeçalho tem " + std::to_string(header->fields);
            if (separator == ',')
                message += " (com a vírgula separando os campos não pode haver vírgula decimal: use o ponto)";
            throw ProjectFileError(message);
        }
        if (!header) {
            layout = CountedLayout(cells.size());
            if (!layout)
                RefuseCount(line, cells.size(), "colunas");
            if (!firstRow)
                firstRow.emplace(line, cells.size());
            else if (cells.size() != firstRow->second)
                throw ProjectFileError("Linha " + std::to_string(line) + ": " + std::to_string(cells.size()) +
                                       " colunas, mas a linha " + std::to_string(firstRow->first) + " tem " +
                                       std::to_string(firstRow->second));
        }
        rows.push_back(FieldsOf(line, cells, *layout));
    }
    return rows;
}

// ---- The numbers ----

// The text's decimal mark: the point between commas; else the comma when any
// value has one (a comma is never a thousands separator of a number a frame
// analysis writes), else the point.
char DecimalMarkOf(const std::vector<LoadFields>& rows, char separator)
{
    if (separator == ',')
        return '.';
    for (const LoadFields& row : rows)
        for (const std::string& value : row.values)
            if (value.find(',') != std::string::npos)
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

// One to three digits, a point and three digits: 1.900 is 1,9 to one reader
// and 1900 to a Brazilian spreadsheet.
bool ThousandsLike(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i - from;
    };
    const std::size_t lead = i;
    const std::size_t whole = digits();
    if (whole < 1 || whole > 3 || text[lead] == '0' || i == text.size() || text[i] != '.')
        return false;
    ++i;
    return digits() == 3 && i == text.size();
}

[[noreturn]] void Ambiguous(std::size_t line, std::size_t column, const std::string& cell, const std::string& why)
{
    throw ProjectFileError("Linha " + std::to_string(line) + ", coluna " + std::to_string(column) + ": \"" + cell +
                           "\" é ambíguo: " + why);
}

// Every value in the field's text (decimal comma), as written where it is
// no number; base moments only where they have a column to go to.
std::vector<LoadFields> CheckedLoadFields(std::string_view bytes, LoadSource source, LoadsTarget target,
                                          std::size_t maxRows)
{
    const std::string text = DecodeText(bytes);
    char separator = ';';
    std::vector<LoadFields> rows = ReadLoadFields(text, source, separator);
    if (rows.size() > maxRows)
        throw ProjectFileError("Mais de " + std::to_string(maxRows) + " combinações (Linha " +
                               std::to_string(rows[maxRows].line) + ")");
    const char mark = DecimalMarkOf(rows, separator);
    const bool thousands = separator == ';' || separator == '\t';
    for (LoadFields& row : rows) {
        const std::string where = "Linha " + std::to_string(row.line);
        const bool base = !row.values[3].empty() || !row.values[4].empty();
        if (base && target == LoadsTarget::WindowSection)
            throw ProjectFileError(where + ": momentos na base (Mxd base, Myd base) só valem para um pilar: marque "
                                           "\"Verificar como pilar\" antes de trazer estas combinações");
        if (base && target == LoadsTarget::CaseWithoutColumn)
            throw ProjectFileError(where + ": momentos na base (Mxd base, Myd base) para um caso sem pilar: o "
                                           "arquivo do caso não tem o bloco pilar");
        row.written = row.values;
        for (std::size_t k = 0; k < ValueCount; ++k) {
            const std::string& cell = row.written[k];
            if (cell.empty())
                continue;
            const std::optional<std::string> number = WithMark(cell, mark);
            if (!number)
                Ambiguous(row.line, row.columns[k], cell,
                          mark == ',' ? "o texto usa a vírgula como separador decimal e este número tem ponto"
                                      : "o texto usa o ponto como separador decimal e este número tem vírgula");
            if (thousands && ThousandsLike(cell))
                Ambiguous(row.line, row.columns[k], cell,
                          "o ponto pode separar os milhares; escreva o número sem ele ou com vírgula decimal");
            row.values[k] = *number;
        }
    }
    return rows;
}

// ---- The writers ----

// How a CSV of combinations is written: the batch tool's, for programs, or a
// spreadsheet's.
struct CsvStyle {
    const char* start;
    std::array<const char*, 6> loadNames; // name, Nd, Mxd, Myd, Mxd base, Myd base
    std::string (*real)(double);
    const char* lineEnd;
};

const CsvStyle BatchStyle = {"", {"nome", "nd", "mxd", "myd", "mxd_base", "myd_base"}, ShortestReal, "\n"};
const CsvStyle SpreadsheetStyle = {"\xEF\xBB\xBF", LoadCaptions, FormatGeneral, "\r\n"};

std::string CombinationsCsv(const CombinationList& rows, const CombinationCheck* check, bool column,
                            const CsvStyle& style)
{
    auto field = [&](const std::optional<double>& value) { return value ? style.real(*value) : std::string(); };
    const bool results = check != nullptr && check->rows.size() == rows.size();
    std::string out = style.start;
    for (std::size_t k = 0; k < (column ? 6u : 4u); ++k)
        out += std::string(k == 0 ? "" : ";") + style.loadNames[k];
    if (results)
        out += ";situacao;eta;mrx;mry;mrd;axial;determinante";
    if (results && column)
        out += ";situacao_pilar;md_tot_x;md_tot_y;estado_pilar";
    out += style.lineEnd;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // The separator may not be in a name.
        std::string name = rows[i].name;
        for (char& c : name)
            if (c == ';' || c == '\n' || c == '\r')
                c = ' ';
        out += name + ";" + style.real(rows[i].Nd) + ";" + style.real(rows[i].Mxd) + ";" + style.real(rows[i].Myd);
        if (column)
            out += ";" + field(rows[i].MxdBase) + ";" + field(rows[i].MydBase);
        if (results) {
            const CombinationResult& r = check->rows[i];
            out += std::string(";") + CombinationStatusCsvWord(r.status) + ";" + field(r.utilisation) + ";" +
                   field(r.resisting ? std::optional<double>(r.resisting->x) : std::nullopt) + ";" +
                   field(r.resisting ? std::optional<double>(r.resisting->y) : std::nullopt) + ";" +
                   field(r.resistingMoment) + ";" + field(r.axialUtilisation) + ";" + (r.governing ? "sim" : "");
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
                        ? SituationPlainWord(c->situations[static_cast<std::size_t>(c->governingSituation)].situation)
                        : "") +
                   ";" + field(compressed ? WorkedMdTot(*c, Bending::Mx) : std::nullopt) + ";" +
                   field(compressed ? WorkedMdTot(*c, Bending::My) : std::nullopt) + ";" +
                   (c ? ColumnStatusCsvWord(c->status) : "");
        }
        out += style.lineEnd;
    }
    return out;
}

} // namespace

std::string CurvePointsCsv(const std::vector<Point>& points)
{
    std::string out = "Mx;My\n";
    for (const Point& p : points)
        out += ShortestReal(p.x) + ";" + ShortestReal(p.y) + "\n";
    return out;
}

CombinationList ReadCombinationsCsv(std::string_view bytes, std::size_t maxRows, LoadsTarget target)
{
    const std::vector<LoadFields> fields = CheckedLoadFields(bytes, LoadSource::File, target, maxRows);
    CombinationList rows;
    rows.reserve(fields.size());
    for (const LoadFields& row : fields) {
        LoadCombination combination;
        combination.name = row.name;
        double* values[] = {&combination.Nd, &combination.Mxd, &combination.Myd};
        std::optional<double>* bases[] = {&combination.MxdBase, &combination.MydBase};
        for (std::size_t k = 0; k < ValueCount; ++k) {
            if (k >= 3 && row.values[k].empty())
                continue;
            double value = 0.0;
            if (!ParseReal(row.values[k], value))
                throw ProjectFileError("Linha " + std::to_string(row.line) + ": \"" + row.written[k] +
                                       "\" não é um número");
            if (k < 3)
                *values[k] = value;
            else
                *bases[k - 3] = value;
        }
        rows.push_back(std::move(combination));
    }
    return rows;
}

std::string WriteCombinationsCsv(const CombinationList& rows, const CombinationCheck* check, bool column)
{
    return CombinationsCsv(rows, check, column, BatchStyle);
}

std::string SpreadsheetCombinationsCsv(const CombinationList& rows, const CombinationCheck* check, bool column)
{
    return CombinationsCsv(rows, check, column, SpreadsheetStyle);
}

std::vector<PastedRow> ReadPastedRows(std::string_view bytes, LoadsTarget target)
{
    std::vector<PastedRow> rows;
    for (LoadFields& row : CheckedLoadFields(bytes, LoadSource::Paste, target, SIZE_MAX)) {
        PastedRow pasted;
        pasted.named = row.named;
        pasted.name = std::move(row.name);
        pasted.numbers = std::move(row.values);
        rows.push_back(std::move(pasted));
    }
    return rows;
}

} // namespace flexara
