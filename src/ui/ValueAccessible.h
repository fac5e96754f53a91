#pragma once

#include <QAccessibleWidget>
#include <QString>

// What screen readers read of a control that shows one thing at a time, the map views (the cell under the
// cursor) and the tile strip (the current tile): its value as a text, announced when it changes.
class ValueAccessible : public QAccessibleWidget {
public:
    explicit ValueAccessible(QWidget* widget);

    QString text(QAccessible::Text t) const override;

    // Makes `widget` such a control (once, when it is made), or gives it a new value, announced to screen
    // readers when it differs from the last.
    static void SetValue(QWidget* widget, const QString& value);

private:
    static QAccessibleInterface* Factory(const QString& key, QObject* object);
};
