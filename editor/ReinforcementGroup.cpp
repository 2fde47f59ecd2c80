#include "editor/ReinforcementGroup.h"

#include "engine/case/BarLayout.h"
#include "engine/case/CaseEditing.h"
#include "resources/JpegImage.h"
#include "uikit/CaptionedComboBox.h"
#include "uikit/FieldEvents.h"
#include "uikit/FieldText.h"
#include "uikit/OneSelectionList.h"

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace flexara {

namespace {

constexpr int DiameterCount = static_cast<int>(BarDiameters.size());

constexpr const char* PositioningHint = "Convenção do posicionamento das barras";

void ShowText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

QString LineCaption(int k)
{
    return QStringLiteral("Linha %1").arg(k);
}

int ClampCount(std::int32_t count, int high)
{
    return count < 0 ? 0 : (count > high ? high : count);
}

// A coordinate as the field holds it; 0 when its text does not convert.
double CoordinateOf(const QLineEdit* field, bool& valid)
{
    double value = 0.0;
    valid = ParseField(field->text(), value);
    return valid ? value : 0.0;
}

// The bar count as the field holds it: not an integer gives 0, a negative
// count 0 and a count beyond the capacity of a line the capacity; each of
// these is refused on leaving the field.
std::int32_t BarCountOf(const QLineEdit* field, bool& valid)
{
    std::int32_t count = 0;
    valid = ParseFieldInteger(field->text(), count);
    return valid ? StoredBarCount(count, valid) : 0;
}

} // namespace

TGBArmadura::TGBArmadura(EditorContext& context, QWidget* parent) : QGroupBox(parent), context(context)
{
    setObjectName("GBArmadura");
    setTitle("Armadura");
    setGeometry(14, 314, 452, 155);

    auto label = [this](const char* text, int left, int top, int width) {
        auto* l = new QLabel(text, this);
        l->setGeometry(left, top, width, 16);
        return l;
    };
    auto edit = [this](const char* name, const QString& accessibleName, const char* hint, QRect geometry) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setGeometry(geometry);
        e->setToolTip(hint);
        e->setAccessibleName(accessibleName);
        e->setAccessibleDescription(hint);
        return e;
    };

    QLabel* lblNb = label("Número de barras na linha:", 13, 20, 170);
    lblNb->setObjectName("LblNb");
    EdNb = edit("EdNb", "Número de barras na linha", "Número de barras em cada linha", QRect(187, 16, 73, 21));
    lblNb->setBuddy(EdNb);

    QLabel* lblDiametro = label("Diâmetro das barras (mm):", 13, 47, 170);
    lblDiametro->setObjectName("LblDiametro");
    CombDiametro = new CaptionedComboBox(this);
    lblDiametro->setBuddy(CombDiametro);
    CombDiametro->setObjectName("CombDiametro");
    CombDiametro->setGeometry(188, 43, 72, 21);
    for (const double mm : BarDiameters)
        CombDiametro->addItem(FormatField(mm));
    CombDiametro->setToolTip("Diâmetro das barras na linha");
    CombDiametro->setAccessibleName("Diâmetro das barras (mm)");
    CombDiametro->setAccessibleDescription(CombDiametro->toolTip());

    // "X   (cm):" with a small subscript set into the gap after the letter.
    auto coordinateLabel = [this](const char* name, const char* text, const char* subscript, int left, int top) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setGeometry(left, top, 50, 16);
        auto* sub = new QLabel(subscript, l);
        QFont small = l->font();
        small.setPixelSize(8);
        sub->setFont(small);
        const QFontMetrics metrics(l->font());
        sub->setGeometry(metrics.horizontalAdvance(QLatin1Char(text[0])) + 1, metrics.ascent() - 4, 8, 10);
        return l;
    };
    EdX1 = edit("EdX1", "Xi (cm)", "Abscissa da primeira barra da linha", QRect(65, 73, 57, 21));
    EdX2 = edit("EdX2", "Xf (cm)", "Abscissa da última barra da linha", QRect(187, 74, 73, 21));
    EdY1 = edit("EdY1", "Yi (cm)", "Ordenada da primeira barra da linha", QRect(63, 102, 59, 21));
    EdY2 = edit("EdY2", "Yf (cm)", "Ordenada da última barra da linha", QRect(188, 101, 72, 21));
    coordinateLabel("LblX1", "X   (cm):", "i", 13, 76)->setBuddy(EdX1);
    coordinateLabel("LblX2", "X   (cm):", "f", 135, 77)->setBuddy(EdX2);
    coordinateLabel("LblY1", "Y   (cm):", "i", 13, 105)->setBuddy(EdY1);
    coordinateLabel("LblY2", "Y  (cm):", "f", 135, 104)->setBuddy(EdY2);
    // The labels read as the fields' names, subscript included.
    for (QLineEdit* field : {EdX1, EdX2, EdY1, EdY2})
        findChild<QLabel*>(QStringLiteral("Lbl") + field->objectName().mid(2))
            ->setAccessibleName(field->accessibleName());

    auto radio = [this](const char* name, const char* caption, const char* hint, QRect geometry) {
        auto* r = new QRadioButton(caption, this);
        r->setObjectName(name);
        r->setGeometry(geometry);
        r->setToolTip(hint);
        r->setAccessibleName(caption);
        r->setAccessibleDescription(hint);
        return r;
    };
    RadHor = radio("RadHor", "Horizontal", "Barras dispostas horizontalmente", QRect(13, 135, 86, 17));
    RadVer = radio("RadVer", "Vertical", "Barras dispostas verticalmente", QRect(103, 134, 75, 17));
    RadQual = radio("RadQual", "Qualquer", "Barras dispostas em direção qualquer", QRect(182, 134, 80, 17));

    LBLinhas = new OneSelectionList(this);
    LBLinhas->setObjectName("LBLinhas");
    LBLinhas->setGeometry(267, 15, 70, 72);
    LBLinhas->setToolTip("Lista de linhas de barras na seção transversal");
    LBLinhas->setAccessibleName("Linhas de barras");
    LBLinhas->setAccessibleDescription(LBLinhas->toolTip());

    auto button = [this](const char* name, const char* caption, const char* hint, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(267, top, 70, 25);
        b->setToolTip(hint);
        b->setAccessibleName(caption);
        b->setAccessibleDescription(hint);
        return b;
    };
    BtnAdicionar = button("BtnAdicionar", "Adicionar", "Adiciona uma linha de barras", 94);
    BtnExcluir = button("BtnExcluir", "Excluir", "Exclui a linha de barras selecionada", 125);
    BtnExcluir->setEnabled(false);

    Image2 = new QLabel(this);
    Image2->setObjectName("Image2");
    Image2->setGeometry(339, 12, 107, 140);
    Image2->setPixmap(QPixmap::fromImage(LoadJpegResource(":/pictures/barras.jpg")));
    Image2->setToolTip(PositioningHint);
    Image2->setAccessibleName(PositioningHint);

    QWidget* previous = EdNb;
    for (QWidget* next :
         {static_cast<QWidget*>(CombDiametro), static_cast<QWidget*>(EdX1), static_cast<QWidget*>(EdX2),
          static_cast<QWidget*>(EdY1), static_cast<QWidget*>(EdY2), static_cast<QWidget*>(RadHor),
          static_cast<QWidget*>(RadVer), static_cast<QWidget*>(RadQual), static_cast<QWidget*>(LBLinhas),
          static_cast<QWidget*>(BtnAdicionar), static_cast<QWidget*>(BtnExcluir)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    // The horizontal tie until the window installs its case.
    RadHor->setChecked(true);
    EdY2->setEnabled(false);

    connect(EdNb, &QLineEdit::textChanged, this, [this] { EdNbChange(); });
    OnExit(EdNb, [this] { EdNbExit(); });
    connect(CombDiametro, &QComboBox::activated, this, [this] { CombDiametroChange(); });
    OnExit(CombDiametro, [this] { CombDiametroExit(); });
    connect(EdX1, &QLineEdit::textChanged, this, [this] { EdX1Change(); });
    OnExit(EdX1, [this] { EdX1Exit(); });
    connect(EdX2, &QLineEdit::textChanged, this, [this] { EdX2Change(); });
    OnExit(EdX2, [this] { EdX2Exit(); });
    connect(EdY1, &QLineEdit::textChanged, this, [this] { EdY1Change(); });
    OnExit(EdY1, [this] { EdY1Exit(); });
    connect(EdY2, &QLineEdit::textChanged, this, [this] { EdY2Change(); });
    OnExit(EdY2, [this] { EdY2Exit(); });
    // An orientation button acts when it becomes checked, by the user or the program.
    connect(RadHor, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadHorClick();
    });
    connect(RadVer, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadVerClick();
    });
    connect(RadQual, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadQualClick();
    });
    connect(LBLinhas, &QListWidget::currentRowChanged, this, [this] { LBLinhasClick(); });
    connect(BtnAdicionar, &QPushButton::clicked, this, [this] { BtnAdicionarClick(); });
    connect(BtnExcluir, &QPushButton::clicked, this, [this] { BtnExcluirClick(); });
}

int TGBArmadura::SelectedLine() const
{
    const int row = LBLinhas->currentRow();
    const int count = ClampCount(context.State().LineCount, MaxLines);
    return row >= 0 && row < count ? row : -1;
}

BarLine* TGBArmadura::Selected()
{
    const int row = SelectedLine();
    return row < 0 ? nullptr : &context.State().BarLines[static_cast<std::size_t>(row)];
}

void TGBArmadura::SelectListRow(int row)
{
    const QSignalBlocker quiet(LBLinhas);
    LBLinhas->setCurrentRow(row);
}

void TGBArmadura::UpdateLineButtons()
{
    const std::int32_t count = context.State().LineCount;
    BtnExcluir->setEnabled(count >= 2);
    BtnAdicionar->setEnabled(count < MaxLines);
}

// ---- Bar count and diameter ----

void TGBArmadura::EdNbChange()
{
    BarLine* line = Selected();
    if (!line)
        return;
    context.ClearInputMark();
    bool valid = false;
    line->BarCount = BarCountOf(EdNb, valid);
    context.TaxaArmadura();
    context.RepaintSection();
}

void TGBArmadura::EdNbExit()
{
    BarLine* line = Selected();
    if (!line)
        return;
    context.ClearInputMark();
    bool valid = false;
    line->BarCount = BarCountOf(EdNb, valid);
    if (!valid)
        context.MarkInputInvalid(EdNb);
    context.RepaintSection();
}

void TGBArmadura::CombDiametroChange()
{
    BarLine* line = Selected();
    if (!line)
        return;
    const int item = CombDiametro->currentIndex();
    if (item >= 0 && item < DiameterCount)
        line->Diameter = BarDiameters[static_cast<std::size_t>(item)];
    context.TaxaArmadura();
}

void TGBArmadura::ChooseDiameterInEveryLine(double diameter)
{
    const int item = DiameterItemOf(diameter);
    if (item < 0 || item >= DiameterCount)
        return;
    const int selected = SelectedLine();
    const int count = ClampCount(context.State().LineCount, MaxLines);
    for (int k = 0; k < count; ++k) {
        if (BarsInLine(context.State().BarLines[static_cast<std::size_t>(k)]) == 0)
            continue;
        LBLinhas->setCurrentRow(k); // LBLinhasClick: the fields show line k
        CombDiametro->setCurrentIndex(item);
        CombDiametroChange();
    }
    if (selected >= 0) {
        LBLinhas->setCurrentRow(selected);
        LBLinhasClick();
    }
}

void TGBArmadura::PutLines(const AnalysisState& source)
{
    for (BarLine& line : context.State().BarLines)
        line = BarLine{};
    const int count = ClampCount(source.LineCount, MaxLines);
    BeginLinesFromFile(count);
    for (int k = 0; k < count; ++k) {
        const BarLine& line = source.BarLines[static_cast<std::size_t>(k)];
        BeginLineFromFile(k + 1);
        SetBarCountFromFile(line.BarCount);
        SetDiameterFromFile(line.Diameter);
        SetY1FromFile(line.Y1);
        SetY2FromFile(line.Y2);
        SetX1FromFile(line.X1);
        SetX2FromFile(line.X2);
        SetOrientationFromFile(line.Orientation);
    }
    if (count > 0) {
        SelectListRow(0);
        ShowLine(0);
    }
    UpdateLineButtons();
    context.TaxaArmadura();
    context.RepaintSection();
}

void TGBArmadura::CombDiametroExit()
{
    CombDiametroChange();
}

// ---- End points and their ties ----

// The first end of a line: a tied line carries its second end along, and while
// typing the second field shows the same text.
void TGBArmadura::StoreFirstEnd(Axis axis, bool leaving)
{
    BarLine* line = Selected();
    if (!line)
        return;
    QLineEdit* field = axis == Axis::X ? EdX1 : EdY1;
    context.ClearInputMark();
    bool valid = false;
    const double value = CoordinateOf(field, valid);
    if (leaving && !valid)
        context.MarkInputInvalid(field);
    if (!leaving && SecondEndTied(line->Orientation, axis))
        ShowText(axis == Axis::X ? EdX2 : EdY2, field->text());
    flexara::StoreFirstEnd(*line, axis, value);
    context.RepaintSection();
}

// A closed end field follows its first field and never stores its own text.
void TGBArmadura::StoreSecondEnd(Axis axis, bool leaving)
{
    BarLine* line = Selected();
    QLineEdit* field = axis == Axis::X ? EdX2 : EdY2;
    if (!line || !field->isEnabledTo(this))
        return;
    context.ClearInputMark();
    bool valid = false;
    const double value = CoordinateOf(field, valid);
    flexara::StoreSecondEnd(*line, axis, value, true);
    if (leaving && !valid)
        context.MarkInputInvalid(field);
    context.RepaintSection();
}

void TGBArmadura::EdX1Change()
{
    StoreFirstEnd(Axis::X, false);
}
void TGBArmadura::EdX1Exit()
{
    StoreFirstEnd(Axis::X, true);
}
void TGBArmadura::EdY1Change()
{
    StoreFirstEnd(Axis::Y, false);
}
void TGBArmadura::EdY1Exit()
{
    StoreFirstEnd(Axis::Y, true);
}
void TGBArmadura::EdX2Change()
{
    StoreSecondEnd(Axis::X, false);
}
void TGBArmadura::EdX2Exit()
{
    StoreSecondEnd(Axis::X, true);
}
void TGBArmadura::EdY2Change()
{
    StoreSecondEnd(Axis::Y, false);
}
void TGBArmadura::EdY2Exit()
{
    StoreSecondEnd(Axis::Y, true);
}

// ---- Orientation ----
// The fields keep the tie of the checked button even while no line is
// selected (a file without lines); only the stored code needs a line.

void TGBArmadura::ApplyOrientation(std::uint8_t code)
{
    if (BarLine* line = Selected())
        line->Orientation = code;
    const EndFields open = OpenEndFields(code);
    EdX1->setEnabled(true);
    EdY1->setEnabled(true);
    if (open.x2)
        EdX2->setEnabled(true);
    if (open.y2)
        EdY2->setEnabled(true);
    // A tied end shows its first end's text, stored through its change
    // handler while the field is still open, and then closes.
    if (!open.x2) {
        ShowText(EdX2, EdX1->text());
        EdX2->setEnabled(false);
    }
    if (!open.y2) {
        ShowText(EdY2, EdY1->text());
        EdY2->setEnabled(false);
    }
    context.RepaintSection();
}

void TGBArmadura::RadHorClick()
{
    ApplyOrientation(OrientationHorizontal);
}

void TGBArmadura::RadVerClick()
{
    ApplyOrientation(OrientationVertical);
}

void TGBArmadura::RadQualClick()
{
    ApplyOrientation(OrientationAny);
}

void TGBArmadura::CheckOrientation(std::uint8_t code)
{
    QRadioButton* button = code == OrientationHorizontal ? RadHor : (code == OrientationVertical ? RadVer : RadQual);
    button->setChecked(true); // its handler runs when it was not checked
}

// ---- The list of lines ----

void TGBArmadura::ShowLine(int row)
{
    // Every text set here runs its change handler on this same line, which
    // stores back what is shown.
    const BarLine& line = context.State().BarLines[static_cast<std::size_t>(row)];
    ShowText(EdNb, QString::number(line.BarCount));
    ShowText(EdX1, FormatField(line.X1));
    ShowText(EdX2, FormatField(line.X2));
    ShowText(EdY1, FormatField(line.Y1));
    ShowText(EdY2, FormatField(line.Y2));
    {
        const QSignalBlocker quiet(CombDiametro);
        CombDiametro->setCurrentIndex(DiameterItemOf(line.Diameter));
    }
    CheckOrientation(line.Orientation);
    context.RepaintSection();
}

void TGBArmadura::LBLinhasClick()
{
    const int row = SelectedLine();
    if (row >= 0)
        ShowLine(row);
}

void TGBArmadura::BtnAdicionarClick()
{
    // A copy of the fields as they stand; a text that does not convert gives
    // the value its own field stores for it.
    BarLine fields;
    bool valid = false;
    fields.BarCount = BarCountOf(EdNb, valid);
    fields.X1 = CoordinateOf(EdX1, valid);
    fields.X2 = CoordinateOf(EdX2, valid);
    fields.Y1 = CoordinateOf(EdY1, valid);
    fields.Y2 = CoordinateOf(EdY2, valid);
    const int item = CombDiametro->currentIndex();
    fields.Diameter = item >= 0 && item < DiameterCount ? BarDiameters[static_cast<std::size_t>(item)] : 0.0;
    fields.Orientation = RadHor->isChecked()   ? OrientationHorizontal
                         : RadVer->isChecked() ? OrientationVertical
                                               : OrientationAny;
    const int added = AddLine(context.State(), fields);
    if (added < 0)
        return;
    LBLinhas->addItem(LineCaption(added + 1));
    SelectListRow(LBLinhas->count() - 1);
    UpdateLineButtons();
    context.TaxaArmadura();
    context.RepaintSection();
}

void TGBArmadura::BtnExcluirClick()
{
    if (!RemoveLine(context.State(), SelectedLine()))
        return;
    {
        const QSignalBlocker quiet(LBLinhas);
        delete LBLinhas->takeItem(LBLinhas->count() - 1);
    }
    SelectListRow(0);
    ShowLine(0);
    UpdateLineButtons();
    context.TaxaArmadura();
    context.RepaintSection();
}

// ---- The new case ----

void TGBArmadura::InstallDefaultCase()
{
    AnalysisState& s = context.State();
    // Nothing of an earlier case lingers in the slots a later "Adicionar" takes.
    for (BarLine& line : s.BarLines)
        line = BarLine{};
    s.LineCount = 1;
    {
        const QSignalBlocker quiet(LBLinhas);
        LBLinhas->clear();
        LBLinhas->addItem(LineCaption(1));
        LBLinhas->setCurrentRow(0);
    }
    for (QLineEdit* field : {EdNb, EdX1, EdX2, EdY1, EdY2})
        ShowText(field, "0");
    RadHor->setChecked(true);
    s.BarLines[0].Orientation = OrientationHorizontal;
    {
        const QSignalBlocker quiet(CombDiametro);
        CombDiametro->setCurrentIndex(DefaultDiameterItem);
    }
    CombDiametroChange();
    UpdateLineButtons();
    EdNbExit();
    context.RepaintSection();
}

// ---- Reading a project file ----

void TGBArmadura::BeginLinesFromFile(std::int32_t lineCount)
{
    {
        const QSignalBlocker quiet(LBLinhas);
        LBLinhas->clear();
    }
    context.State().LineCount = ClampCount(lineCount, MaxLines);
}

void TGBArmadura::BeginLineFromFile(std::int32_t k)
{
    if (k < 1 || k > ClampCount(context.State().LineCount, MaxLines))
        return;
    LBLinhas->addItem(LineCaption(k));
    SelectListRow(LBLinhas->count() - 1);
    UpdateLineButtons();
}

void TGBArmadura::SetBarCountFromFile(std::int32_t value)
{
    if (BarLine* line = Selected()) {
        line->BarCount = ClampCount(value, MaxBarsPerLine);
        ShowText(EdNb, QString::number(line->BarCount));
    }
}

void TGBArmadura::SetDiameterFromFile(double value)
{
    if (BarLine* line = Selected()) {
        // Shown without storing: a diameter outside the table stays as read.
        line->Diameter = value;
        const QSignalBlocker quiet(CombDiametro);
        CombDiametro->setCurrentIndex(DiameterItemOf(value));
    }
}

// A coordinate read from a file: stored as read, then shown, so that the
// field's change handler stores it again (and applies the line's tie) only when
// the text changes.
void TGBArmadura::CoordinateFromFile(QLineEdit* field, double BarLine::*value, double read)
{
    if (BarLine* line = Selected()) {
        line->*value = read;
        ShowText(field, FormatField(read));
    }
}

void TGBArmadura::SetY1FromFile(double value)
{
    CoordinateFromFile(EdY1, &BarLine::Y1, value);
}
void TGBArmadura::SetY2FromFile(double value)
{
    CoordinateFromFile(EdY2, &BarLine::Y2, value);
}
void TGBArmadura::SetX1FromFile(double value)
{
    CoordinateFromFile(EdX1, &BarLine::X1, value);
}
void TGBArmadura::SetX2FromFile(double value)
{
    CoordinateFromFile(EdX2, &BarLine::X2, value);
}

void TGBArmadura::SetOrientationFromFile(std::uint8_t code)
{
    if (BarLine* line = Selected()) {
        line->Orientation = code;
        CheckOrientation(code);
    }
}

} // namespace flexara
