#include "dialogs/TFAviso.h"

#include "dialogs/WindowLook.h"
#include "texts/Words.h"

#include <QLabel>
#include <QPushButton>

namespace flexara {

namespace {
const QSize ShortSize(223, 72);
const QSize OutlineSize(300, 88);
} // namespace

TFAviso::TFAviso(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAviso"));
    setWindowTitle(QStringLiteral("Aviso"));
    FixDialogBorder(this, true);
    PaintSilver(this);
    setFixedSize(ShortSize);

    // The two texts share one place: only one is ever visible.
    LblAvisoFora = new QLabel(QString::fromUtf8(WarningText(CurveWarning::BarsOutside)), this);
    LblAvisoFora->setGeometry(8, 10, 207, 16);
    LblAvisoFora->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    LblAvisoArea = new QLabel(QString::fromUtf8(WarningText(CurveWarning::ZeroArea)), this);
    LblAvisoArea->setGeometry(8, 10, 207, 16);
    LblAvisoArea->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    LblAvisoArea->hide();
    LblAvisoContorno = new QLabel(QString::fromUtf8(WarningText(CurveWarning::InvalidOutline)), this);
    LblAvisoContorno->setGeometry(8, 8, OutlineSize.width() - 16, 32);
    LblAvisoContorno->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    LblAvisoContorno->setWordWrap(true);
    LblAvisoContorno->hide();

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(74, 38, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFAviso::ShowWarning(CurveWarning warning)
{
    QLabel* shown = warning == CurveWarning::BarsOutside ? LblAvisoFora
                    : warning == CurveWarning::ZeroArea  ? LblAvisoArea
                                                         : LblAvisoContorno;
    for (QLabel* label : {LblAvisoFora, LblAvisoArea, LblAvisoContorno})
        label->setVisible(label == shown);
    // The outline's longer text takes a wider dialog; the two others keep theirs.
    const QSize size = shown == LblAvisoContorno ? OutlineSize : ShortSize;
    setFixedSize(size);
    Button1->move((size.width() - Button1->width()) / 2, size.height() - 34);
    // A screen reader reads the message with the window.
    setAccessibleDescription(shown->text());
    exec();
}

} // namespace flexara
