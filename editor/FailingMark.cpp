#include "editor/FailingMark.h"

#include <QBrush>
#include <QPainter>
#include <QPixmap>
#include <QTableWidgetItem>
#include <QVariant>

namespace flexara {

const QColor FailingColour(192, 0, 0);

const QString FailingIconName = QStringLiteral("Falha");

QIcon FailingIcon()
{
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(FailingColour);
    painter.drawEllipse(QRectF(0.5, 0.5, 11, 11));
    painter.setPen(QPen(Qt::white, 1.8));
    painter.drawLine(QPointF(3.5, 3.5), QPointF(8.5, 8.5));
    painter.drawLine(QPointF(8.5, 3.5), QPointF(3.5, 8.5));
    return QIcon(picture);
}

void MarkFailing(QTableWidgetItem& item, bool failing)
{
    item.setForeground(failing ? QBrush(FailingColour) : QBrush());
    item.setIcon(failing ? FailingIcon() : QIcon());
    item.setData(Qt::AccessibleDescriptionRole, failing ? QVariant(FailingIconName) : QVariant());
}

} // namespace flexara
