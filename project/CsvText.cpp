#include "project/CsvText.h"

#include "engine/NumberText.h"
#include "project/ProjectFile.h"
#include "texts/Words.h"

#include <cctype>

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

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
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

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A number of a CSV field: "." as the decimal point, or "," where the comma
// separates no fields.
bool CsvNumber(std::string text, bool commaDecimal, double& value)
{
    if (text.find(',') != std::string::npos && !commaDecimal)
        return false;
    for (char& c : text)
        if (c == '.')
            c = ',';
    return ParseReal(text, value);
}

std::string Field(const std::optional<double>& value)
{
    return value ? ShortestReal(*value) : std::string();
}

} // namespace

std::string CurvePointsCsv(const std::vector<Point>& points)
{
    std::string out = "Mx;My\n";
    for (const Point& p : points)
        out += ShortestReal(p.x) + ";" + ShortestReal(p.y) + "\n";
    return out;
}

CombinationList ReadCombinationsCsv(std::string_view text)
{
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
    const char* const expected[] = {"nome", "nd", "mxd", "myd"};
    bool headerOk = names.size() >= 4;
    for (std::size_t i = 0; headerOk && i < 4; ++i)
        headerOk = Lower(names[i]) == expected[i];
    if (!headerOk)
        throw ProjectFileError("Linha " + std::to_string(first + 1) +
                               ": o cabeçalho das combinações deve ser nome;nd;mxd;myd");

    CombinationList rows;
    for (std::size_t n = first + 1; n < lines.size(); ++n) {
        if (Trimmed(lines[n]).empty())
            continue;
        const std::string where = "Linha " + std::to_string(n + 1);
        const std::vector<std::string> cells = Split(lines[n], separator);
        if (cells.size() < 4)
            throw ProjectFileError(where + ": são quatro campos, nome;nd;mxd;myd");
        LoadCombination row;
        row.name = cells[0];
        double* values[] = {&row.Nd, &row.Mxd, &row.Myd};
        for (int i = 0; i < 3; ++i)
            if (!CsvNumber(cells[static_cast<std::size_t>(i + 1)], separator != ',', *values[i]))
                throw ProjectFileError(where + ": \"" + cells[static_cast<std::size_t>(i + 1)] + "\" não é um número");
        if (rows.size() >= static_cast<std::size_t>(MaxCombinations))
            throw ProjectFileError("Mais de " + std::to_string(MaxCombinations) + " combinações (" + where + ")");
        rows.push_back(row);
    }
    return rows;
}

std::string WriteCombinationsCsv(const CombinationList& rows, const CombinationCheck* check)
{
    const bool results = check != nullptr && check->rows.size() == rows.size();
    std::string out = "nome;nd;mxd;myd";
    if (results)
        out += ";situacao;eta;mrx;mry;mrd;axial;determinante";
    out += "\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // The separator may not be in a name.
        std::string name = rows[i].name;
        for (char& c : name)
            if (c == ';' || c == '\n' || c == '\r')
                c = ' ';
        out +=
            name + ";" + ShortestReal(rows[i].Nd) + ";" + ShortestReal(rows[i].Mxd) + ";" + ShortestReal(rows[i].Myd);
        if (results) {
            const CombinationResult& r = check->rows[i];
            out += std::string(";") + CombinationStatusCsvWord(r.status) + ";" + Field(r.utilisation) + ";" +
                   Field(r.resisting ? std::optional<double>(r.resisting->x) : std::nullopt) + ";" +
                   Field(r.resisting ? std::optional<double>(r.resisting->y) : std::nullopt) + ";" +
                   Field(r.resistingMoment) + ";" + Field(r.axialUtilisation) + ";" + (r.governing ? "sim" : "");
        }
        out += "\n";
    }
    return out;
}

std::vector<std::vector<std::string>> SplitPastedRows(std::string_view text)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string_view line : Lines(text)) {
        if (Trimmed(line).empty())
            continue;
        std::vector<std::string> cells;
        if (line.find('\t') != std::string_view::npos) {
            cells = Split(line, '\t');
        } else if (line.find(';') != std::string_view::npos) {
            cells = Split(line, ';');
        } else {
            // Columns apart by two or more blanks; by one where that gives too few.
            for (const std::size_t gap : {std::size_t{2}, std::size_t{1}}) {
                cells.clear();
                std::string current;
                std::size_t blanks = 0;
                for (const char c : Trimmed(line)) {
                    if (c == ' ' || c == '\t') {
                        ++blanks;
                        continue;
                    }
                    if (blanks >= gap) {
                        cells.push_back(current);
                        current.clear();
                    } else if (blanks > 0) {
                        current.append(blanks, ' ');
                    }
                    blanks = 0;
                    current += c;
                }
                cells.push_back(current);
                if (cells.size() >= 3)
                    break;
            }
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

} // namespace flexara
