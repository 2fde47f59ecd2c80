// The history of the case in the main window. A snapshot is the case as
// "Salvar" would write it (the project file's bytes) with what the file does
// not hold but the windows show: the cells of the combinations as typed, the
// groups "Pilar" and "Detalhamento" as set, the texts of the main window's fields and the line and
// vertex selected. The case has unsaved changes when its snapshot differs from
// the one taken when it was created, opened or saved; each stored edit is a
// step of the undo stack holding the snapshots before and after it, and an
// undone step puts its snapshot back through the reading of a project file,
// the chart left as it is (as after any edit).
#pragma once

#include "engine/case/UVariav.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <memory>
#include <string>

namespace flexara {

class TFPrincipal;

struct CaseSnapshot {
    std::string file;      // the project file Salvar would write
    QStringList rows;      // the combinations' editable cells, row by row
    QStringList column;    // the controls of the group "Pilar"
    QStringList detailing; // the controls of the group "Detalhamento"
    // The state itself, also in what the file does not hold (Fyd).
    std::shared_ptr<const AnalysisState> state;
    // Shown, but no edit of the case by themselves.
    QStringList fields;
    int line = -1;
    int vertex = -1;

    // The same case, whatever the window shows of it.
    bool SameCase(const CaseSnapshot& other) const
    {
        return file == other.file && rows == other.rows && column == other.column && detailing == other.detailing;
    }
};

// Every stored edit, wherever it was made (a field left, a button, a list, a
// cell of the combinations), is found after the input event that made it by
// comparing the case with the last step's; the text of a field being typed
// is one step when the field is left. Ctrl+Z and Ctrl+Y in a field whose text
// is being typed are the field's own.
class TCaseHistory : public QObject {
    Q_OBJECT
public:
    explicit TCaseHistory(TFPrincipal& window);

    CaseSnapshot Take() const;
    void Restore(const CaseSnapshot& snapshot);
    bool Restoring() const { return restoring; }

    // A new or opened case: no unsaved changes, and nothing to undo.
    void StartCase();
    // The case as it stands is the saved one.
    void MarkSaved();
    bool Modified() const;

    // Makes a step of what was stored since the last step, named after what
    // changed ("alteração de Nd") unless a name is given; nothing when the
    // case is the same.
    void RecordEdit(const QString& name = QString());
    // The step undone or done again, after what is pending became a step.
    void Undo();
    void Redo();
    // Puts a snapshot back as the case of the window (a step's).
    void Put(const CaseSnapshot& snapshot);

    // What a generation changed (the strength of a preset class) is no step
    // and no unsaved change of its own.
    void AbsorbGeneration(bool wasModified);

    QUndoStack& Stack() { return stack; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // After an input event: a step, unless a field is being typed or a
    // modal dialog is open (the command that opened it records).
    void PostCheck();
    void CheckAfterInput();
    bool checkPosted = false;

    TFPrincipal& w;
    CaseSnapshot saved;    // as last created, opened or saved
    CaseSnapshot recorded; // as after the last step
    QUndoStack stack;
    bool restoring = false;
};

// The name of the step between two cases: the first value that changed, in
// the order of the file, or the combinations, the column and the detailing.
QString EditName(const CaseSnapshot& before, const CaseSnapshot& after);

} // namespace flexara
