// ChCurva: the interaction chart. A curve generation fills it through the
// CurveSink calls, in order: the curve points (Series1, a red line kept in the
// order the points arrive, closed by a copy of the first), the design point
// (Series2) or the notice that Nd is out of range (Series3). Its content stays
// until the next generation or the next new case. Dragging with the left button
// zooms, with the right button scrolls; a double click undoes both.
#pragma once

#include "engine/diagrams/ChartScale.h"
#include "engine/section/Curve.h"

#include <QChartView>
#include <QList>
#include <QPointF>

#include <functional>
#include <optional>

class QAreaSeries;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QRubberBand;
class QScatterSeries;
class QValueAxis;

namespace flexara {

class TChCurva : public QChartView, public CurveSink {
    Q_OBJECT
public:
    explicit TChCurva(QWidget* parent);

    // Shows a refusal of the generation (the main window's FAviso).
    std::function<void(CurveWarning)> OnWarning;

    // CurveSink. The floating-point flags of the generation are kept across
    // every call: the chart's own arithmetic must not raise a fault for it.
    void ClearCurve() override;
    void AddCurvePoint(double mx, double my) override;
    void AddDesignPoint(double mx, double my) override;
    void SetOutOfRangeNotice(bool shown) override;
    void Warn(CurveWarning warning) override;

    // A small text in the top right corner of the plot: the utilisation of
    // the design point ("η = 0,60", "fora"); empty for none.
    void SetCornerText(const QString& text);
    QString CornerText() const;
    // A small text in the top left corner of the plot: what load the design
    // point is, a line each ("Combinação: ELU 3", "Situação: seção
    // intermediária"), each cut short where it would reach the corner's η;
    // empty for none. A new generation clears it, as it clears the η.
    void SetLoadLabel(const QString& text);
    QString LoadLabel() const;
    // Under the η, the calculation model it was computed in when that is a
    // code model ("NBR 6118:2014 — parábola-retângulo"); empty for none.
    void SetModelText(const QString& text);
    QString ModelText() const;

    bool NoticeShown() const;
    QStringList NoticeLines() const;
    QList<QPointF> CurvePoints() const;
    QList<QPointF> DesignPoints() const;

    // Axes to the data (or to the notice's rectangle) with round tick values;
    // undoes any zoom.
    void RescaleAxes();
    void UndoZoom();
    bool IsZoomed() const { return savedRanges.has_value(); }

    QLineSeries* Series1 = nullptr;    // "Curva"
    QScatterSeries* Series2 = nullptr; // "Ponto"
    QAreaSeries* Series3 = nullptr;    // "Aviso"
    QValueAxis* AxisX = nullptr;       // "Mxd (kN.m)"
    QValueAxis* AxisY = nullptr;       // "Myd (kN.m)"

protected:
    // The frame: a lowered outer and a raised inner bevel around the chart.
    bool event(QEvent* event) override;
    // The drawing stays in its frame: no arrow key or wheel scrolls it.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void RememberRanges();
    void PlaceNotice();
    void RoundTicks(QValueAxis* axis);

    QLineSeries* noticeTop = nullptr;
    QLineSeries* noticeBottom = nullptr;
    QList<QGraphicsSimpleTextItem*> noticeText;
    QGraphicsSimpleTextItem* cornerText = nullptr;
    QGraphicsSimpleTextItem* loadLabel = nullptr;
    QGraphicsSimpleTextItem* modelText = nullptr;
    QString loadLabelText; // as given, before it is cut to the plot
    void PlaceCornerText();
    QRubberBand* rubberBand = nullptr;
    QPoint zoomOrigin;
    bool zooming = false;
    QPoint scrollLast;
    bool scrolling = false;
    // The scales before the first zoom or scroll.
    struct SavedScales {
        AxisScale x;
        AxisScale y;
    };
    std::optional<SavedScales> savedRanges;
};

} // namespace flexara
