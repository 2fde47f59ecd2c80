#include "FieldEvents.h"

#include <QEvent>
#include <QFocusEvent>

namespace flexara {

namespace {

class ExitFilter : public QObject {
public:
    ExitFilter(QWidget* field, std::function<void()> handler) : QObject(field), handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            entered = true;
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Only a field that really held the focus is left; one that a
            // handler's focus-back robbed of it before it arrived is not.
            if (entered && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                entered = false;
                handler();
            }
        }
        return false;
    }

private:
    std::function<void()> handler;
    bool entered = false;
};

} // namespace

void OnExit(QWidget* field, std::function<void()> handler)
{
    field->installEventFilter(new ExitFilter(field, std::move(handler)));
}

} // namespace flexara
