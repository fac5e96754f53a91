#pragma once

#include "ui/Platform.h"

#include <QSettings>

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
    std::optional<QString> openFileNameTitled(QWidget* parent, const QString& title,
                                              const QList<FileFilter>& filters) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QList<FileFilter>& filters,
                                        int* filterIndex) override;
    int choice(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons) override;
    std::optional<MapImageOptions> chooseMapImage(QWidget* parent, const MapImageOptions& initial) override;
    void openDocument(const QString& program, const QStringList& arguments, std::function<void()> failed) override;
    // ~/.config/orvane-map-editor/orvane-map-editor.conf
    QSettings* settings() override;

    // The open dialog, not yet shown, with the first filter selected. A filter
    // whose pattern is "*.*" lists every file, also those without a dot in
    // their name, as it does on the desktop the filter comes from.
    static std::unique_ptr<QFileDialog> makeOpenDialog(QWidget* parent, const QList<FileFilter>& filters);

private:
    std::unique_ptr<QSettings> m_settings;
};
