// The look the program's windows share: the silver face of the window and its
// group boxes, fixed positions in pixels, and the captions and hints that name
// each control for the keyboard and the screen reader.
#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

namespace flexara {

QColor SilverColor();
// Silver window, group boxes and buttons; fields keep their white.
void PaintSilver(QWidget* window);
// The dialog border without minimise and maximise; closeBox says whether the
// title bar keeps its close box.
void FixDialogBorder(QWidget* dialog, bool closeBox);
// The label captions the control: buddy, accessible name (the caption without
// its colon and mnemonic) and, when hint is given, the label's tool tip and the
// control's accessible description.
void CaptionControl(QLabel* label, QWidget* control, const QString& hint = QString());
// A control captioned by its own text (button, radio button): the hint as tool
// tip and accessible description.
void HintControl(QWidget* control, const QString& hint);

} // namespace flexara
