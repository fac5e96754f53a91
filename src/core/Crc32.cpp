#include "core/Crc32.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace Crc32 {

quint32 Of(QByteArrayView bytes)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
    qsizetype left = bytes.size();
    // zlib takes lengths as uInt: feed it in pieces that fit.
    while (left > 0) {
        const auto piece = static_cast<uInt>(std::min<qsizetype>(left, std::numeric_limits<uInt>::max()));
        crc = crc32(crc, data, piece);
        data += piece;
        left -= piece;
    }
    return static_cast<quint32>(crc);
}

}  // namespace Crc32
