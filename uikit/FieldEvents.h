// The exit event of a field: its handler runs when the keyboard focus leaves it
// for another control of the same window, not when the window itself loses the
// activation or a menu pops up. A handler may give the focus back to its field
// (MarkInputInvalid): the control the focus was moving to then receives neither
// the focus nor an exit of its own.
#pragma once

#include <QObject>
#include <QWidget>

#include <functional>

namespace flexara {

void OnExit(QWidget* field, std::function<void()> handler);

} // namespace flexara
