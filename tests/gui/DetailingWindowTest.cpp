// The group "Detalhamento" of the window "Combinações de esforços": its
// fields, a bad entry stopping the commands that need it, the rules in the
// case's verdict and in "Detalhes do pilar...", the block in the project
// file, and undo.
//
// The case of most tests is the example 20 x 40 with four bars of 20 mm, their
// centres 4 cm from both faces of each corner: each bar's surface stands
// 4 − 2,0/2 = 3,0 cm from the outline, b = 20 cm, Ac = 800 cm², CA-50. One
// light combination (Nd = −500 kN, 10 and 5 kN·m) holds in η, so that what
// fails is the detailing alone.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CaseHistory.h"
#include "editor/CombinationsWindow.h"
#include "project/ProjectFile.h"
#include "report/ColumnText.h"
#include "tests/project/ProjectTestSupport.h"
#include "texts/Words.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

namespace flexara::testing {
namespace {

const char* const Plain = FLEXARA_SOURCE_DIR "/examples/pilar-20x40-combinacoes.fxr";

// The group's class, cover (typed with "cobrimento informado", item 4),
// stirrup, dmáx and st as a row of a table gives them.
template <class Row> void FillDetailing(TFCombinacoes& c, const Row& k)
{
    c.CombClasse->setCurrentIndex(k.classItem);
    if (k.classItem == 4)
        c.EdCobrimento->setText(QString::fromUtf8(k.cover));
    c.CombEstribo->setCurrentIndex(k.stirrupItem);
    c.EdDmax->setText(QString::fromUtf8(k.dmax));
    c.EdSt->setText(QString::fromUtf8(k.st));
}

class DetailingWindowTest : public ProgramWithDialogsTest {
protected:
    void SetUp() override
    {
        ProgramWithDialogsTest::SetUp();
        main->Combinacoes->trigger();
    }
    TFCombinacoes* Window() { return windows.FCombinacoes; }
    void OpenPlain(bool lightRow = true)
    {
        main->Documents->ReadProjectFile(QString::fromUtf8(Plain));
        if (lightRow)
            Window()->SetRows({LoadCombination{"leve", -500, 10, 5}});
    }
    std::string SaveAs(const char* name)
    {
        const QString path = folder.filePath(QString::fromUtf8(name));
        dialogs->saveAnswers.push_back(path);
        EXPECT_EQ(RunMenuCommand(main->SavarComo1), "");
        return LoadProjectBytes(QFile::encodeName(path).toStdString());
    }
    // The bytes Salvar writes for the case as it stands (also while a text
    // of the group stops the save: the data the case keeps).
    std::string Bytes() const { return main->History->Take().file; }
    // The file's block "detalhamento" to its end (it is written last).
    static std::string Block(const std::string& file)
    {
        const std::size_t at = file.find("detalhamento\r\n");
        return at == std::string::npos ? std::string() : file.substr(at);
    }
};

TEST_F(DetailingWindowTest, TheFieldsFollowTheBoxAndTheClass)
{
    TFCombinacoes& c = *Window();
    EXPECT_EQ(c.GBDetalhamento->title(), "Detalhamento");
    EXPECT_FALSE(c.CBDetalhamento->isChecked());
    EXPECT_EQ(Items(c.CombClasse), QStringList({"I", "II", "III", "IV", "cobrimento informado"}));
    // "automático", then the very list of the bars' diameters.
    QStringList diameters = Items(main->Armadura().CombDiametro);
    EXPECT_EQ(diameters, QStringList({"5", "6,3", "8", "10", "12,5", "16", "20", "22", "25", "32", "40"}));
    diameters.prepend("automático");
    EXPECT_EQ(Items(c.CombEstribo), diameters);
    const struct {
        QWidget* control;
        const char* name;
    } named[] = {{c.CombClasse, "Classe de agressividade"},
                 {c.EdCobrimento, "c (cm)"},
                 {c.CombEstribo, "φt (mm)"},
                 {c.EdDmax, "dmáx (mm)"},
                 {c.EdSt, "st (cm)"}};
    for (const auto& n : named) {
        SCOPED_TRACE(n.name);
        EXPECT_EQ(n.control->accessibleName(), QString::fromUtf8(n.name));
        EXPECT_FALSE(n.control->toolTip().isEmpty());
        EXPECT_FALSE(n.control->isEnabled()) << "off until the box is checked";
        // Its label names it and gives it the focus with its mnemonic.
        bool labelled = false;
        for (const QLabel* label : c.GBDetalhamento->findChildren<QLabel*>())
            labelled = labelled || (label->buddy() == n.control && label->text() == QString::fromUtf8(n.name));
        EXPECT_TRUE(labelled);
    }
    // The defaults of the engine: class II (c = 3,0 cm), φt automático,
    // dmáx 19 mm, st empty (the proposed one).
    EXPECT_EQ(c.CombClasse->currentText(), "II");
    EXPECT_EQ(c.EdCobrimento->text(), "3");
    EXPECT_EQ(c.EdDmax->text(), "19");
    EXPECT_EQ(c.EdSt->text(), "");
    EXPECT_FALSE(main->CaseDetailing().has_value());

    c.CBDetalhamento->setChecked(true);
    for (const auto& n : named)
        EXPECT_TRUE(n.control->isEnabled()) << n.name;
    ASSERT_TRUE(main->CaseDetailing().has_value());
    EXPECT_EQ(*main->CaseDetailing(), Detailing{}) << "checked, the case has the defaults";
    // Tab goes through the group in reading order.
    QWidget* order[] = {c.CBDetalhamento, c.CombClasse, c.EdCobrimento, c.CombEstribo, c.EdDmax, c.EdSt};
    for (std::size_t k = 0; k + 1 < std::size(order); ++k)
        EXPECT_EQ(NextTabStop(order[k]), order[k + 1]) << order[k]->objectName().toStdString();

    // Table 7.2: the class's cover, shown and not typed.
    const struct {
        int item;
        const char* cover;
    } classes[] = {{0, "2,5"}, {1, "3"}, {2, "4"}, {3, "5"}};
    for (const auto& k : classes) {
        SCOPED_TRACE(k.item);
        c.CombClasse->setCurrentIndex(k.item);
        EXPECT_EQ(c.EdCobrimento->text(), QString::fromUtf8(k.cover));
        EXPECT_TRUE(c.EdCobrimento->isReadOnly());
        EXPECT_EQ(main->CaseDetailing()->environment, static_cast<EnvironmentClass>(k.item + 1));
    }
    // A typed cover starts from the one shown, and is the case's as typed.
    c.CombClasse->setCurrentIndex(4);
    EXPECT_FALSE(c.EdCobrimento->isReadOnly());
    EXPECT_EQ(c.EdCobrimento->text(), "5");
    TypeAndLeave(c.EdCobrimento, "3,5");
    c.CombEstribo->setCurrentIndex(2); // 6,3
    TypeAndLeave(c.EdSt, "12,5");
    Detailing typed;
    typed.environment.reset();
    typed.typedCover = 3.5;
    typed.stirrupDiameter = 6.3;
    typed.stirrupSpacing = 12.5;
    EXPECT_EQ(*main->CaseDetailing(), typed);
    EXPECT_EQ(c.CheckedDetailing(), typed);
    // Back to automático and an empty st: none of them given.
    c.CombEstribo->setCurrentIndex(0);
    c.EdSt->clear();
    EXPECT_FALSE(main->CaseDetailing()->stirrupDiameter.has_value());
    EXPECT_FALSE(main->CaseDetailing()->stirrupSpacing.has_value());
    // Unchecked, the case has none again.
    c.CBDetalhamento->setChecked(false);
    EXPECT_FALSE(main->CaseDetailing().has_value());
    EXPECT_FALSE(c.EdDmax->isEnabled());
}

TEST_F(DetailingWindowTest, ABadEntryStopsTheCommandNamed)
{
    OpenPlain();
    TFCombinacoes& c = *Window();
    c.CBDetalhamento->setChecked(true);
    const struct {
        const char* name;
        bool typedCover; // "cobrimento informado" chosen first
        QLineEdit* field;
        const char* text;
        const char* message;
    } cases[] = {
        {"dmáx text", false, c.EdDmax, "abc", "Detalhamento: dmáx inválido."},
        {"dmáx zero", false, c.EdDmax, "0", "Detalhamento: dmáx deve ser maior que zero."},
        {"dmáx empty", false, c.EdDmax, "", "Detalhamento: dmáx não informado."},
        {"st negative", false, c.EdSt, "-5", "Detalhamento: st deve ser maior que zero."},
        {"st with a point", false, c.EdSt, "1.5", "Detalhamento: st inválido."},
        {"typed c zero", true, c.EdCobrimento, "0", "Detalhamento: c deve ser maior que zero."},
        {"typed c negative", true, c.EdCobrimento, "-2,5", "Detalhamento: c deve ser maior que zero."},
        {"typed c empty", true, c.EdCobrimento, " ", "Detalhamento: c não informado."},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        c.SetDetailing(Detailing{});
        if (k.typedCover)
            c.CombClasse->setCurrentIndex(4);
        const std::optional<Detailing> kept = main->CaseDetailing();
        k.field->setText(QString::fromUtf8(k.text));
        EXPECT_EQ(Click(c.BtnVerificar), QString::fromUtf8(k.message));
        EXPECT_FALSE(c.Results().has_value());
        // Salvar stops before its question, and the case keeps its last data.
        const QString never = folder.filePath("nunca.fxr");
        dialogs->saveAnswers.push_back(never);
        EXPECT_EQ(RunMenuCommand(main->SavarComo1), QString::fromUtf8(k.message));
        EXPECT_FALSE(QFileInfo::exists(never));
        dialogs->saveAnswers.clear();
        EXPECT_EQ(main->CaseDetailing(), kept);
    }
    // Unchecked, the group's texts are no data of the case.
    c.CBDetalhamento->setChecked(false);
    EXPECT_EQ(Click(c.BtnVerificar), "");
    EXPECT_TRUE(c.Results().has_value());
}

TEST_F(DetailingWindowTest, TheVerdictNamesTheBrokenRules)
{
    OpenPlain();
    TFCombinacoes& c = *Window();
    const struct {
        const char* name;
        bool on;
        int classItem;     // 0..3 class I..IV, 4 typed
        const char* cover; // typed
        int stirrupItem;   // 0 automático
        const char* dmax;
        const char* st;
        std::vector<DetailingRule> broken;
        DetailingRule rule; // its value and limit worked by hand
        double value, limit;
    } cases[] = {
        // η alone: the light row holds.
        {"no detailing", false, 1, "", 0, "19", "", {}, DetailingRule::BarCover, 0, 0},
        // Class I, c = 2,5 cm; φt = max(5, 20/4) = 5 mm: the surface needs
        // c + φt = 2,5 + 0,5 = 3,0 cm and has 3,0.
        {"class I", true, 0, "", 0, "19", "", {}, DetailingRule::BarCover, 3.0, 3.0},
        // Class II, c = 3,0 cm: 3,0 + 0,5 = 3,5 > 3,0.
        {"class II", true, 1, "", 0, "19", "", {DetailingRule::BarCover}, DetailingRule::BarCover, 3.0, 3.5},
        // Class I with φt 10 mm: 2,5 + 1,0 = 3,5 > 3,0.
        {"class I, φt 10", true, 0, "", 4, "19", "", {DetailingRule::BarCover}, DetailingRule::BarCover, 3.0, 3.5},
        // c = 2,0 cm typed: 2,0 + 0,5 = 2,5 ≤ 3,0 and c = 20 mm ≥ φ 20, but
        // dmáx 25 > 1,2·20 = 24 mm.
        {"dmáx 25", true, 4, "2", 0, "25", "", {DetailingRule::AggregateSize}, DetailingRule::AggregateSize, 25, 24},
        // st ≤ min(20 cm, b = 20 cm, 12·2,0 = 24 cm) = 20 cm.
        {"st 25", true, 0, "", 0, "19", "25", {DetailingRule::StirrupSpacing}, DetailingRule::StirrupSpacing, 25, 20},
        {"st 20", true, 0, "", 0, "19", "20", {}, DetailingRule::StirrupSpacing, 20, 20},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        c.CBDetalhamento->setChecked(k.on);
        FillDetailing(c, k);
        EXPECT_EQ(Click(c.BtnVerificar), "");
        ASSERT_TRUE(c.Verdict().has_value());
        const CaseVerdict& v = *c.Verdict();
        EXPECT_TRUE(v.combinationsHold);
        EXPECT_EQ(v.holds, k.broken.empty());
        const QString label = c.LblVeredito->text();
        if (!k.on) {
            EXPECT_FALSE(v.detailing.has_value());
            EXPECT_TRUE(label.startsWith("A seção atende")) << label.toStdString();
            continue;
        }
        ASSERT_TRUE(v.detailing.has_value());
        EXPECT_EQ(v.detailing->Broken(), k.broken);
        const RuleCheck& rule = v.detailing->Of(k.rule);
        EXPECT_NEAR(rule.value, k.value, 1e-9);
        EXPECT_NEAR(rule.limit, k.limit, 1e-9);
        if (k.broken.empty()) {
            EXPECT_TRUE(label.startsWith("A seção atende")) << label.toStdString();
        } else {
            EXPECT_TRUE(label.startsWith("A seção não atende: todas as combinações atendem")) << label.toStdString();
            const QString named = QStringLiteral("; as barras não atendem ao detalhamento: %1 (%2).")
                                      .arg(QString::fromUtf8(DetailingRuleText(k.broken.front())),
                                           QString::fromUtf8(DetailingRuleItem(k.broken.front())));
            EXPECT_TRUE(label.endsWith(named)) << label.toStdString();
        }
    }
    // Another class is another check: the results go.
    c.CombClasse->setCurrentIndex(1);
    EXPECT_FALSE(c.Verdict().has_value());
}

TEST_F(DetailingWindowTest, TheDetailsOfTheColumnEndWithTheRules)
{
    OpenPlain();
    TFCombinacoes& c = *Window();
    c.CBPilar->setChecked(true);
    c.EdLeX->setText("100");
    c.EdLeY->setText("100");
    EXPECT_EQ(Click(c.BtnVerificar), "");
    EXPECT_FALSE(c.DetailsText(0).contains("Detalhamento")) << "no data, no section";

    c.CBDetalhamento->setChecked(true); // class II
    EXPECT_EQ(Click(c.BtnVerificar), "");
    const QString details = c.DetailsText(0);
    const qsizetype section = details.indexOf("\n\nDetalhamento (NBR 6118:2014)\n");
    ASSERT_GT(section, 0) << details.toStdString();
    EXPECT_GT(section, details.indexOf("Md,tot")) << "after the column's text";
    // The rules as the verdict judged them, not judged again.
    ASSERT_TRUE(c.Verdict()->detailing.has_value());
    EXPECT_EQ(details.mid(section + 2), DetailingText(*c.Verdict()->detailing, Detailing{}));
    // The data: c of class II, φt = max(5, 20/4) = 5 mm, st = min(20, b 20,
    // 12·2,0 = 24) = 20 cm, b = 20 cm, 8 % of 800 = 64 cm², four corner bars
    // and nothing between them to tie.
    for (const char* line :
         {"\nc = 3,00 cm (classe de agressividade II, tabela 7.2)\n", "\nφt = 5 mm (automático)\n",
          "\nst = 20,00 cm (o maior em centímetros inteiros que atende)\n", "\ndmáx = 19,00 mm\n", "\nb = 20,00 cm\n",
          "64,00 cm² (17.3.5.3.2)\n", "\nEstribos suplementares (18.2.4): nenhum\n"})
        EXPECT_TRUE(details.contains(QString::fromUtf8(line))) << line << "\n" << details.toStdString();
    // One line per rule; the cover's with 3,0 against c + φt = 3,5.
    const QStringList lines = details.mid(section).split('\n');
    int rules = 0;
    QString cover;
    for (const QString& line : lines)
        for (const char* item : {"7.4.7.", "18.4.", "17.3.5."})
            if (line.startsWith(QString::fromUtf8(item))) {
                ++rules;
                if (line.startsWith("7.4.7.2 "))
                    cover = line;
            }
    EXPECT_EQ(rules, DetailingRuleCount);
    EXPECT_TRUE(cover.contains("cobrimento das barras")) << cover.toStdString();
    EXPECT_TRUE(cover.contains("3,00 cm")) << cover.toStdString();
    EXPECT_TRUE(cover.contains("≥ 3,50 cm")) << cover.toStdString();
    EXPECT_TRUE(cover.endsWith("não atende")) << cover.toStdString();
}

TEST_F(DetailingWindowTest, TheBlockGoesToTheFileAndComesBack)
{
    OpenPlain(false);
    const std::string plain = LoadProjectBytes(Plain);
    EXPECT_EQ(SaveAs("sem.fxr"), plain) << "unchecked, the file as it always was";
    TFCombinacoes& c = *Window();
    const struct {
        const char* name;
        int classItem;
        const char* cover;
        int stirrupItem;
        const char* dmax;
        const char* st;
        // The block: class (0 typed), c cm, φt mm (0 automático), dmáx mm,
        // st cm (0 the proposed).
        std::string block;
    } cases[] = {
        {"class III, the defaults", 2, "", 0, "19", "",
         Lines({"detalhamento", "3", " 4.00000000000000E+0000", " 0.00000000000000E+0000", " 1.90000000000000E+0001",
                " 0.00000000000000E+0000"})},
        {"everything typed", 4, "3,5", 2, "25", "15",
         Lines({"detalhamento", "0", " 3.50000000000000E+0000", " 6.30000000000000E+0000", " 2.50000000000000E+0001",
                " 1.50000000000000E+0001"})},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        OpenPlain(false);
        c.CBDetalhamento->setChecked(true);
        FillDetailing(c, k);
        const std::string saved = SaveAs("com.fxr");
        EXPECT_EQ(saved, plain + k.block) << "the block after the others, the rest as before";
        // A new case has none, and shows the defaults.
        main->Novo1->trigger();
        EXPECT_FALSE(c.CBDetalhamento->isChecked());
        EXPECT_FALSE(main->CaseDetailing().has_value());
        EXPECT_EQ(c.CombClasse->currentText(), "II");
        EXPECT_EQ(c.EdSt->text(), "");
        // Opened, the group shows the block and saves it again as it was.
        main->Documents->ReadProjectFile(folder.filePath("com.fxr"));
        EXPECT_TRUE(c.CBDetalhamento->isChecked());
        EXPECT_EQ(c.CombClasse->currentIndex(), k.classItem);
        EXPECT_EQ(c.EdCobrimento->isReadOnly(), k.classItem != 4);
        if (k.classItem == 4) {
            EXPECT_EQ(c.EdCobrimento->text(), QString::fromUtf8(k.cover));
        }
        EXPECT_EQ(c.CombEstribo->currentIndex(), k.stirrupItem);
        EXPECT_EQ(c.EdDmax->text(), QString::fromUtf8(k.dmax));
        EXPECT_EQ(c.EdSt->text(), QString::fromUtf8(k.st));
        EXPECT_FALSE(main->History->Modified()) << "as opened";
        EXPECT_EQ(Block(SaveAs("de-novo.fxr")), k.block);
    }
    // Opening a file without the block unchecks the group.
    OpenPlain(false);
    EXPECT_FALSE(c.CBDetalhamento->isChecked());
    EXPECT_EQ(SaveAs("sem-de-novo.fxr"), plain);
}

TEST_F(DetailingWindowTest, AnEditIsAStepUndoneToThePreviousBytes)
{
    OpenPlain(false);
    TFCombinacoes& c = *Window();
    const std::string opened = SaveAs("aberto.fxr");
    EXPECT_FALSE(main->History->Modified());
    const struct {
        const char* name;
        std::function<void()> edit;
        bool changesFile;       // a text that does not convert is no datum of the file
        const char* dmaxBefore; // EdDmax before the step, as its undo shows it again
    } steps[] = {
        {"the box", [&] { c.CBDetalhamento->setChecked(true); }, true, "19"},
        {"the class", [&] { c.CombClasse->setCurrentIndex(3); }, true, "19"},
        {"a bad dmáx", [&] { TypeAndLeave(c.EdDmax, "x"); }, false, "19"},
        {"dmáx", [&] { TypeAndLeave(c.EdDmax, "25"); }, true, "x"},
        {"cobrimento informado", [&] { c.CombClasse->setCurrentIndex(4); }, true, "25"},
        {"a typed cover", [&] { TypeAndLeave(c.EdCobrimento, "4,5"); }, true, "25"},
    };
    std::vector<std::string> before;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(c.EdDmax->text(), QString::fromUtf8(s.dmaxBefore));
        before.push_back(Bytes());
        const int count = main->History->Stack().count();
        s.edit();
        main->History->RecordEdit(); // what the next input event would do
        EXPECT_TRUE(main->History->Modified());
        ASSERT_EQ(main->History->Stack().count(), count + 1) << "one step";
        EXPECT_EQ(main->Desfazer->text(), "Desfazer alteração do detalhamento");
        EXPECT_EQ(Bytes() != before.back(), s.changesFile);
    }
    const std::string last = SaveAs("ultimo.fxr");
    // Each undone step gives the bytes before it, and the group as it was.
    for (std::size_t k = std::size(steps); k-- > 0;) {
        SCOPED_TRACE(steps[k].name);
        main->Desfazer->trigger();
        EXPECT_EQ(c.EdDmax->text(), QString::fromUtf8(steps[k].dmaxBefore));
        EXPECT_EQ(Bytes(), before[k]);
    }
    EXPECT_EQ(before.front(), opened);
    EXPECT_FALSE(c.CBDetalhamento->isChecked());
    EXPECT_EQ(c.CombClasse->currentText(), "II");
    // Done again, all the way: the typed cover back in its field.
    for (std::size_t k = 0; k < std::size(steps); ++k)
        main->Refazer->trigger();
    EXPECT_EQ(SaveAs("refeito.fxr"), last);
    EXPECT_EQ(c.CombClasse->currentIndex(), 4);
    EXPECT_EQ(c.EdCobrimento->text(), "4,5");
    EXPECT_EQ(Block(last), Lines({"detalhamento", "0", " 4.50000000000000E+0000", " 0.00000000000000E+0000",
                                  " 2.50000000000000E+0001", " 0.00000000000000E+0000"}));
}

} // namespace
} // namespace flexara::testing
