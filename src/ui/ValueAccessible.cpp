#include "ui/ValueAccessible.h"

#include <QWidget>

namespace {

// The widget's dynamic property that holds its value; the factory serves the widgets that have it.
constexpr const char* ValueProperty = "accessibleValue";

}  // namespace

ValueAccessible::ValueAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Canvas) {}

QString ValueAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value) {
        return widget()->property(ValueProperty).toString();
    }
    return QAccessibleWidget::text(t);
}

QAccessibleInterface* ValueAccessible::Factory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->property(ValueProperty).isValid() ? new ValueAccessible(widget) : nullptr;
}

void ValueAccessible::SetValue(QWidget* widget, const QString& value)
{
    static const bool installed = [] {
        QAccessible::installFactory(&ValueAccessible::Factory);
        return true;
    }();
    Q_UNUSED(installed);
    const QVariant before = widget->property(ValueProperty);
    widget->setProperty(ValueProperty, value);
    if (before.isValid() && before.toString() != value) {
        QAccessibleValueChangeEvent event(widget, value);
        QAccessible::updateAccessibility(&event);
    }
}
