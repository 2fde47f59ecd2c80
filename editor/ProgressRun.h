// A sweep of many curve generations run from a window: the work runs on its
// own thread (with the engine's workers under it) while the window stays
// drawn; after half a second a progress dialog with "Cancelar" shows, and
// until then the user's input waits, so that nothing changes the case under
// the work.
#pragma once

#include "engine/Workers.h"

#include <QString>
#include <QWidget>

#include <functional>

namespace flexara {

// A sweep that takes longer than this shows its progress.
constexpr int ProgressAfterMs = 500;

// Runs work(progress) to its end, or until "Cancelar" asks it to stop through
// progress.cancel; text is the dialog's label.
void RunWithProgress(QWidget* parent, const QString& text, const std::function<void(WorkProgress&)>& work);

} // namespace flexara
