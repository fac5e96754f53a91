#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// BPS patches: "BPS1", the source size, target size and metadata size as
// variable-length numbers, the actions that build the target (SourceRead,
// TargetRead, SourceCopy, TargetCopy; the copies move their read position by
// signed relative offsets), then the CRC-32 of the source, of the target and
// of the patch up to that last checksum, each 4 bytes little-endian.
namespace BpsPatch {

inline constexpr qint64 MaxTargetSize = 64 * 1024 * 1024;  // far past any cartridge; a larger claim is malformed

std::optional<QByteArray> Create(const QByteArray& source, const QByteArray& target, QString* error);

// `source` with `patch` applied. Refused before anything is built when the
// patch's own checksum, the source's size or checksum do not match (a source
// that is the patch's target is named as already patched), and
// afterwards when an action reads or writes out of bounds or the result's
// checksum is not the target's.
std::optional<QByteArray> Apply(const QByteArray& source, const QByteArray& patch, QString* error);

}  // namespace BpsPatch
