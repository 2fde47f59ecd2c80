#include "editor/CaseHistory.h"

#include "editor/CombinationsWindow.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "editor/TFPrincipal.h"
#include "editor/WindowProjectReader.h"
#include "project/ProjectFile.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableWidget>

#include <optional>

namespace flexara {

namespace {

// The controls of the group "Pilar" in the order they were made: every field,
// list and check box of it belongs to the case.
QList<QWidget*> ColumnControls(const TFCombinacoes& combinations)
{
    QList<QWidget*> controls;
    for (QWidget* child : combinations.GBPilar->findChildren<QWidget*>())
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

} // namespace

TCaseHistory::TCaseHistory(TFPrincipal& window) : w(window)
{
    stack.setUndoLimit(1000);
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
        for (QWidget* control : ColumnControls(*w.FCombinacoes))
            s.column.append(ControlValue(control));
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
        const QList<QWidget*> controls = ColumnControls(combinations);
        for (qsizetype i = 0; i < controls.size() && i < s.column.size(); ++i)
            SetControlValue(controls[i], s.column[i]);
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
