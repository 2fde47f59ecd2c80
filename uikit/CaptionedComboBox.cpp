#include "uikit/CaptionedComboBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>

namespace flexara {

namespace {

// Named by the caption; the chosen item is its value and, for the screen
// readers that read a list's text, its read-only text.
class CaptionedComboBoxReading : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit CaptionedComboBoxReading(CaptionedComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox)
    {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTextInterface: the chosen item, read only.
    QString text(int startOffset, int endOffset) const override
    {
        return Box()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Box()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return QString();
    }

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
