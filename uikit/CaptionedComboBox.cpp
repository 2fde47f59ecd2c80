#include "CaptionedComboBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>

namespace flexara {

namespace {

class CaptionedComboBoxReading : public QAccessibleWidget {
public:
    explicit CaptionedComboBoxReading(CaptionedComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return Box()->accessibleName().isEmpty() ? Box()->currentText() : Box()->accessibleName();
        case QAccessible::Value:
            return Box()->currentText();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    // The item list, with the chosen item selected, as the window system reads it.
    int childCount() const override { return Box()->view() != nullptr ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && Box()->view() != nullptr ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && Box()->view() != nullptr && child->object() == Box()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (Box()->view() != nullptr && Box()->view()->isVisible())
            Box()->hidePopup();
        else
            Box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    CaptionedComboBox* Box() const { return static_cast<CaptionedComboBox*>(widget()); }
};

QAccessibleInterface* CaptionedComboBoxFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(CaptionedComboBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<CaptionedComboBox*>(object))
            return new CaptionedComboBoxReading(box);
    return nullptr;
}

} // namespace

void InstallCaptionedComboBoxReading()
{
    QAccessible::installFactory(CaptionedComboBoxFactory);
}

} // namespace flexara
