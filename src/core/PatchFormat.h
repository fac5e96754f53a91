#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The two patch formats, told apart by their first bytes when applied and by
// the file name (or the file type the user chose) when made.
namespace PatchFormat {

enum class Kind { Ips, Bps };

// "IPS patch (*.ips)" and "BPS patch (*.bps)", in this order.
QString FilterDescription(Kind kind);
QString Suffix(Kind kind);  // "ips", "bps"

// The format a patch file name asks for: its own ".ips" or ".bps" ending
// first, else the chosen file type. The name is returned with that ending
// appended when it had neither.
Kind ForFileName(QString* fileName, Kind chosenType);

// The patch that turns `source` into `target`.
std::optional<QByteArray> Create(Kind kind, const QByteArray& source, const QByteArray& target, QString* error);

// `source` with `patch` applied, the format read from the patch's first bytes.
std::optional<QByteArray> Apply(const QByteArray& source, const QByteArray& patch, QString* error);

// Writes the patch that turns the file `originalPath` into the file
// `modifiedPath` to `patchPath` (replaced whole, or left as it was). Two
// files alike make no patch: nothing is written, and `Unchanged` says so.
enum class Created { Written, Unchanged, Failed };
Created CreateFile(Kind kind, const QString& originalPath, const QString& modifiedPath, const QString& patchPath,
                   QString* error);

// Applies the patch file `patchPath` to the cartridge file `cartridgePath`:
// a patch that is malformed, truncated or made for another file is refused
// before any byte is written; otherwise the file is rewritten whole (backup
// first) through CartridgeFile.
bool ApplyFile(const QString& cartridgePath, const QString& patchPath, QString* error);

}  // namespace PatchFormat
