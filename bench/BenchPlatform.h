#pragma once

#include "ui/Platform.h"

#include <QDialog>

// Answers every dialog at once and shows nothing, so benchmarks time the
// program's own work and never wait on a window.
class BenchPlatform final : public Platform {
public:
    std::optional<QString> openFileName(QWidget*, const QList<FileFilter>&) override { return std::nullopt; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    void message(QWidget*, const QString&, const QString&, Icon) override {}
    bool question(QWidget*, const QString&, const QString&) override { return true; }
    bool startDetached(const QString&, const QStringList&, QString*) override { return true; }
    void showModal(QDialog* dialog) override { dialog->show(); }
    void endProgram() override {}
    std::optional<QString> openFileNameTitled(QWidget*, const QString&, const QList<FileFilter>&) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QList<FileFilter>&, int*) override
    {
        return std::nullopt;
    }
    int choice(QWidget*, const QString&, const QString&, const QStringList&) override { return -1; }
    std::optional<MapImageOptions> chooseMapImage(QWidget*, const MapImageOptions&) override { return std::nullopt; }
};
