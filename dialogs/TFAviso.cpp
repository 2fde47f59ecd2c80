#include "TFAviso.h"

#include "WindowLook.h"

#include <QLabel>
#include <QPushButton>

namespace flexara {

TFAviso::TFAviso(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAviso"));
    setWindowTitle(QStringLiteral("Aviso"));
    FixDialogBorder(this, true);
    PaintSilver(this);
    setFixedSize(223, 72);

    // The two texts share one place: only one is ever visible.
    LblAvisoFora = new QLabel(QString::fromUtf8(WarningText(CurveWarning::BarsOutside)), this);
    LblAvisoFora->setGeometry(8, 10, 207, 16);
    LblAvisoFora->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    LblAvisoArea = new QLabel(QString::fromUtf8(WarningText(CurveWarning::ZeroArea)), this);
    LblAvisoArea->setGeometry(8, 10, 207, 16);
    LblAvisoArea->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    LblAvisoArea->hide();

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(74, 38, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFAviso::ShowWarning(CurveWarning warning)
{
    const bool outside = warning == CurveWarning::BarsOutside;
    LblAvisoFora->setVisible(outside);
    LblAvisoArea->setVisible(!outside);
    // A screen reader reads the message with the window.
    setAccessibleDescription(outside ? LblAvisoFora->text() : LblAvisoArea->text());
    exec();
}

} // namespace flexara
