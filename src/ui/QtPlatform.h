#pragma once

#include "editor/Platform.h"
#include "ui/ModalDisplay.h"

#include <QPointer>
#include <QSettings>

#include <memory>

class QFileDialog;
class QWidget;

// The platform of the running program: Qt's dialogs and message boxes, each
// shown over the window the user works in (the modal window in front, else
// the active window, else the main window).
class QtPlatform final : public Platform, public ModalDisplay {
public:
    // The window that owns dialogs when no other window is active.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    std::optional<QString> openFileName(const QString& title, const QList<FileFilter>& filters,
                                        const QString& folder) override;
    std::optional<QString> saveFileName(const QString& title, const QList<FileFilter>& filters, const QString& folder,
                                        int* filterIndex) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<MapImageOptions> chooseMapImage(const MapImageOptions& initial) override;
    std::optional<QString> askText(const QString& title, const QString& label, const QString& text) override;
    void message(const QString& title, const QString& text, Icon icon) override;
    bool question(const QString& title, const QString& text) override;
    int choice(const QString& title, const QString& text, const QStringList& buttons, int defaultButton) override;
    bool startDetached(const QString& program, const QStringList& arguments, QString* error) override;
    void openDocument(const QString& program, const QStringList& arguments, std::function<void()> failed) override;
    bool isShowingModal() const override;
    // ~/.config/orvane-map-editor/orvane-map-editor.conf
    QSettings* settings() override;

    void showModal(QDialog* dialog) override;
    void endProgram() override;

    // The open dialog, not yet shown, with the first filter selected. A filter
    // whose pattern is "*.*" lists every file, also those without a dot in
    // their name, as it does on the desktop the filter comes from.
    static std::unique_ptr<QFileDialog> makeOpenDialog(QWidget* parent, const QList<FileFilter>& filters);

private:
    QWidget* owner() const;

    QPointer<QWidget> m_mainWindow;
    std::unique_ptr<QSettings> m_settings;
};
