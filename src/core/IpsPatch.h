#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// IPS patches: "PATCH", then records (a 3-byte big-endian offset, a 2-byte
// size and that many bytes; a size of 0 makes a run: a 2-byte count and one
// byte value), then "EOF" and, when the target is shorter than the source, a
// 3-byte length to cut it to. Offsets lie below 16 MiB; a record holds at
// most 0xFFFF bytes; no record may start at 0x454F46, which reads as "EOF".
namespace IpsPatch {

inline constexpr qint64 EofOffset = 0x454F46;
inline constexpr qint64 MaxRecord = 0xFFFF;
inline constexpr qint64 MaxFileSize = 0x1000000;  // 16 MiB: the last offset a record can name

// The patch that turns `source` into `target`, or an error (a target too long for IPS).
std::optional<QByteArray> Create(const QByteArray& source, const QByteArray& target, QString* error);

// `source` with `patch` applied, or an error when the patch is malformed,
// truncated or would make a file longer than 16 MiB.
std::optional<QByteArray> Apply(const QByteArray& source, const QByteArray& patch, QString* error);

}  // namespace IpsPatch
