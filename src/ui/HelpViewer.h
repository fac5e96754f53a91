#pragma once

#include <QDialog>

class QPlainTextEdit;

// The help text shown in a window of the program, read-only, for desktops
// where no viewer can be started for the help file. It does not block the
// main window, like the viewer it stands in for.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    HelpViewer(const QString& text, const QString& path, QWidget* owner);

    static QString Title();  // "Orvane II Map Editor v1.0 Help"
    QString text() const;

private:
    QPlainTextEdit* m_text = nullptr;
};
