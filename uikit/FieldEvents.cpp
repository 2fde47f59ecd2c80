#include "uikit/FieldEvents.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QMenuBar>

namespace flexara {

namespace {

class ExitFilter : public QObject {
public:
    ExitFilter(QWidget* field, std::function<void()> handler)
        : QObject(field), field(field), handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            entered = true;
            StopWatching();
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // The menu bar taking the keyboard (Alt, a mnemonic) is not leaving
            // the field: that happens only if the focus then goes on to another
            // control of the window.
            if (entered && reason == Qt::MenuBarFocusReason)
                WatchTheMenuBar();
            // Only a field that really held the focus is left; one that a
            // handler's focus-back robbed of it before it arrived is not.
            else if (entered && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                Leave();
        }
        return false;
    }

private:
    void Leave()
    {
        entered = false;
        StopWatching();
        handler();
    }

    void WatchTheMenuBar()
    {
        if (watching)
            return;
        watching = QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now == nullptr || now == field || now->window() != field->window() || qobject_cast<QMenuBar*>(now))
                return;
            Leave();
        });
    }

    void StopWatching()
    {
        if (watching)
            QObject::disconnect(watching);
        watching = {};
    }

    QWidget* field;
    std::function<void()> handler;
    bool entered = false;
    QMetaObject::Connection watching;
};

} // namespace

void OnExit(QWidget* field, std::function<void()> handler)
{
    field->installEventFilter(new ExitFilter(field, std::move(handler)));
}

} // namespace flexara
