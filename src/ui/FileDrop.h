#pragma once

#include <QString>

#include <optional>

class QMimeData;

// What a drop on the main window may carry: one local .nes file.
namespace FileDrop {

// The full path of the dropped cartridge, or nothing when the drop holds
// anything else (several files, another kind of file, a remote address, text).
std::optional<QString> Cartridge(const QMimeData* data);

}  // namespace FileDrop
