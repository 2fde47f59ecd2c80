#include "editor/CaseHistory.h"

#include "editor/CombinationsWindow.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "editor/TFPrincipal.h"
#include "editor/WindowProjectReader.h"
#include "project/ProjectFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QUndoCommand>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableWidget>

#include <optional>

namespace flexara {

namespace {

// The controls of a group ("Pilar", "Detalhamento") in the order they were
// made: every field, list and check box of it belongs to the case.
QList<QWidget*> GroupControls(const QGroupBox* group)
{
    QList<QWidget*> controls;
    for (QWidget* child : group->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
            (qobject_cast<QAbstractButton*>(child) && qobject_cast<QAbstractButton*>(child)->isCheckable()))
            controls.append(child);
    return controls;
}

QString ControlValue(QWidget* control)
{
    if (auto* field = qobject_cast<QLineEdit*>(control))
        return field->text();
    if (auto* list = qobject_cast<QComboBox*>(control))
        return QString::number(list->currentIndex());
    return qobject_cast<QAbstractButton*>(control)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// Set as the user would, so that the window's handlers follow (the base
// columns shown, the results gone).
void SetControlValue(QWidget* control, const QString& value)
{
    if (auto* field = qobject_cast<QLineEdit*>(control))
        field->setText(value);
    else if (auto* list = qobject_cast<QComboBox*>(control))
        list->setCurrentIndex(value.toInt());
    else
        qobject_cast<QAbstractButton*>(control)->setChecked(value == QStringLiteral("1"));
}

bool CellTyped(const QTableWidget& table, int r, int c)
{
    const QTableWidgetItem* item = table.item(r, c);
    return item != nullptr && (item->flags() & Qt::ItemIsEditable);
}

QList<QLineEdit*> MainFields(TFPrincipal& w)
{
    return w.centralWidget()->findChildren<QLineEdit*>();
}

// The text a field had when it got the focus: it is being typed while its
// text is another.
const char* const FocusText = "flexaraFocusText";

bool BeingTyped(const QLineEdit* field)
{
    const QVariant before = field->property(FocusText);
    return before.isValid() && field->text() != before.toString();
}

// One stored edit: the case before and after it.
class CaseStep : public QUndoCommand {
public:
    CaseStep(TCaseHistory& history, CaseSnapshot before, CaseSnapshot after, const QString& name)
        : QUndoCommand(name), history(history), before(std::move(before)), after(std::move(after))
    {
    }
    void undo() override { history.Put(before); }
    void redo() override
    {
        // Pushed once made: the case is already the one after it.
        if (made)
            history.Put(after);
        made = true;
    }

private:
    TCaseHistory& history;
    CaseSnapshot before;
    CaseSnapshot after;
    bool made = false;
};

std::vector<std::string> FileLines(const std::string& file)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = file.find("\r\n", start);
        lines.push_back(file.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

int LineCountOf(const std::vector<std::string>& lines)
{
    return lines.size() > 10 ? std::atoi(lines[10].c_str()) : 0;
}

// What line i of the file holds, as the step names it.
QString FileLineName(const std::vector<std::string>& before, const std::vector<std::string>& after, std::size_t i)
{
    static const char* const Header[] = {
        "alteração das configurações", "alteração das configurações", "alteração das configurações",
        "alteração das configurações", "alteração de Nd",             "alteração de Mxd",
        "alteração de Myd",            "alteração do concreto",       "alteração do concreto",
        "alteração do aço"};
    if (i < 10)
        return QString::fromUtf8(Header[i]);
    const int linesBefore = LineCountOf(before);
    const int linesAfter = LineCountOf(after);
    if (linesBefore != linesAfter)
        return linesAfter > linesBefore ? QStringLiteral("inclusão de linha de barras")
                                        : QStringLiteral("exclusão de linha de barras");
    static const char* const Block[] = {"alteração do número de barras",
                                        "alteração do diâmetro",
                                        "alteração de Y1",
                                        "alteração de Y2",
                                        "alteração de X1",
                                        "alteração de X2",
                                        "alteração da orientação"};
    const std::size_t sectionAt = 11 + 7 * static_cast<std::size_t>(linesAfter);
    if (i < sectionAt)
        return QString::fromUtf8(Block[(i - 11) % 7]);
    // The section: its vertex count, its keyword, its dimensions or vertices.
    const auto at = [](const std::vector<std::string>& lines, std::size_t k) {
        return k < lines.size() ? lines[k] : std::string();
    };
    if (at(before, sectionAt + 1) != at(after, sectionAt + 1))
        return QStringLiteral("alteração da forma da seção");
    if (at(after, sectionAt + 1) == "qual") {
        const int verticesBefore = std::atoi(at(before, sectionAt).c_str());
        const int verticesAfter = std::atoi(at(after, sectionAt).c_str());
        if (verticesBefore != verticesAfter)
            return verticesAfter > verticesBefore ? QStringLiteral("inclusão de ponto da seção")
                                                  : QStringLiteral("exclusão de ponto da seção");
        return QStringLiteral("alteração de ponto da seção");
    }
    return QStringLiteral("alteração das dimensões da seção");
}

// After the section, the blocks by their keywords.
QString BlockName(const std::vector<std::string>& lines, std::size_t i)
{
    for (std::size_t k = std::min(i, lines.size() - 1) + 1; k-- > 0;) {
        if (lines[k] == CombinationsKeyword)
            return QStringLiteral("alteração das combinações");
        if (lines[k] == ColumnKeyword)
            return QStringLiteral("alteração do pilar");
        if (lines[k] == DetailingKeyword)
            return QStringLiteral("alteração do detalhamento");
        if (lines[k] == ModelKeyword)
            return QStringLiteral("alteração das configurações");
    }
    return QString();
}

} // namespace

QString EditName(const CaseSnapshot& before, const CaseSnapshot& after)
{
    if (before.file != after.file) {
        const std::vector<std::string> a = FileLines(before.file);
        const std::vector<std::string> b = FileLines(after.file);
        std::size_t i = 0;
        while (i < a.size() && i < b.size() && a[i] == b[i])
            ++i;
        // A block that appears or goes is named by its keyword, wherever the
        // first difference falls.
        QString name = BlockName(i < b.size() ? b : a, i);
        if (name.isEmpty())
            name = FileLineName(a, b, i);
        return name;
    }
    if (before.rows != after.rows) {
        const int rowsBefore = before.rows.isEmpty() ? 0 : before.rows.front().toInt();
        const int rowsAfter = after.rows.isEmpty() ? 0 : after.rows.front().toInt();
        if (rowsAfter != rowsBefore)
            return rowsAfter > rowsBefore ? QStringLiteral("inclusão de combinação")
                                          : QStringLiteral("exclusão de combinação");
        return QStringLiteral("alteração das combinações");
    }
    if (before.column == after.column && before.detailing != after.detailing)
        return QStringLiteral("alteração do detalhamento");
    return QStringLiteral("alteração do pilar");
}

TCaseHistory::TCaseHistory(TFPrincipal& window) : w(window)
{
    stack.setUndoLimit(1000);
    qApp->installEventFilter(this);
}

bool TCaseHistory::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            field->setProperty(FocusText, field->text());
        break;
    case QEvent::FocusOut:
        if (auto* field = qobject_cast<QLineEdit*>(watched)) {
            field->setProperty(FocusText, QVariant());
            PostCheck();
        }
        break;
    case QEvent::ShortcutOverride:
        if (auto* field = qobject_cast<QLineEdit*>(watched);
            field && (field->window() == &w || field->window() == static_cast<QWidget*>(w.FCombinacoes))) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // The field's own undo while its text is being typed; else the
            // case's ("Desfazer" of the menu "Editar").
            if (key->matches(QKeySequence::Undo) && !(BeingTyped(field) && field->isUndoAvailable()))
                return true;
            if (key->matches(QKeySequence::Redo) && !(field->property(FocusText).isValid() && field->isRedoAvailable()))
                return true;
        }
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        PostCheck();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TCaseHistory::PostCheck()
{
    if (checkPosted)
        return;
    checkPosted = true;
    QTimer::singleShot(0, this, [this] {
        checkPosted = false;
        CheckAfterInput();
    });
}

void TCaseHistory::CheckAfterInput()
{
    if (restoring || QApplication::activeModalWidget() != nullptr)
        return;
    if (const auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()); field && BeingTyped(field))
        return;
    RecordEdit();
}

void TCaseHistory::RecordEdit(const QString& name)
{
    if (restoring)
        return;
    CaseSnapshot now = Take();
    if (!now.SameCase(recorded)) {
        const QString stepName = name.isEmpty() ? EditName(recorded, now) : name;
        stack.push(new CaseStep(*this, recorded, now, stepName));
    }
    // What the window shows now is what a step undone later comes back to.
    recorded = std::move(now);
}

void TCaseHistory::Put(const CaseSnapshot& snapshot)
{
    Restore(snapshot);
    // The field with the focus shows the case's text: it is not being typed.
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        field->setProperty(FocusText, field->text());
    recorded = Take();
}

void TCaseHistory::Undo()
{
    RecordEdit();
    stack.undo();
}

void TCaseHistory::Redo()
{
    RecordEdit();
    stack.redo();
}

CaseSnapshot TCaseHistory::Take() const
{
    CaseSnapshot s;
    s.state = std::make_shared<const AnalysisState>(w.State());
    // The file with its blocks, as Salvar writes it; a cell or a length that
    // stops the save leaves them to the texts below.
    try {
        CombinationList rows;
        std::optional<Column> column;
        if (w.FCombinacoes) {
            rows = w.FCombinacoes->CheckedRows();
            column = w.FCombinacoes->CheckedColumn();
        }
        s.file = WriteProjectText(w.State(), w.WriteInput(&rows, &column));
    } catch (const std::exception&) {
        try {
            s.file = WriteProjectText(w.State(), w.WriteInput(nullptr));
        } catch (const std::exception&) {
            s.file.clear();
        }
    }
    if (w.FCombinacoes) {
        const QTableWidget& table = *w.FCombinacoes->Tabela;
        s.rows.append(QString::number(table.rowCount()));
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.columnCount(); ++c)
                if (CellTyped(table, r, c))
                    s.rows.append(table.item(r, c)->text());
        for (QWidget* control : GroupControls(w.FCombinacoes->GBPilar))
            s.column.append(ControlValue(control));
        for (QWidget* control : GroupControls(w.FCombinacoes->GBDetalhamento))
            s.detailing.append(ControlValue(control));
    }
    for (QLineEdit* field : MainFields(w))
        s.fields.append(field->text());
    s.line = w.Armadura().SelectedLine();
    s.vertex = w.Secao().LBPontos->currentRow();
    return s;
}

void TCaseHistory::Restore(const CaseSnapshot& s)
{
    struct Flag {
        bool& flag;
        explicit Flag(bool& f) : flag(f) { flag = true; }
        ~Flag() { flag = false; }
    } during(restoring);

    // Through the fields, as a file is read, so that the window, the lists and
    // the drawing follow.
    WindowProjectReader reader(w);
    ReadProjectText(s.file, reader);

    if (w.FCombinacoes && !s.rows.isEmpty()) {
        TFCombinacoes& combinations = *w.FCombinacoes;
        const QList<QWidget*> controls = GroupControls(combinations.GBPilar);
        for (qsizetype i = 0; i < controls.size() && i < s.column.size(); ++i)
            SetControlValue(controls[i], s.column[i]);
        const QList<QWidget*> detailing = GroupControls(combinations.GBDetalhamento);
        for (qsizetype i = 0; i < detailing.size() && i < s.detailing.size(); ++i)
            SetControlValue(detailing[i], s.detailing[i]);
        // The rows as typed, a cell that does not convert too.
        const int count = s.rows.front().toInt();
        combinations.SetRows(CombinationList(static_cast<std::size_t>(count)));
        QTableWidget& table = *combinations.Tabela;
        qsizetype next = 1;
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.columnCount(); ++c)
                if (CellTyped(table, r, c) && next < s.rows.size())
                    table.item(r, c)->setText(s.rows[next++]);
    }

    TGBArmadura& bars = w.Armadura();
    if (s.line >= 0 && s.line < bars.LBLinhas->count())
        bars.LBLinhas->setCurrentRow(s.line);
    TGBSecao& section = w.Secao();
    if (s.vertex >= 0 && s.vertex < section.LBPontos->count())
        section.LBPontos->setCurrentRow(s.vertex);

    // The texts as they were shown (a text typed as "20,0"), no handler run,
    // and the state as it was, also in what the file does not hold (Fyd).
    const QList<QLineEdit*> fields = MainFields(w);
    for (qsizetype i = 0; i < fields.size() && i < s.fields.size(); ++i) {
        const QSignalBlocker quiet(fields[i]);
        fields[i]->setText(s.fields[i]);
    }
    if (s.state)
        w.State() = *s.state;
    w.TaxaArmadura();
    w.RepaintSection();
}

void TCaseHistory::StartCase()
{
    if (restoring)
        return;
    saved = Take();
    recorded = saved;
    stack.clear();
}

void TCaseHistory::MarkSaved()
{
    RecordEdit();
    saved = Take();
    recorded = saved;
    stack.setClean();
}

bool TCaseHistory::Modified() const
{
    return !Take().SameCase(saved);
}

void TCaseHistory::AbsorbGeneration(bool wasModified)
{
    const CaseSnapshot now = Take();
    if (!wasModified)
        saved = now;
    recorded = now;
}

} // namespace flexara
