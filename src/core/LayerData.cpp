#include "core/LayerData.h"

#include "core/NumberText.h"

#include <QtEndian>

#include <array>

#include <zlib.h>

namespace LayerData {

namespace {

bool fail(QString* reason, const QString& text)
{
    if (reason) {
        *reason = text;
    }
    return false;
}

const std::array<QByteArray, 257>& smallNumbers()
{
    static const std::array<QByteArray, 257> table = [] {
        std::array<QByteArray, 257> t;
        for (int i = 0; i < 257; ++i) {
            t[static_cast<std::size_t>(i)] = QByteArray::number(i);
        }
        return t;
    }();
    return table;
}

// zlib's output for the whole of `in`, with a zlib or a gzip wrapper.
QByteArray deflateAll(const QByteArray& in, bool gzip)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, gzip ? 15 + 16 : 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        return {};
    }
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(in.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    stream.avail_in = static_cast<uInt>(in.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.truncate(result == Z_STREAM_END ? static_cast<qsizetype>(stream.total_out) : 0);
    deflateEnd(&stream);
    return out;
}

// The decompressed form of zlib or gzip data (either header is taken, as
// Tiled does), which must be exactly `size` bytes: the output buffer is that
// size and never grows.
std::optional<QByteArray> inflateExactly(const QByteArray& in, qsizetype size, QString* reason)
{
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 32) != Z_OK) {
        fail(reason, QStringLiteral("the layer data could not be decompressed"));
        return std::nullopt;
    }
    QByteArray out(size, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    stream.avail_in = static_cast<uInt>(in.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const QString message = stream.msg ? QString::fromLatin1(stream.msg) : QString();
    const auto produced = static_cast<qsizetype>(stream.total_out);
    const uInt left = stream.avail_in;
    inflateEnd(&stream);
    if (result == Z_STREAM_END && produced == size && left == 0) {
        return out;
    }
    if (result == Z_STREAM_END) {
        fail(reason, left != 0 ? QStringLiteral("the layer data has bytes after its compressed data")
                               : NumberText::Counted(
                                     produced, QStringLiteral("the layer data decompresses to %1 byte; %2 are needed"),
                                     QStringLiteral("the layer data decompresses to %1 bytes; %2 are needed"))
                                     .arg(size));
    } else if (result == Z_BUF_ERROR && produced == size && left > 0) {
        fail(reason, QStringLiteral("the layer data decompresses to more than %1 bytes").arg(size));
    } else if (result == Z_BUF_ERROR) {
        fail(reason, QStringLiteral("the compressed layer data ends early"));
    } else {
        fail(reason, QStringLiteral("the compressed layer data is damaged (%1)").arg(message));
    }
    return std::nullopt;
}

}  // namespace

QByteArray NumberRows(const Gids& values, int width, QByteArrayView rowJoin)
{
    const auto& small = smallNumbers();
    QByteArray text;
    text.reserve(values.size() * 4 + values.size() / width * rowJoin.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0) {
            text += i % width == 0 ? rowJoin : QByteArrayView(",");
        }
        const quint32 value = values[i];
        text += value < small.size() ? small[value] : QByteArray::number(value);
    }
    return text;
}

QByteArray Base64Text(const Gids& gids, MapFormat::LayerEncoding encoding)
{
    QByteArray bytes(gids.size() * 4, '\0');
    for (qsizetype i = 0; i < gids.size(); ++i) {
        qToLittleEndian(gids[i], bytes.data() + 4 * i);
    }
    using MapFormat::LayerEncoding;
    if (encoding == LayerEncoding::Base64Zlib || encoding == LayerEncoding::Base64Gzip) {
        bytes = deflateAll(bytes, encoding == LayerEncoding::Base64Gzip);
    }
    return bytes.toBase64();
}

std::optional<Gids> FromCsv(QStringView text, QString* reason)
{
    Gids gids;
    gids.reserve(MapCell::Count);
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (true) {
        while (i < n && text[i].isSpace()) {
            ++i;
        }
        const qsizetype start = i;
        quint64 value = 0;
        while (i < n && text[i] >= u'0' && text[i] <= u'9' && value <= 0xFFFFFFFFULL) {
            value = value * 10 + (text[i].unicode() - u'0');
            ++i;
        }
        const qsizetype end = i;
        while (i < n && text[i].isSpace()) {
            ++i;
        }
        if (start == end && (i == n || text[i] == u',')) {
            fail(reason, QStringLiteral("the layer data has an empty entry"));
            return std::nullopt;
        }
        if (start == end || value > 0xFFFFFFFFULL || (i < n && text[i] != u',')) {
            QStringView entry = text.mid(start).left(20);
            entry = entry.left(entry.indexOf(u',')).trimmed();
            fail(reason, QStringLiteral("the layer data holds \"%1\", which is not a tile id").arg(entry));
            return std::nullopt;
        }
        if (gids.size() == MapCell::Count) {
            fail(reason, QStringLiteral("the layer data has more than %1 cells").arg(MapCell::Count));
            return std::nullopt;
        }
        gids.append(static_cast<quint32>(value));
        if (i == n) {
            break;
        }
        ++i;  // the comma
    }
    if (gids.size() != MapCell::Count) {
        fail(reason,
             NumberText::Counted(gids.size(), QStringLiteral("the layer data has %1 cell; the overworld has %2"),
                                 QStringLiteral("the layer data has %1 cells; the overworld has %2"))
                 .arg(MapCell::Count));
        return std::nullopt;
    }
    return gids;
}

std::optional<Gids> FromBase64(QStringView text, QStringView compression, QString* reason)
{
    if (compression == u"zstd") {
        fail(reason, QStringLiteral("the layer data is compressed with zstd, which this program does not read; "
                                    "save the map in Tiled with the layer format CSV or Base64 (zlib or gzip)"));
        return std::nullopt;
    }
    if (!compression.isEmpty() && compression != u"zlib" && compression != u"gzip") {
        fail(reason, QStringLiteral("the layer data has the unknown compression \"%1\"").arg(compression.left(20)));
        return std::nullopt;
    }
    QByteArray packed;
    packed.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace()) {
            packed += c.unicode() < 128 ? static_cast<char>(c.unicode()) : '!';
        }
    }
    auto decoded = QByteArray::fromBase64Encoding(packed, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        fail(reason, QStringLiteral("the layer data is not valid base64"));
        return std::nullopt;
    }
    std::optional<QByteArray> bytes = std::move(*decoded);
    if (!compression.isEmpty()) {
        bytes = inflateExactly(*bytes, Bytes, reason);
        if (!bytes) {
            return std::nullopt;
        }
    } else if (bytes->size() != Bytes) {
        fail(reason, NumberText::Counted(bytes->size(), QStringLiteral("the layer data holds %1 byte; %2 are needed"),
                                         QStringLiteral("the layer data holds %1 bytes; %2 are needed"))
                         .arg(Bytes));
        return std::nullopt;
    }
    Gids gids(MapCell::Count);
    for (qsizetype i = 0; i < MapCell::Count; ++i) {
        gids[i] = qFromLittleEndian<quint32>(bytes->constData() + 4 * i);
    }
    return gids;
}

}  // namespace LayerData
