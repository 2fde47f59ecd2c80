// What the groups of the main window share: the analysis state of the case,
// the status-bar input mark, the refresh of the reinforcement ratio and the
// repaint of the section drawing. The main window implements it.
#pragma once

#include "engine/case/UVariav.h"

class QWidget;

namespace flexara {

class EditorContext {
public:
    virtual ~EditorContext() = default;
    virtual AnalysisState& State() = 0;
    // The status bar back to plain: silver with one blank.
    virtual void ClearInputMark() = 0;
    // "Valor de entrada inválido" on the tool-tip colour; the focus back to field.
    virtual void MarkInputInvalid(QWidget* field) = 0;
    // Area, bar areas, steel area and the ratio label (LblTaxaArm).
    virtual void TaxaArmadura() = 0;
    // Repaints the window, which redraws the section (PaintBox1).
    virtual void RepaintSection() = 0;
};

} // namespace flexara
