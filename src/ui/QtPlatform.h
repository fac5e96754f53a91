#pragma once

#include "ui/Platform.h"

#include <memory>

class QFileDialog;

class QtPlatform final : public Platform {
public:
    std::optional<QString> openFileName(QWidget* parent, const QList<FileFilter>& filters) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    bool question(QWidget* parent, const QString& title, const QString& text) override;
    bool startDetached(const QString& program, const QStringList& arguments, QString* error) override;
    void showModal(QDialog* dialog) override;
    void endProgram() override;

    // The open dialog, not yet shown, with the first filter selected. A filter
    // whose pattern is "*.*" lists every file, also those without a dot in
    // their name, as it does on the desktop the filter comes from.
    static std::unique_ptr<QFileDialog> makeOpenDialog(QWidget* parent, const QList<FileFilter>& filters);
};
