// New, Open, Save, Save As and Exit from the window: project files written from
// the window and read back through its own fields, failures in the error box.
#include "editor/DocumentCommands.h"
#include "dialogs/Tconfirma.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "project/HeadlessLoader.h"
#include "tests/gui/ProgramWindowsFixture.h"
#include "tests/project/ProjectTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <deque>
#include <filesystem>

namespace flexara {
namespace {

using testing::ModalScript;
using testing::ScriptedDialogs;
using testing::TypeAndLeave;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DocumentCommandsTest : public testing::ProgramWithDialogsTest {
protected:
    QString Run(QAction* action) { return testing::RunMenuCommand(action); }

    void SaveAs(const QString& path)
    {
        dialogs->saveAnswers.push_back(path);
        EXPECT_EQ(Run(main->SavarComo1), "");
    }

    void Open(const QString& path)
    {
        dialogs->openAnswers.push_back(path);
        EXPECT_EQ(Run(main->Abrir1), "");
    }

    // A file of our own, written byte for byte.
    QString WriteFile(const char* name, const std::string& bytes)
    {
        const QString path = Path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    // The case as a project file keeps it: Fcd (30/14 for C-30) with the
    // file's 15 significant digits, everything typed as it is.
    std::unique_ptr<AnalysisState> SavedCase() const
    {
        auto saved = std::make_unique<AnalysisState>(main->State());
        saved->Fcd = std::stod(FormatProjectReal(saved->Fcd));
        return saved;
    }
};

TEST_F(DocumentCommandsTest, TheDefaultCaseSavedAtOnceIsTwentyTwoLines)
{
    dialogs->saveAnswers.push_back(Path("novo.fxr"));
    EXPECT_EQ(Run(main->Salvar1), "");
    EXPECT_TRUE(main->HasFileName);
    const std::string expected = testing::DefaultCaseFile();
    EXPECT_EQ(ReadAll(Path("novo.fxr")).toStdString(), expected);
}

// What the window shows of a case, field by field.
struct WindowView {
    QStringList texts;
    QStringList lines;
    int selectedLine;
    QStringList vertices;
    int selectedVertex;
    std::vector<bool> enabled;
    std::vector<bool> checked;
    QString diameter;
    QString concrete;
    QString steel;

    static WindowView Of(TFPrincipal& w)
    {
        WindowView v;
        TGBSecao& sec = w.Secao();
        TGBArmadura& arm = w.Armadura();
        for (QLineEdit* e : {w.EdNd, w.EdMdx, w.EdMdy, arm.EdNb, arm.EdX1, arm.EdX2, arm.EdY1, arm.EdY2})
            v.texts << e->text();
        for (std::size_t i = 0; i < sec.Eds.size(); ++i)
            v.texts << (sec.Eds[i]->isHidden() ? QString("(hidden)") : sec.Eds[i]->text()) << sec.Lbls[i]->text();
        for (int i = 0; i < arm.LBLinhas->count(); ++i)
            v.lines << arm.LBLinhas->item(i)->text();
        v.selectedLine = arm.LBLinhas->currentRow();
        for (int i = 0; i < sec.LBPontos->count(); ++i)
            v.vertices << sec.LBPontos->item(i)->text();
        v.selectedVertex = sec.LBPontos->currentRow();
        for (QWidget* widget : std::initializer_list<QWidget*>{arm.EdX2, arm.EdY2, arm.BtnExcluir, sec.BtnExcPontos})
            v.enabled.push_back(widget->isEnabled());
        v.enabled.push_back(!sec.LBPontos->isHidden());
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{arm.RadHor, arm.RadVer, arm.RadQual})
            v.checked.push_back(b->isChecked());
        for (QToolButton* b : sec.ToolButtons)
            v.checked.push_back(b->isChecked());
        v.diameter = arm.CombDiametro->currentText();
        v.concrete = w.CombConcreto->currentText();
        v.steel = w.CombAco->currentText();
        return v;
    }

    void ExpectSame(const WindowView& o) const
    {
        EXPECT_EQ(texts, o.texts);
        EXPECT_EQ(lines, o.lines);
        EXPECT_EQ(selectedLine, o.selectedLine);
        EXPECT_EQ(vertices, o.vertices);
        EXPECT_EQ(selectedVertex, o.selectedVertex);
        EXPECT_EQ(enabled, o.enabled);
        EXPECT_EQ(checked, o.checked);
        EXPECT_EQ(diameter, o.diameter);
        EXPECT_EQ(concrete, o.concrete);
        EXPECT_EQ(steel, o.steel);
    }
};

TEST_F(DocumentCommandsTest, EveryFamilyAndSeveralLinesSurviveSaveThenOpen)
{
    const struct {
        int button;
        std::vector<const char*> dims;
    } families[] = {
        {0, {"20", "50"}},
        {1, {"30", "20", "", "40"}},
        {2, {"60", "20", "", "10", "40"}},
        {3, {"10", "40", "", "50", "10"}},
        {4, {"10", "10", "40", "30", "10"}},
        {5, {"15", "15", "100", "80", "20", "25"}},
        {7, {"60", "15", "15", "50", "20", "20"}},
    };
    for (const auto& family : families) {
        SCOPED_TRACE(family.button);
        QTest::mouseClick(main->Secao().ToolButtons[static_cast<std::size_t>(family.button)], Qt::LeftButton);
        for (std::size_t i = 0; i < family.dims.size(); ++i)
            if (*family.dims[i])
                TypeAndLeave(main->Secao().Eds[i], family.dims[i]);
        TGBArmadura& arm = main->Armadura();
        TypeAndLeave(arm.EdNb, "3");
        TypeAndLeave(arm.EdX1, "2,5");
        TypeAndLeave(arm.EdX2, "12,25");
        TypeAndLeave(arm.EdY1, "3");
        QTest::mouseClick(arm.BtnAdicionar, Qt::LeftButton);
        arm.RadVer->click();
        TypeAndLeave(arm.EdY2, "17,5");
        arm.CombDiametro->setCurrentIndex(1);
        QTest::mouseClick(arm.BtnAdicionar, Qt::LeftButton);
        arm.RadQual->click();
        TypeAndLeave(arm.EdX2, "1,125");
        main->CombAco->setCurrentIndex(2);
        TypeAndLeave(main->EdNd, "-350,5");
        TypeAndLeave(main->EdMdx, "12,5");

        const WindowView before = WindowView::Of(*main);
        auto saved = SavedCase();
        SaveAs(Path("caso.fxr"));
        main->Novo1->trigger();
        Open(Path("caso.fxr"));
        EXPECT_FALSE(main->HasFileName);
        WindowView::Of(*main).ExpectSame(before);
        testing::ExpectSameCase(*saved, main->State());
        main->Novo1->trigger();
    }
}

TEST_F(DocumentCommandsTest, TheDetailingDataSurviveOpenThenSave)
{
    // The example column with its combinations and class III, φt 6,3 mm,
    // dmax 25 mm, st 15 cm: saved by the window byte for byte as opened.
    const std::string bytes =
        LoadProjectBytes(FLEXARA_SOURCE_DIR "/examples/pilar-20x40-combinacoes.fxr") + "detalhamento\r\n3\r\n" +
        FormatProjectReal(4.0) + "\r\n" + FormatProjectReal(6.3) + "\r\n" + FormatProjectReal(25) + "\r\n" +
        FormatProjectReal(15) + "\r\n";
    Open(WriteFile("detalhado.fxr", bytes));
    ASSERT_TRUE(main->CaseDetailing().has_value());
    EXPECT_EQ(main->CaseDetailing()->environment, EnvironmentClass::III);
    SaveAs(Path("salvo.fxr"));
    EXPECT_EQ(ReadAll(Path("salvo.fxr")).toStdString(), bytes);
    // A file without them leaves none behind.
    Open(WriteFile("simples.fxr", LoadProjectBytes(FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr")));
    EXPECT_FALSE(main->CaseDetailing().has_value());
}

TEST_F(DocumentCommandsTest, FreePolygonSurvivesSaveThenOpen)
{
    TGBSecao& sec = main->Secao();
    QTest::mouseClick(sec.ToolButtons[6], Qt::LeftButton);
    const char* vertices[][2] = {{"0", "0"}, {"40", "0"}, {"40", "-12,5"}, {"55,125", "30"}, {"0", "30"}};
    TypeAndLeave(sec.Eds[0], vertices[0][0]);
    TypeAndLeave(sec.Eds[1], vertices[0][1]);
    for (int i = 1; i < 5; ++i) {
        QTest::mouseClick(sec.BtnAdPontos, Qt::LeftButton);
        TypeAndLeave(sec.Eds[0], vertices[i][0]);
        TypeAndLeave(sec.Eds[1], vertices[i][1]);
    }
    const WindowView before = WindowView::Of(*main);
    auto saved = SavedCase();
    SaveAs(Path("poligono.fxr"));
    Open(Path("poligono.fxr"));
    WindowView::Of(*main).ExpectSame(before);
    testing::ExpectSameCase(*saved, main->State());
}

TEST_F(DocumentCommandsTest, WindowAndHeadlessLoaderStoreTheSameCase)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(FLEXARA_SOURCE_DIR "/examples"))
        files.push_back(entry.path());
    int corpusFiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FLEXARA_SOURCE_DIR "/tests/fuzz/corpus"))
        if (corpusFiles++ % 8 == 0)
            files.push_back(entry.path());
    int compared = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::string bytes;
        try {
            bytes = LoadProjectBytes(file.string());
        } catch (const ProjectFileError&) {
            continue;
        }
        auto headless = std::make_unique<AnalysisState>(main->State()); // same settings to start from
        HeadlessLoader loader(*headless);
        // Both readings fail alike: a bad file, or a fault of a refresh.
        std::string headlessFailure;
        try {
            ReadProjectText(bytes, loader);
        } catch (const std::exception& failure) {
            headlessFailure = failure.what();
        }
        std::string windowFailure;
        try {
            main->Documents->ReadProjectFile(QString::fromStdString(file.string()));
        } catch (const std::exception& failure) {
            windowFailure = failure.what();
        }
        EXPECT_EQ(windowFailure, headlessFailure);
        testing::ExpectSameCase(*headless, main->State());
        EXPECT_EQ(main->ConcreteIndex(), loader.Selection().concreteIndex);
        EXPECT_EQ(main->SteelIndex(), loader.Selection().steelIndex);
        EXPECT_EQ(main->LblTaxaArm->text().toStdString(), loader.RatioLabel());
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

TEST_F(DocumentCommandsTest, EdgeCasesOfReading)
{
    const std::string header = testing::Lines({"1.5", "1.15", "100", "0.8", "0", "0", "0", "3", "2.14", "1"});
    {
        SCOPED_TRACE("capital Hor, diameter 7, two lines");
        Open(WriteFile("a.fxr", header + testing::Lines({"2", "2", "7", "4", "4", "4", "16", "Hor", "2", "6.3", "36",
                                                         "36", "4", "16", "hor", "4", "retang", "20", "40"})));
        TGBArmadura& arm = main->Armadura();
        EXPECT_TRUE(arm.RadHor->isChecked()); // the last line read is the current one
        EXPECT_TRUE(arm.BtnExcluir->isEnabled());
        EXPECT_EQ(arm.CombDiametro->currentText(), "6,3");
        arm.LBLinhas->setCurrentRow(0);
        arm.LBLinhasClick();
        EXPECT_TRUE(arm.RadQual->isChecked());
        EXPECT_EQ(arm.CombDiametro->currentText(), "40");
        EXPECT_EQ(main->State().BarLines[0].Diameter, 7.0);
        EXPECT_EQ(main->State().GammaC, 1.5);
        EXPECT_EQ(main->State().AlphaC, 0.8);
    }
    {
        SCOPED_TRACE("one line, a polygon of one vertex");
        Open(WriteFile("b.fxr",
                       header + testing::Lines({"1", "0", "10", "0", "0", "0", "0", "hor", "1", "qual", "5", "6"})));
        EXPECT_FALSE(main->Armadura().BtnExcluir->isEnabled());
        EXPECT_FALSE(main->Secao().BtnExcPontos->isEnabled());
        EXPECT_EQ(main->Secao().Eds[0]->text(), "5");
    }
    {
        SCOPED_TRACE("a decimal comma stops the reading and keeps what was read");
        dialogs->openAnswers.push_back(WriteFile("c.fxr", testing::Lines({"1.6", "1,15"})));
        EXPECT_EQ(Run(main->Abrir1), "Invalid numeric input.");
        EXPECT_EQ(main->State().GammaC, 1.6);
        EXPECT_FALSE(main->HasFileName);
    }
    {
        SCOPED_TRACE("counts beyond the capacities are refused");
        dialogs->openAnswers.push_back(WriteFile("d.fxr", header + testing::Lines({"150"})));
        EXPECT_NE(Run(main->Abrir1).indexOf("150"), -1);
    }
    {
        SCOPED_TRACE("a file that is not there");
        dialogs->openAnswers.push_back(Path("nao-existe.fxr"));
        EXPECT_EQ(Run(main->Abrir1), "File not found.");
    }
}

TEST_F(DocumentCommandsTest, SaveNamesAndTheFileNameFlag)
{
    // Save As then Cancel: the flag is clear and the next Save asks again.
    dialogs->saveAnswers.push_back(QString());
    EXPECT_EQ(Run(main->SavarComo1), "");
    EXPECT_FALSE(main->HasFileName);
    EXPECT_EQ(dialogs->saveAsked, 1);
    dialogs->saveAnswers.push_back(Path("um.fxr"));
    EXPECT_EQ(Run(main->Salvar1), "");
    EXPECT_EQ(dialogs->saveAsked, 2);
    EXPECT_TRUE(main->HasFileName);
    // With a name given, Save writes the case again to it without asking.
    TypeAndLeave(main->EdNd, "-77");
    EXPECT_EQ(Run(main->Salvar1), "");
    EXPECT_EQ(dialogs->saveAsked, 2);
    EXPECT_NE(ReadAll(Path("um.fxr")).indexOf("-7.70000000000000E+0001"), -1);
    // Open clears the flag: the next Save asks for a name.
    Open(Path("um.fxr"));
    EXPECT_FALSE(main->HasFileName);
    EXPECT_EQ(main->State().Nd, -77.0);
    // New asks nothing and clears the flag too.
    main->HasFileName = true;
    main->Novo1->trigger();
    EXPECT_FALSE(main->HasFileName);
}

TEST_F(DocumentCommandsTest, AFailedSaveLeavesTheOldFileWhole)
{
    SaveAs(Path("caso.fxr"));
    const QByteArray old = ReadAll(Path("caso.fxr"));
    ASSERT_FALSE(old.isEmpty());
    TypeAndLeave(main->EdNd, "-500");
    {
        SCOPED_TRACE("a write error after some lines");
        const InjectedWriteFault fault{100, 28};
        main->Documents->SetWriteFault(&fault);
        EXPECT_EQ(Run(main->Salvar1), "Disk full.");
        main->Documents->SetWriteFault(nullptr);
        EXPECT_EQ(ReadAll(Path("caso.fxr")), old);
        EXPECT_TRUE(main->HasFileName);
    }
    {
        SCOPED_TRACE("a folder that does not exist");
        dialogs->saveAnswers.push_back(Path("nao-existe/caso.fxr"));
        EXPECT_EQ(Run(main->SavarComo1), "Invalid filename.");
        EXPECT_FALSE(QDir(Path("nao-existe")).exists());
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"caso.fxr"}));
}

TEST_F(DocumentCommandsTest, EveryCloseRequestPassesTheConfirmation)
{
    // "Não" keeps the program open; a second request asks again.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        bool asked = false;
        ModalScript script({[&](QWidget* modal) {
            auto* box = qobject_cast<Tconfirma*>(modal);
            ASSERT_NE(box, nullptr);
            asked = true;
            EXPECT_EQ(QApplication::focusWidget(), box->sim);
            QTest::mouseClick(box->nao, Qt::LeftButton);
        }});
        if (round == 0)
            main->Sair1->trigger();
        else
            main->close();
        EXPECT_TRUE(asked);
        EXPECT_TRUE(main->isVisible());
    }
    // "Sim" lets it close.
    ModalScript script({[&](QWidget* modal) {
        auto* box = qobject_cast<Tconfirma*>(modal);
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->sim, Qt::LeftButton);
    }});
    main->close();
    EXPECT_FALSE(main->isVisible());
}

} // namespace
} // namespace flexara

namespace flexara {
namespace {

TEST(StandardFileDialogs, FiltersNamesAndOptions)
{
    QWidget parent;
    StandardFileDialogs dialogs(&parent);
    QFileDialog* open = dialogs.OpenDialog1;
    QFileDialog* save = dialogs.SaveDialog1;
    EXPECT_EQ(open->nameFilters(), QStringList({"Arquivo do Flexara 1.0 (*.fxr)", "Todos os Arquivos (*)"}));
    EXPECT_EQ(save->nameFilters(), QStringList({"Arquivos do Flexara 1.0 (*.fxr)"}));
    EXPECT_EQ(open->defaultSuffix(), "fxr");
    EXPECT_EQ(save->defaultSuffix(), "fxr");
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile); // the chosen file must exist
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));

    // The save dialog proposes "Seção1.fxr" first, then the name chosen last.
    QTemporaryDir folder;
    save->setDirectory(folder.path());
    QString proposed;
    const QString chosen = folder.filePath("viga.fxr");
    testing::ModalScript script({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        proposed = name->text();
        name->setText("viga.fxr");               // typed by the user
        static_cast<QDialog*>(dialog)->accept(); // the dialog's own OK
    }});
    EXPECT_EQ(dialogs.AskSavePath(), chosen);
    EXPECT_EQ(proposed, QString::fromUtf8("Seção1.fxr"));
    EXPECT_EQ(save->selectedFiles().value(0), chosen);
}

} // namespace
} // namespace flexara
