// The mark of a table row that does not hold (a combination that fails, Nd
// beyond the section, a refusal, a fault; an arrangement that misses a
// combination or a detailing rule): its words in the colour of the marks,
// and beside them a red disc with a white cross that a screen reader reads
// by its name. The combinations table and the design's table mark alike.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QTableWidgetItem;

namespace flexara {

extern const QColor FailingColour;
extern const QString FailingIconName;
QIcon FailingIcon();

// The item's colour, icon and accessible description for a row that fails,
// or none of them.
void MarkFailing(QTableWidgetItem& item, bool failing);

} // namespace flexara
