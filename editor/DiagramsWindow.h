// FDiagramas: the window "Diagramas". The surface of the case (its curves at
// 41 levels of Nd between N4 and N1, closed by the two uniform states) and the
// check of the load combinations of FCombinacoes are computed together when
// the window is opened; the window then shows two views of them:
//   "N–M": the N–M diagram along the moment direction of the combination
//          chosen in CombCombinacao, every combination at (|Md| with the sign
//          of its side, Nd), the chosen one ringed; Qt Charts with zoom;
//   "Superfície N–Mx–My": the wireframe of the surface with the
//          combinations, turned by dragging with the mouse.
// With the column check of FCombinacoes on, every combination stands at the
// point of its governing situation, in the colour of its row's verdict, and
// the N–M direction is that situation's moment.
// Either view goes out as PNG or SVG. The results belong to the case as it
// was computed and go as soon as the section, the bars, the materials or the
// settings change.
#pragma once

#include "engine/diagrams/Surface.h"
#include "engine/diagrams/SurfaceView.h"
#include "report/SurfaceDrawing.h"

#include <QChartView>
#include <QDialog>
#include <QPoint>
#include <QWidget>

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
