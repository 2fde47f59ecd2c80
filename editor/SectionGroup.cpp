#include "editor/SectionGroup.h"

#include "engine/case/CaseEditing.h"
#include "engine/case/Shapes.h"
#include "resources/JpegImage.h"
#include "uikit/FieldEvents.h"
#include "uikit/FieldText.h"
#include "uikit/OneSelectionList.h"

#include <QButtonGroup>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

namespace flexara {

namespace {

constexpr int FamilyCount = 8;

// By ShapeKind (ToolButton1 .. ToolButton8 are the kinds 0 .. 7).
constexpr const char* ButtonHints[FamilyCount] = {"seção retangular", "seção trapezoidal", "seção T",        "seção L",
                                                  "seção U",          "seção caixão",      "seção qualquer", "seção H"};
constexpr const char* PictureNames[FamilyCount] = {"retang", "trap", "te", "ele", "u", "caix", "qual", "aga"};
// The tool buttons from the left of ToolBar1, as ToolButton numbers less one.
constexpr int ToolBarOrder[FamilyCount] = {0, 1, 5, 7, 4, 2, 3, 6};

constexpr const char* FigureHint = "Indicação dos parâmetros de entrada";
constexpr const char* FreePolygonHint = "Coordenadas inseridas no sentido anti-horário";

// A text set by the program runs the change handler only when it differs.
void ShowText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

QString PointCaption(int i)
{
    return QStringLiteral("Ponto %1").arg(i);
}

int ClampCount(std::int32_t count, int high)
{
    return count < 0 ? 0 : (count > high ? high : count);
}

} // namespace

TGBSecao::TGBSecao(EditorContext& context, QWidget* parent) : QGroupBox(parent), context(context)
{
    setObjectName("GBSecao");
    setTitle("Seção Transversal");
    setGeometry(166, 5, 301, 304);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setGeometry(31, 17, 238, 29);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    // Eight buttons of 29 px side by side fill the bar: no handle, gaps or frame.
    ToolBar1->setStyleSheet("QToolBar { spacing: 0px; padding: 0px; border: 0px; }");
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int kind = 0; kind < FamilyCount; ++kind) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(kind + 1));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(29, 25);
        button->setIcon(QIcon(QStringLiteral(":/pictures/tool-%1.png").arg(PictureNames[kind])));
        button->setToolTip(ButtonHints[kind]);
        button->setAccessibleName(ButtonHints[kind]);
        button->setAccessibleDescription(ButtonHints[kind]);
        group->addButton(button, kind);
        ToolButtons[static_cast<std::size_t>(kind)] = button;
    }
    for (int place : ToolBarOrder)
        ToolBar1->addWidget(ToolButtons[static_cast<std::size_t>(place)]);
    // The button that shows the shapes a narrow bar has no room for.
    if (auto* more = ToolBar1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(QStringLiteral("Mais formas de seção"));
        more->setToolTip(more->accessibleName());
    }
    connect(ToolButtons[0], &QToolButton::clicked, this, [this] { ToolButton1Click(); });
    connect(ToolButtons[1], &QToolButton::clicked, this, [this] { ToolButton2Click(); });
    connect(ToolButtons[2], &QToolButton::clicked, this, [this] { ToolButton3Click(); });
    connect(ToolButtons[3], &QToolButton::clicked, this, [this] { ToolButton4Click(); });
    connect(ToolButtons[4], &QToolButton::clicked, this, [this] { ToolButton5Click(); });
    connect(ToolButtons[5], &QToolButton::clicked, this, [this] { ToolButton6Click(); });
    connect(ToolButtons[6], &QToolButton::clicked, this, [this] { ToolButton7Click(); });
    connect(ToolButtons[7], &QToolButton::clicked, this, [this] { ToolButton8Click(); });

    static constexpr const char* FigureNames[FamilyCount] = {"FigRetang", "FigTrap", "FigTe", "FigEle",
                                                             "FigU",      "FigCai",  "FigQq", "FigAga"};
    for (int kind = 0; kind < FamilyCount; ++kind) {
        auto* figure = new QLabel(this);
        figure->setObjectName(FigureNames[kind]);
        figure->setGeometry(79, 41, 151, 170);
        figure->setPixmap(
            QPixmap::fromImage(LoadJpegResource(QStringLiteral(":/pictures/fig-%1.jpg").arg(PictureNames[kind]))));
        if (kind == ShapeFreePolygon)
            figure->setToolTip(FreePolygonHint);
        else if (kind != ShapeH)
            figure->setToolTip(FigureHint);
        figure->setAccessibleName(ButtonHints[kind]);
        figure->hide();
        Figures[static_cast<std::size_t>(kind)] = figure;
    }

    for (int i = 0; i < ShapeDimCount; ++i) {
        const int column = i < 3 ? 0 : 1;
        const int row = i % 3;
        static constexpr int FieldRows[3] = {223, 247, 270};
        static constexpr int LabelRows[3] = {224, 248, 273};
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Lbl%1").arg(i + 1));
        label->setGeometry(column == 0 ? 22 : 157, LabelRows[row], column == 0 ? 46 : 42, 16);
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("Ed%1").arg(i + 1));
        field->setGeometry(column == 0 ? 68 : 199, FieldRows[row], 50, 21);
        label->setBuddy(field);
        connect(field, &QLineEdit::textChanged, this, [this, i] { EdChange(i); });
        OnExit(field, [this, i] { EdExit(i); });
        Lbls[static_cast<std::size_t>(i)] = label;
        Eds[static_cast<std::size_t>(i)] = field;
    }

    LBPontos = new OneSelectionList(this);
    LBPontos->setObjectName("LBPontos");
    LBPontos->setGeometry(131, 223, 70, 47);
    LBPontos->setAccessibleName("Pontos da seção");
    LBPontos->setAccessibleDescription(FreePolygonHint);
    connect(LBPontos, &QListWidget::currentRowChanged, this, [this] { LBPontosClick(); });

    BtnAdPontos = new QPushButton("Adicionar", this);
    BtnAdPontos->setObjectName("BtnAdPontos");
    BtnAdPontos->setGeometry(211, 221, 70, 25);
    BtnAdPontos->setToolTip("Adiciona um vértice à seção");
    BtnAdPontos->setAccessibleName("Adicionar");
    BtnAdPontos->setAccessibleDescription(BtnAdPontos->toolTip());
    connect(BtnAdPontos, &QPushButton::clicked, this, [this] { BtnAdPontosClick(); });

    BtnExcPontos = new QPushButton("Excluir", this);
    BtnExcPontos->setObjectName("BtnExcPontos");
    BtnExcPontos->setGeometry(211, 247, 70, 25);
    BtnExcPontos->setToolTip("Exclui o vértice selecionado");
    BtnExcPontos->setAccessibleName("Excluir");
    BtnExcPontos->setAccessibleDescription(BtnExcPontos->toolTip());
    BtnExcPontos->setEnabled(false);
    connect(BtnExcPontos, &QPushButton::clicked, this, [this] { BtnExcPontosClick(); });

    QWidget* previous = ToolBar1;
    for (QWidget* next :
         {static_cast<QWidget*>(Eds[0]), static_cast<QWidget*>(Eds[1]), static_cast<QWidget*>(Eds[2]),
          static_cast<QWidget*>(Eds[3]), static_cast<QWidget*>(Eds[4]), static_cast<QWidget*>(Eds[5]),
          static_cast<QWidget*>(LBPontos), static_cast<QWidget*>(BtnAdPontos), static_cast<QWidget*>(BtnExcPontos)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    // The look of the rectangle until the window installs its case.
    ShowLayout(ShapeRectangle);
    ToolButtons[ShapeRectangle]->setChecked(true);
}

// ---- What a family shows ----

void TGBSecao::ShowLayout(std::uint8_t kind)
{
    const std::uint8_t shown = kind < FamilyCount ? kind : static_cast<std::uint8_t>(ShapeRectangle);
    for (int k = 0; k < FamilyCount; ++k)
        Figures[static_cast<std::size_t>(k)]->setVisible(k == shown);
    const ShapeFamily& family = ShapeFamilyOf(shown);
    for (int i = 0; i < ShapeDimCount; ++i) {
        const bool visible = family.Shows(i);
        Eds[static_cast<std::size_t>(i)]->setVisible(visible);
        Lbls[static_cast<std::size_t>(i)]->setVisible(visible);
        if (const char* name = family.dimNames[static_cast<std::size_t>(i)]) {
            const QString caption = QString::fromUtf8(name) + QStringLiteral(" (cm)");
            Lbls[static_cast<std::size_t>(i)]->setText(caption + QLatin1Char(':'));
            Eds[static_cast<std::size_t>(i)]->setAccessibleName(caption);
        }
    }
    const bool free = shown == ShapeFreePolygon;
    LBPontos->setVisible(free);
    BtnAdPontos->setVisible(free);
    BtnExcPontos->setVisible(free);
}

void TGBSecao::UpdatePointButtons()
{
    const std::int32_t count = context.State().Section.VertexCount;
    BtnExcPontos->setEnabled(count >= 2);
    // The vertex store holds MaxVertices: a full polygon takes no more.
    BtnAdPontos->setEnabled(count < MaxVertices);
}

void TGBSecao::SelectPoint(int row)
{
    const QSignalBlocker quiet(LBPontos);
    LBPontos->setCurrentRow(row);
}

int TGBSecao::SelectedVertex() const
{
    const int row = LBPontos->currentRow();
    return row >= 0 && row < MaxVertices ? row : -1;
}

// ---- Families ----

void TGBSecao::SelectFamily(std::uint8_t kind)
{
    flexara::SelectFamily(context.State(), kind);
    ShowLayout(kind);
    ToolButtons[kind]->setChecked(true);
    const ShapeFamily& family = ShapeFamilyOf(kind);
    for (int i = 0; i < ShapeDimCount; ++i)
        if (family.Shows(i))
            ShowText(Eds[static_cast<std::size_t>(i)], "0");
    context.TaxaArmadura();
    context.RepaintSection();
}

void TGBSecao::ToolButton1Click()
{
    SelectFamily(ShapeRectangle);
}
void TGBSecao::ToolButton2Click()
{
    SelectFamily(ShapeTrapezoid);
}
void TGBSecao::ToolButton3Click()
{
    SelectFamily(ShapeT);
}
void TGBSecao::ToolButton4Click()
{
    SelectFamily(ShapeL);
}
void TGBSecao::ToolButton5Click()
{
    SelectFamily(ShapeU);
}
void TGBSecao::ToolButton6Click()
{
    SelectFamily(ShapeBox);
}
void TGBSecao::ToolButton8Click()
{
    SelectFamily(ShapeH);
}

void TGBSecao::ToolButton7Click()
{
    // A new polygon starts from one vertex at the origin.
    StartFreePolygon(context.State());
    ShowLayout(ShapeFreePolygon);
    ToolButtons[ShapeFreePolygon]->setChecked(true);
    {
        const QSignalBlocker quiet(LBPontos);
        LBPontos->clear();
    }
    ShowText(Eds[0], "0");
    ShowText(Eds[1], "0");
    LBPontos->addItem(PointCaption(1));
    SelectPoint(0);
    UpdatePointButtons();
    context.TaxaArmadura();
    context.RepaintSection();
}

// ---- Dimension fields ----

void TGBSecao::EdChange(int index)
{
    if (index < 0 || index >= ShapeDimCount)
        return;
    context.ClearInputMark();
    StoreDimension(index);
    context.RepaintSection();
    context.TaxaArmadura();
}

bool TGBSecao::StoreDimension(int index)
{
    AnalysisState& s = context.State();
    double value = 0.0;
    bool valid = ParseField(Eds[static_cast<std::size_t>(index)]->text(), value);
    if (!valid)
        value = 0.0;
    value = StoredDimension(s.Section.ShapeKind, value, valid);
    flexara::StoreDimension(s, index, value, SelectedVertex());
    return valid;
}

void TGBSecao::EdExit(int index)
{
    if (index < 0 || index >= ShapeDimCount)
        return;
    context.ClearInputMark();
    if (!StoreDimension(index))
        context.MarkInputInvalid(Eds[static_cast<std::size_t>(index)]);
    context.RepaintSection();
}

// ---- The free polygon's vertices ----

void TGBSecao::BtnAdPontosClick()
{
    const int added = AddVertex(context.State());
    if (added < 0)
        return;
    LBPontos->addItem(PointCaption(added + 1));
    SelectPoint(LBPontos->count() - 1);
    UpdatePointButtons();
    // The new vertex takes X and Y as the fields show them, read as on leaving
    // them; the first field that does not convert keeps the mark and the focus.
    context.ClearInputMark();
    const bool xValid = StoreDimension(0);
    const bool yValid = StoreDimension(1);
    if (!xValid)
        context.MarkInputInvalid(Eds[0]);
    else if (!yValid)
        context.MarkInputInvalid(Eds[1]);
    context.RepaintSection();
    context.TaxaArmadura();
}

void TGBSecao::BtnExcPontosClick()
{
    AnalysisState& s = context.State();
    if (!RemoveVertex(s, SelectedVertex()))
        return;
    const auto& vertices = s.Section.Vertices;
    {
        const QSignalBlocker quiet(LBPontos);
        delete LBPontos->takeItem(LBPontos->count() - 1);
    }
    SelectPoint(0);
    ShowText(Eds[0], FormatField(vertices[0].x));
    ShowText(Eds[1], FormatField(vertices[0].y));
    UpdatePointButtons();
    context.TaxaArmadura();
    context.RepaintSection();
}

void TGBSecao::LBPontosClick()
{
    const AnalysisState& s = context.State();
    const int vertex = SelectedVertex();
    if (vertex < 0 || vertex >= ClampCount(s.Section.VertexCount, MaxVertices))
        return;
    const Point point = s.Section.Vertices[static_cast<std::size_t>(vertex)];
    ShowText(Eds[0], FormatField(point.x));
    ShowText(Eds[1], FormatField(point.y));
}

// ---- The new case ----

void TGBSecao::InstallDefaultCase()
{
    ToolButton1Click();
    ShowText(Eds[0], "0");
    EdExit(0);
    ShowText(Eds[1], "0");
    EdExit(1);
    for (int i = 2; i < ShapeDimCount; ++i)
        ShowText(Eds[static_cast<std::size_t>(i)], "0");
    {
        const QSignalBlocker quiet(LBPontos);
        LBPontos->clear();
        LBPontos->addItem(PointCaption(1));
        LBPontos->setCurrentRow(0);
    }
    BtnExcPontos->setEnabled(false);
    BtnAdPontos->setEnabled(true);
}

// ---- Reading a project file ----

void TGBSecao::SelectFamilyFromFile(std::uint8_t shapeKind)
{
    if (shapeKind == ShapeFreePolygon || shapeKind >= FamilyCount)
        return;
    SelectFamily(shapeKind);
}

void TGBSecao::SetShapeDimFromFile(int index, double value)
{
    if (index < 0 || index >= ShapeDimCount)
        return;
    context.State().ShapeDims[static_cast<std::size_t>(index)] = value;
    ShowText(Eds[static_cast<std::size_t>(index)], FormatField(value));
}

void TGBSecao::BeginFreePolygonFromFile(std::int32_t vertexCount)
{
    AnalysisState& s = context.State();
    s.Section.ShapeKind = ShapeFreePolygon;
    s.Section.VertexCount = ClampCount(vertexCount, MaxVertices);
    // A file that stops among its vertices still leaves a full polygon closed to more.
    BtnAdPontos->setEnabled(s.Section.VertexCount < MaxVertices);
    ToolButtons[ShapeFreePolygon]->setChecked(true);
    ShowLayout(ShapeFreePolygon);
    {
        const QSignalBlocker quiet(LBPontos);
        LBPontos->clear();
    }
    ShowText(Eds[0], "0");
    ShowText(Eds[1], "0");
}

void TGBSecao::SetVertexFromFile(std::int32_t i, double x, double y)
{
    if (i < 1 || i > MaxVertices)
        return;
    context.State().Section.Vertices[static_cast<std::size_t>(i - 1)] = Point{x, y};
    LBPontos->addItem(PointCaption(i));
    SelectPoint(LBPontos->count() - 1);
    BtnExcPontos->setEnabled(true);
    ShowText(Eds[0], FormatField(x));
    ShowText(Eds[1], FormatField(y));
}

void TGBSecao::EndFreePolygonFromFile(std::int32_t)
{
    UpdatePointButtons();
}

void TGBSecao::KeepDefaultSectionFromFile()
{
    // The rectangle of the new case keeps its own four vertices; the ratio
    // follows the bars read, as a section read after them would refresh it.
    context.State().Section.VertexCount = ShapeFamilyOf(ShapeRectangle).vertexCount;
    context.TaxaArmadura();
}

} // namespace flexara
