#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QSettings;

// Everything the program shows or starts outside its own windows: the file
// and colour dialogs, message boxes and questions, and the help viewer. The
// program uses the Qt implementation (ui/QtPlatform), which shows each over
// the window the user is working in; tests use a scripted double that
// answers from a list and records what would have been shown.
class Platform {
public:
    enum class Icon { Information, Exclamation, Critical, Question };

    // One entry of a file dialog's filter: the caption "NES files (*.nes)" matching "*.nes".
    struct FileFilter {
        QString description;
        QString pattern;
    };

    struct MapImageOptions {
        bool wholeOverworld = false;  // else the current block
        bool grid = true;
    };

    virtual ~Platform();

    // The filter entry "All Files(*.*)" that the file dialogs offer last.
    static FileFilter AllFiles();
    // The text of a message or question of several paragraphs, an empty line between them.
    static QString Paragraphs(const QStringList& paragraphs);

    // An existing file chosen by the user, or nothing when cancelled. An
    // empty title or folder leaves the dialog's own.
    virtual std::optional<QString> openFileName(const QString& title, const QList<FileFilter>& filters,
                                                const QString& folder = {}) = 0;
    // A file name to write to, or nothing when cancelled; `filterIndex`
    // receives the index of the file type chosen. The dialog itself does not
    // ask about replacing a file: the caller does, once the name is final.
    virtual std::optional<QString> saveFileName(const QString& title, const QList<FileFilter>& filters,
                                                const QString& folder, int* filterIndex) = 0;
    // A colour chosen by the user, or nothing when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // What a map picture export should show, or nothing when cancelled.
    virtual std::optional<MapImageOptions> chooseMapImage(const MapImageOptions& initial) = 0;

    // A line of text the user typed, starting from `text`, or nothing when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& label, const QString& text) = 0;

    // A message box with one OK button.
    virtual void message(const QString& title, const QString& text, Icon icon) = 0;
    // A Yes/No question; true for Yes. No is the default button.
    virtual bool question(const QString& title, const QString& text) = 0;
    // A question with one button per caption: the index of the button
    // pressed, Enter pressing `defaultButton`; Cancelled when the question was
    // closed without an answer (Escape, the close box).
    static constexpr int Cancelled = -1;
    virtual int choice(const QString& title, const QString& text, const QStringList& buttons, int defaultButton) = 0;

    // Starts a program without waiting for it; each argument is passed as it
    // stands, never through a shell.
    virtual bool startDetached(const QString& program, const QStringList& arguments, QString* error) = 0;
    // Starts a program that opens a document in the desktop's viewer (the
    // help file through xdg-open) without waiting for the viewer. `failed`
    // runs when it cannot be started or reports that it could not open the
    // document, possibly later, from the event loop. By default only the
    // start is checked (startDetached).
    virtual void openDocument(const QString& program, const QStringList& arguments, std::function<void()> failed);

    // Lets the event loop run what is pending (repaints, input, timers), as a
    // long piece of work does between its steps so the window stays responsive.
    virtual void processEvents();

    // True while a modal window or box waits for the user, when nothing
    // should pop up a question of its own.
    virtual bool isShowingModal() const;
    // Where the program keeps what it remembers between runs (the recent
    // files); none by default, so a platform that remembers nothing needs no code.
    virtual QSettings* settings();
};
