#pragma once

#include "editor/Platform.h"

#include <QList>
#include <QPair>

#include <functional>

// Answers every dialog from lists the test fills in, and records what the
// program would have shown.
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
    bool startsForReal = false;  // startDetached also starts the program (a stand-in of the test's)
    QSettings* settingsStore = nullptr;

    struct SaveAnswer {
        QString path;
        int filterIndex = 0;
    };
    QList<std::optional<SaveAnswer>> saveAnswers;
    QList<int> choiceAnswers;  // button indexes; Cancelled when the list runs out
    QList<std::optional<MapImageOptions>> mapImageAnswers;
    QList<MapImageOptions> mapImageOffered;  // what each options dialog started from
    QList<std::optional<QString>> textAnswers;

    // What was asked and shown.
    struct FileDialog {
        QString title;
        QList<FileFilter> filters;
        QString folder;
    };
    QList<FileDialog> openDialogs;
    QList<FileDialog> saveDialogs;
    QList<Shown> messages;
    QList<Shown> questions;
    QStringList textsOffered;  // the text each line question started from
    QList<Shown> choices;
    QList<QStringList> choiceButtons;
    QList<int> choiceDefaults;
    QList<QPair<QString, QStringList>> started;

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
    QSettings* settings() override { return settingsStore; }
    // Runs the hook, then the event loop's pending events.
    void processEvents() override;

    // Runs at every yield of long work (a block drawing yields after each cell), with the yield's number from 1.
    std::function<void(int yield)> onProcessEvents;
    int yields = 0;

    // Titles of every message shown so far.
    QStringList messageTitles() const;
};
