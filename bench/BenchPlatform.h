#pragma once

#include "editor/Platform.h"
#include "ui/ModalDisplay.h"

#include <QDialog>
#include <QPointer>

// Answers every dialog at once and shows nothing, so benchmarks time the
// program's own work and never wait on a window. A window opened modally is
// kept, hidden, for the benchmark to drive.
class BenchPlatform final : public Platform, public ModalDisplay {
public:
    QPointer<QDialog> modal;
    QSettings* store = nullptr;  // what is remembered between runs; nothing by default

    std::optional<QString> openFileName(const QString&, const QList<FileFilter>&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const QString&, const QList<FileFilter>&, const QString&, int*) override
    {
        return std::nullopt;
    }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    std::optional<MapImageOptions> chooseMapImage(const MapImageOptions&) override { return std::nullopt; }
    std::optional<QString> askText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    void message(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&) override { return true; }
    int choice(const QString&, const QString&, const QStringList&, int) override { return Cancelled; }
    bool startDetached(const QString&, const QStringList&, QString*) override { return true; }

    QSettings* settings() override { return store; }
    void showModal(QDialog* dialog) override { modal = dialog; }
    void endProgram() override {}
};
