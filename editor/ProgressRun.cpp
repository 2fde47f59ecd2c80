#include "editor/ProgressRun.h"

#include "engine/Version.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace flexara {

void RunWithProgress(QWidget* parent, const QString& text, const std::function<void(WorkProgress&)>& work)
{
    WorkProgress progress;
    std::atomic<bool> finished{false};
    std::exception_ptr failure;
    std::thread runner([&] {
        try {
            work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });

    QProgressDialog dialog(text, QStringLiteral("Cancelar"), 0, 1, parent);
    dialog.setWindowTitle(QString::fromUtf8(ApplicationTitle));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(ProgressAfterMs);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        dialog.setMaximum(std::max(1, progress.total.load()));
        dialog.setValue(std::min(progress.done.load(), dialog.maximum()));
        if (dialog.wasCanceled())
            progress.cancel = true;
        loop.quit();
    });
    poll.start(20);
    // Until the progress shows (and blocks the windows) the user's input
    // waits: nothing may change the case under the work.
    while (!finished)
        loop.exec(dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    runner.join();
    dialog.close();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace flexara
