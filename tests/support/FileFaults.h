#pragma once

#include <QList>
#include <QString>

// The ways a cartridge file fails under the program, shared by the file
// tests and the window fault tests: each is made for real on disk.
namespace FileFaults {

struct Fault {
    QString name;
    QString reason;  // what the error must say; "%1" and "%2": the length and the length needed
};

// missing, a folder, short, folder gone, folder replaced by a file, dangling link.
const QList<Fault>& All();

// Makes `path`, which lies in a folder of its own, fail as `fault` says; a
// short file keeps its first `shortLength` bytes.
bool Make(const QString& path, const QString& fault, qint64 shortLength);

// The reason an error about `fault` must give, for a file that needed `needed` bytes.
QString Reason(const QString& fault, qint64 needed);

}  // namespace FileFaults
