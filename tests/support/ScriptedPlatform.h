#pragma once

#include "ui/Platform.h"

#include <QList>
#include <QPair>
#include <QPointer>

// Answers every dialog from lists the test fills in, and records what the
// program would have shown. Side windows are shown without a nested event
// loop, so a test can drive them and then look at the result.
class ScriptedPlatform : public Platform {
public:
    struct Shown {
        QString title;
        QString text;
        Icon icon;
    };

    // Answers, taken first to last; when a list runs out the answer is "cancel" / "No".
    QList<std::optional<QString>> openAnswers;
    QList<std::optional<QColor>> colorAnswers;
    QList<bool> questionAnswers;
    bool startSucceeds = true;

    struct SaveAnswer {
        QString path;
        int filterIndex = 0;
    };
    QList<std::optional<SaveAnswer>> saveAnswers;
    QList<int> choiceAnswers;  // button indexes; -1 (closed) when the list runs out
    QList<std::optional<MapImageOptions>> mapImageAnswers;

    // What was asked and shown.
    int openCalls = 0;
    int colorCalls = 0;
    QList<QList<FileFilter>> openFilters;
    QList<Shown> messages;
    QList<Shown> questions;
    QList<Shown> choices;
    QList<QStringList> choiceButtons;
    QList<QPair<QString, QStringList>> started;
    QList<QPointer<QDialog>> modals;
    bool ended = false;

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

    // Titles of every message shown so far.
    QStringList messageTitles() const;
};
