#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QSettings;
class QWidget;

// Everything the program shows or starts outside its own windows: the
// open-file and colour dialogs, message boxes, the help viewer and the modal
// display of side windows. The program uses QtPlatform; tests use a scripted
// double that answers from a list and records what would have been shown.
class Platform {
public:
    enum class Icon { Information, Exclamation, Critical, Question };

    // One entry of an open-dialog filter: the caption "NES files (*.nes)" matching "*.nes".
    struct FileFilter {
        QString description;
        QString pattern;
    };

    virtual ~Platform();

    // An existing file chosen by the user, or nothing when cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QList<FileFilter>& filters) = 0;
    // A colour chosen by the user, or nothing when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // A message box with one OK button.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
    // Starts a program without waiting for it; each argument is passed as it
    // stands, never through a shell.
    virtual bool startDetached(const QString& program, const QStringList& arguments, QString* error) = 0;
    // Starts a program that opens a document in the desktop's viewer (the
    // help file through xdg-open) without waiting for the viewer. `failed`
    // runs when it cannot be started or reports that it could not open the
    // document, possibly later, from the event loop. By default only the
    // start is checked (startDetached).
    virtual void openDocument(const QString& program, const QStringList& arguments, std::function<void()> failed);
    // Shows a side window modally over its owner. Returns when the window is
    // hidden or closed (the scripted double shows it and returns at once).
    virtual void showModal(QDialog* dialog) = 0;
    // Ends the program once control returns to its event loop.
    virtual void endProgram() = 0;
    // Where the program keeps what it remembers between runs (the recent
    // files); none by default, so a platform that remembers nothing needs no code.
    virtual QSettings* settings();

    // ---- Files beside the cartridge: patches, map pictures, changes on disk ----

    // An existing file chosen in an open dialog titled `title`, or nothing when cancelled.
    virtual std::optional<QString> openFileNameTitled(QWidget* parent, const QString& title,
                                                      const QList<FileFilter>& filters) = 0;
    // A file name to write to, or nothing when cancelled; `filterIndex`
    // receives the index of the file type chosen.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QList<FileFilter>& filters,
                                                int* filterIndex) = 0;
    // A question with one button per caption; the index of the button
    // pressed, or -1 when the box was closed.
    virtual int choice(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons) = 0;

    struct MapImageOptions {
        bool wholeOverworld = false;  // else the current block
        bool grid = true;
    };
    // What a map picture export should show, or nothing when cancelled.
    virtual std::optional<MapImageOptions> chooseMapImage(QWidget* parent, const MapImageOptions& initial) = 0;
};
