// FDiagramas: the window "Diagramas". The surface of the case (its curves at
// 41 levels of Nd between N4 and N1, closed by the two uniform states) and the
// check of the load combinations of FCombinacoes are computed together when
// the window is opened; the window then shows two views of them:
//   "N–M": the N–M diagram along the moment direction of the combination
//          chosen in CombCombinacao, every combination at (|Md| with the sign
//          of its side, Nd), the chosen one ringed; Qt Charts with zoom;
//   "Superfície N–Mx–My": the wireframe of the surface with the
//          combinations, turned by dragging with the mouse;
//   "M–N–1/r": for a combination checked as a column in compression, the
//          M–N–1/r relation of each bending at its Nd after γn (the
//          deformation curve, the line AB and MRd/γf3).
//   "Deformada": for a combination checked by the general method, the
//          deflected shape and the moments of each bending's bar.
// With the column check of FCombinacoes on, every combination stands at the
// point of its governing situation, in the colour of its row's verdict, and
// the N–M direction is that situation's moment.
// Either view goes out as PNG or SVG. The results belong to the case as it
// was computed and go as soon as the section, the bars, the materials or the
// settings change.
#pragma once

#include "engine/column/Combinations.h"
#include "engine/diagrams/Surface.h"
#include "engine/diagrams/SurfaceView.h"
#include "engine/section/MomentCurvature.h"
#include "report/CurvatureDrawing.h"
#include "report/DeflectionDrawing.h"
#include "report/SurfaceDrawing.h"

#include <QChartView>
#include <QDialog>
#include <QPoint>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QTabWidget;
class QValueAxis;

namespace flexara {

class CaptionedComboBox;
class TFPrincipal;

// ChNM: the N–M diagram on a Qt chart. Dragging a rectangle with the left
// button zooms into it, a click of the right button zooms out, a double
// click undoes the zoom.
class TChNM : public QChartView {
    Q_OBJECT
public:
    explicit TChNM(QWidget* parent);

    // diagram may be nullptr: an empty chart.
    void Show(const NmDiagram* diagram, const std::vector<DiagramLoad>& loads, int selected);
    bool IsZoomed() const;

    QLineSeries* SeriesDiagrama = nullptr;       // the outline, red
    QScatterSeries* SeriesAtende = nullptr;      // combinations that hold, navy
    QScatterSeries* SeriesNaoAtende = nullptr;   // combinations that do not, red
    QScatterSeries* SeriesSelecionada = nullptr; // the ring around the chosen one
    QValueAxis* AxisM = nullptr;
    QValueAxis* AxisN = nullptr;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// PbSuperficie: the surface drawn as the exports draw it; dragging with the
// left button (or the arrow keys) turns it.
class TSuperficie : public QWidget {
    Q_OBJECT
public:
    explicit TSuperficie(QWidget* parent);

    // surface may be nullptr: an empty drawing. The view is kept.
    void Show(const Surface* surface, const std::vector<DiagramLoad>& loads, int selected);
    const SurfacePicture& Picture() const { return picture; }
    void SetView(SurfaceView view);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SurfacePicture picture;
    QPoint dragLast;
    bool dragging = false;
};

// PbCurvatura: the M–N–1/r relation of both bendings of the chosen
// combination, Mxd above Myd, as the exports and the record draw it.
class TCurvatura : public QWidget {
    Q_OBJECT
public:
    explicit TCurvatura(QWidget* parent);

    // The relations of the bendings (Bending), none where the combination
    // has none (not a column in compression, or no combination).
    void Show(std::array<std::optional<DeformationStudy>, 2> relations, double nd);
    const std::array<std::optional<DeformationStudy>, 2>& Relations() const { return relations; }
    // Both pictures one above the other in area; a notice without them.
    void Draw(QPainter& painter, const QRectF& area) const;
    QString Notice() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::optional<DeformationStudy>, 2> relations;
    double nd = 0.0;
};

// PbDeformada: the general method's bar of each bending of a combination
// (the one of its Md,tot), the deflected shape and the moments, one above the
// other, as the exports and the record draw them.
struct ShownBar {
    GeneralSolution bar;
    double length = 0.0; // cm
    QString subtitle;    // "Mxd, Nd = -800,00 kN"
};
// The bars of a combination checked by the general method, by Bending; none
// for another row.
std::array<std::optional<ShownBar>, 2> ShownBars(const CombinationResult& result, double nd);

class TDeformada : public QWidget {
    Q_OBJECT
public:
    explicit TDeformada(QWidget* parent);

    void Show(std::array<std::optional<ShownBar>, 2> bars);
    const std::array<std::optional<ShownBar>, 2>& Bars() const { return bars; }
    void Draw(QPainter& painter, const QRectF& area) const;
    QString Notice() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::optional<ShownBar>, 2> bars;
};

class TFDiagramas : public QDialog {
    Q_OBJECT
public:
    TFDiagramas(TFPrincipal& window, QWidget* parent);

    QLabel* LblCombinacao = nullptr;
    CaptionedComboBox* CombCombinacao = nullptr;
    QLabel* LblAviso = nullptr;
    // The code model the surface and the η were computed in; hidden for the
    // classic model.
    QLabel* LblModelo = nullptr;
    QTabWidget* PgVistas = nullptr;
    TChNM* ChNM = nullptr;
    TSuperficie* PbSuperficie = nullptr;
    TCurvatura* PbCurvatura = nullptr;
    TDeformada* PbDeformada = nullptr;
    QPushButton* BtnExportar = nullptr;

    // Opens the window on the combination in row tableRow of FCombinacoes'
    // table (the governing one when that row is none or not a number): the
    // surface and the check are computed again when the case or the rows
    // are not those of the last computation. A cancelled computation leaves
    // the window as it was.
    void Open(int tableRow);
    void CombCombinacaoChange(int index);
    void BtnExportarClick();
    // Called after every edit of the case.
    void CaseChanged();

    const std::optional<DiagramStudy>& Study() const { return study; }
    const CombinationList& Rows() const { return rows; }
    // The diagram on show and the combinations as it shows them.
    const NmDiagram& Diagram() const { return diagram; }
    const std::vector<DiagramLoad>& Loads() const { return loads; }

private:
    void ShowSelection();
    void ShowNothing();

    TFPrincipal& w;
    std::optional<DiagramStudy> study;
    std::string studiedCase;
    std::optional<flexara::Column> studiedColumn; // the column the rows were checked as
    CombinationList rows;
    std::vector<int> tableRows; // the table row of each of rows
    NmDiagram diagram;
    std::vector<DiagramLoad> loads;
};

} // namespace flexara
