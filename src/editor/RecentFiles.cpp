#include "editor/RecentFiles.h"

#include <QSettings>

namespace {

const QString Key = QStringLiteral("recentFiles");

}  // namespace

RecentFiles::RecentFiles(QSettings* settings) : m_settings(settings)
{
    if (!m_settings) {
        return;
    }
    // A list edited by hand may hold blanks or repeats: keep the first of each.
    for (const QString& path : m_settings->value(Key).toStringList()) {
        if (!path.isEmpty() && !m_files.contains(path) && m_files.size() < Limit) {
            m_files.append(path);
        }
    }
}

void RecentFiles::add(const QString& path)
{
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > Limit) {
        m_files.removeLast();
    }
    store();
}

void RecentFiles::remove(const QString& path)
{
    m_files.removeAll(path);
    store();
}

void RecentFiles::store()
{
    if (!m_settings) {
        return;
    }
    // An empty list would be written as "@Invalid()": leave the key out instead.
    if (m_files.isEmpty()) {
        m_settings->remove(Key);
    } else {
        m_settings->setValue(Key, m_files);
    }
    m_settings->sync();
}
