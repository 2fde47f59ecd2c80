// The history of the case in the main window. A snapshot is the case as
// "Salvar" would write it (the project file's bytes) with what the file does
// not hold but the windows show: the cells of the combinations as typed, the
// group "Pilar" as set, the texts of the main window's fields and the line and
// vertex selected. The case has unsaved changes when its snapshot differs from
// the one taken when it was created, opened or saved; each stored edit is a
// step of the undo stack holding the snapshots before and after it, and an
// undone step puts its snapshot back through the reading of a project file,
// the chart left as it is (as after any edit).
#pragma once

#include "engine/case/UVariav.h"

#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <memory>
#include <string>

namespace flexara {

class TFPrincipal;

struct CaseSnapshot {
    std::string file;   // the project file Salvar would write
    QStringList rows;   // the combinations' editable cells, row by row
    QStringList column; // the controls of the group "Pilar"
    // The state itself, also in what the file does not hold (Fyd).
    std::shared_ptr<const AnalysisState> state;
    // Shown, but no edit of the case by themselves.
    QStringList fields;
    int line = -1;
    int vertex = -1;

    // The same case, whatever the window shows of it.
    bool SameCase(const CaseSnapshot& other) const
    {
        return file == other.file && rows == other.rows && column == other.column;
    }
};

class TCaseHistory {
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

    // What a generation changed (the strength of a preset class) is no step
    // and no unsaved change of its own.
    void AbsorbGeneration(bool wasModified);

    QUndoStack& Stack() { return stack; }

private:
    TFPrincipal& w;
    CaseSnapshot saved;    // as last created, opened or saved
    CaseSnapshot recorded; // as after the last step
    QUndoStack stack;
    bool restoring = false;
};

} // namespace flexara
