// The document commands of the menu "&Arquivo": New, Open, Save and Save As.
// A case goes to disk as a project file written from the analysis state and the
// two material selectors, and comes back through the window's own fields
// (WindowProjectReader). The file dialogs sit behind FileDialogs, which a test
// answers in their place.
#pragma once

#include "project/ProjectFile.h"

#include <QString>
#include <QStringList>

#include <memory>

class QFileDialog;
class QWidget;

namespace flexara {

class TFPrincipal;

// A file other than a project file to read or write (load combinations,
// reports, pictures of the chart), asked in a standard dialog of its own.
struct OtherFileRequest {
    bool save = true;
    QString title;
    QStringList filters;   // "Planilha CSV (*.csv)", the first one proposed
    QString defaultSuffix; // added to a name typed without one
    QString proposedName;  // for a save
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or an empty text when the dialog was cancelled.
    virtual QString AskOpenPath() = 0;
    virtual QString AskSavePath() = 0;
    // The chosen path and, through chosenFilter when given, the filter chosen.
    virtual QString AskOtherFile(const OtherFileRequest& request, QString* chosenFilter) = 0;
};

// OpenDialog1 and SaveDialog1: one of each for the whole run, each proposing
// the name chosen last.
class StandardFileDialogs : public FileDialogs {
public:
    explicit StandardFileDialogs(QWidget* parent);
    ~StandardFileDialogs() override;
    QString AskOpenPath() override;
    QString AskSavePath() override;
    QString AskOtherFile(const OtherFileRequest& request, QString* chosenFilter) override;

    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
};

class TDocumentCommands {
public:
    explicit TDocumentCommands(TFPrincipal& window);
    ~TDocumentCommands();

    void Novo();
    void Abrir();
    // False when the save dialog was cancelled: nothing was written.
    bool Salvar();
    bool SavarComo();
    // Before the case is left: with unsaved changes, asks whether to save
    // them; false when the command asking is to stop ("Cancelar", or a save
    // dialog cancelled).
    bool SettleUnsavedChanges();

    // Throw ProjectFileError with the runtime message on failure.
    void ReadProjectFile(const QString& path);
    void WriteProjectFile(const QString& path);

    void SetFileDialogs(std::unique_ptr<FileDialogs> dialogs);
    FileDialogs& Dialogs() { return *fileDialogs; }
    // A write failure the tests inject into the next saves; nullptr for none.
    void SetWriteFault(const InjectedWriteFault* fault) { writeFault = fault; }
    // The name the last confirmed save dialog gave, written again by Save.
    const QString& SaveName() const { return saveName; }
    // The file the case was last opened from or saved to; empty for a new case.
    const QString& CaseFile() const { return caseFile; }

private:
    TFPrincipal& w;
    std::unique_ptr<FileDialogs> fileDialogs;
    QString saveName;
    QString caseFile;
    const InjectedWriteFault* writeFault = nullptr;
};

} // namespace flexara
