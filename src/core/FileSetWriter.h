#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QSaveFile;

// Writes several files as one: all of them complete, or none changed. Each
// file is first written whole to a temporary file beside it; only when every
// one of them is written are they put in place, one by one. Should putting
// one in place fail after others were, those are put back as they were (their
// earlier contents written again, or removed where there was no file), so a
// map is never left beside a tileset of another export.
class FileSetWriter {
public:
    virtual ~FileSetWriter();

    void add(const QString& path, const QByteArray& contents);

    // False, with `error` naming the file and the reason, when any file could
    // not be written.
    bool commit(QString* error);

protected:
    // Puts one file, written whole, in place of the old; the tests make it fail.
    virtual bool putInPlace(QSaveFile& file);

private:
    struct Entry {
        QString path;
        QByteArray contents;
    };
    QList<Entry> m_files;
};
