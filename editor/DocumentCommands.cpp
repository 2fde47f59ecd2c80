#include "editor/DocumentCommands.h"

#include "dialogs/Tconfirma.h"
#include "editor/CaseHistory.h"
#include "editor/CombinationsWindow.h"
#include "editor/SectionGroup.h"
#include "editor/TFPrincipal.h"
#include "editor/WindowProjectReader.h"
#include "project/ProjectFile.h"
#include "uikit/LocalPath.h"

#include <QFileDialog>
#include <QLineEdit>

namespace flexara {

namespace {

constexpr const char* ProjectFilter = "Arquivo do Flexara 1.0 (*.fxr)";

QString Chosen(QFileDialog* dialog)
{
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return QString();
    const QString path = dialog->selectedFiles().constFirst();
    // The next showing proposes the name chosen now.
    dialog->selectFile(path);
    return path;
}

} // namespace

StandardFileDialogs::StandardFileDialogs(QWidget* parent)
{
    OpenDialog1 = new QFileDialog(parent);
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile); // the file must exist
    OpenDialog1->setNameFilters({QString::fromUtf8(ProjectFilter), QString::fromUtf8("Todos os Arquivos (*)")});
    OpenDialog1->setDefaultSuffix("fxr");
    OpenDialog1->setSizeGripEnabled(true);

    SaveDialog1 = new QFileDialog(parent);
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave); // asks before replacing a file
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilters({QString::fromUtf8("Arquivos do Flexara 1.0 (*.fxr)")});
    SaveDialog1->setDefaultSuffix("fxr");
    SaveDialog1->setSizeGripEnabled(true);
    SaveDialog1->selectFile(QString::fromUtf8("Seção1.fxr"));
}

StandardFileDialogs::~StandardFileDialogs() = default;

QString StandardFileDialogs::AskOpenPath()
{
    return Chosen(OpenDialog1);
}
QString StandardFileDialogs::AskSavePath()
{
    return Chosen(SaveDialog1);
}

QString StandardFileDialogs::AskOtherFile(const OtherFileRequest& request, QString* chosenFilter)
{
    QFileDialog dialog(OpenDialog1->parentWidget(), request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setSizeGripEnabled(true);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    // The suffix follows the filter chosen (a picture as PNG or SVG).
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const qsizetype star = filter.indexOf(QLatin1String("*."));
        if (star >= 0)
            dialog.setDefaultSuffix(filter.mid(star + 2, filter.indexOf(QLatin1Char(')'), star) - star - 2));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

TDocumentCommands::TDocumentCommands(TFPrincipal& window)
    : w(window), fileDialogs(std::make_unique<StandardFileDialogs>(&window))
{
}

TDocumentCommands::~TDocumentCommands() = default;

void TDocumentCommands::SetFileDialogs(std::unique_ptr<FileDialogs> dialogs)
{
    fileDialogs = std::move(dialogs);
}

void TDocumentCommands::Novo()
{
    w.FormCreate();
    caseFile.clear();
}

bool TDocumentCommands::SettleUnsavedChanges()
{
    if (!w.History->Modified())
        return true;
    switch (AskToSaveChanges(&w)) {
    case SaveChangesAnswer::Save:
        return Salvar();
    case SaveChangesAnswer::DontSave:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void TDocumentCommands::Abrir()
{
    if (!SettleUnsavedChanges())
        return;
    const QString path = fileDialogs->AskOpenPath();
    if (path.isEmpty())
        return;
    ReadProjectFile(path);
}

bool TDocumentCommands::Salvar()
{
    // A marked cell of the combinations stops the save before anything is asked.
    if (w.FCombinacoes) {
        w.FCombinacoes->CheckedRows();
        w.FCombinacoes->CheckedColumn();
        w.FCombinacoes->CheckedDetailing();
    }
    if (!w.HasFileName) {
        const QString path = fileDialogs->AskSavePath();
        if (path.isEmpty())
            return false;
        saveName = path;
        w.HasFileName = true; // set before the file is opened: it stays when the writing fails
    }
    // With a name already given, the case goes again to the name chosen last.
    WriteProjectFile(saveName);
    return true;
}

bool TDocumentCommands::SavarComo()
{
    w.HasFileName = false;
    return Salvar();
}

void TDocumentCommands::ReadProjectFile(const QString& path)
{
    const std::string bytes = LoadProjectBytes(LocalPath(path));
    WindowProjectReader reader(w);
    caseFile.clear();
    // The case as opened, also when the reading failed half-way, is the one
    // without unsaved changes.
    struct Opened {
        TCaseHistory& history;
        ~Opened() { history.StartCase(); }
    } opened{*w.History};
    ReadProjectText(bytes, reader); // starts with the New reset, which clears HasFileName
    caseFile = path;
    w.RepaintSection();
}

void TDocumentCommands::WriteProjectFile(const QString& path)
{
    // Never a marked cell written as 0: the save stops, naming the row.
    const CombinationList combinations = w.FCombinacoes ? w.FCombinacoes->CheckedRows() : CombinationList{};
    const std::optional<Column> column = w.FCombinacoes ? w.FCombinacoes->CheckedColumn() : std::nullopt;
    if (w.FCombinacoes)
        w.FCombinacoes->CheckedDetailing();
    SaveFileBytes(LocalPath(path), WriteProjectText(w.State(), w.WriteInput(&combinations, &column)), writeFault);
    caseFile = path;
    w.History->MarkSaved();
}

} // namespace flexara
