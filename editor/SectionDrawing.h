// PaintBox1: the section to scale with its axes and bars, the bars of the line
// selected in LBLinhas red and drawn last. A pure view of the analysis state,
// recomputed at every paint; nothing is kept between paints.
#pragma once

#include "engine/case/UVariav.h"

#include <QWidget>

#include <functional>

class QPainter;

namespace flexara {

class TPaintBox1 : public QWidget {
    Q_OBJECT
public:
    // selectedLine gives the 0-based line selected in LBLinhas, -1 for none.
    TPaintBox1(const AnalysisState& state, std::function<int()> selectedLine, QWidget* parent);

    // Draws the section on a 300 x 185 surface (no background of its own).
    static void PaintBox1Paint(QPainter& canvas, const AnalysisState& state, int selectedLine);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AnalysisState& state;
    std::function<int()> selectedLine;
};

} // namespace flexara
