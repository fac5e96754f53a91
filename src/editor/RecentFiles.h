#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The cartridges loaded last, newest first, at most eight, kept in the
// settings under "recentFiles" when a settings store is given (a program
// without one remembers them for its own run only).
class RecentFiles {
public:
    static constexpr int Limit = 8;

    explicit RecentFiles(QSettings* settings = nullptr);

    const QStringList& files() const { return m_files; }

    // Puts `path` first, dropping an older entry of the same file and any
    // past the eighth.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store();

    QSettings* m_settings;
    QStringList m_files;
};
