#include "ui/OptionButton.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// A tool button is announced as a push button or, checkable, as a check box;
// this one says "radio button", checked or not, and presses like a button.
class OptionButtonAccessible : public QAccessibleWidget {
public:
    explicit OptionButtonAccessible(OptionButton* button) : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty()) {
            return button()->text();
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction()) {
            button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    OptionButton* button() const { return static_cast<OptionButton*>(widget()); }
};

QAccessibleInterface* optionButtonFactory(const QString&, QObject* object)
{
    if (auto* button = qobject_cast<OptionButton*>(object)) {
        return new OptionButtonAccessible(button);
    }
    return nullptr;
}

}  // namespace

OptionButton::OptionButton(QWidget* parent) : QToolButton(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(optionButtonFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setCheckable(true);
    setAutoExclusive(true);
}
