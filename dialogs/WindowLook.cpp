#include "dialogs/WindowLook.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace flexara {

QColor SilverColor()
{
    return QColor(192, 192, 192);
}

void PaintSilver(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, SilverColor());
    palette.setColor(QPalette::Button, SilverColor());
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void FixDialogBorder(QWidget* dialog, bool closeBox)
{
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (closeBox)
        flags |= Qt::WindowCloseButtonHint;
    dialog->setWindowFlags(flags);
}

void CaptionControl(QLabel* label, QWidget* control, const QString& hint)
{
    label->setBuddy(control);
    QString name = label->text();
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    control->setAccessibleName(name);
    // The hint shows over the label; a screen reader reads it with the control.
    if (!hint.isEmpty()) {
        label->setToolTip(hint);
        control->setAccessibleDescription(hint);
    }
}

void HintControl(QWidget* control, const QString& hint)
{
    control->setToolTip(hint);
    control->setAccessibleDescription(hint);
}

} // namespace flexara
