#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// The CRC-32 (the one of zip and PNG) that patches carry, computed by zlib.
namespace Crc32 {

quint32 Of(QByteArrayView bytes);

}  // namespace Crc32
