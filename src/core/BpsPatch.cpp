#include "core/BpsPatch.h"

#include "core/Crc32.h"

#include <algorithm>
#include <vector>

namespace BpsPatch {

namespace {

enum Action : quint64 { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

constexpr qint64 FooterSize = 12;
constexpr qint64 MinimumMatch = 8;  // a shorter copy from elsewhere costs more than it saves
constexpr int HashBits = 16;

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

// "1 byte", "2 bytes"; a size read from a patch may exceed any file.
QString bytes(quint64 count)
{
    return count == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(count);
}

void putNumber(QByteArray& out, quint64 value)
{
    for (;;) {
        const quint64 low = value & 0x7F;
        value >>= 7;
        if (value == 0) {
            out.append(static_cast<char>(0x80 | low));
            return;
        }
        out.append(static_cast<char>(low));
        --value;
    }
}

void putAction(QByteArray& out, Action action, qint64 length)
{
    putNumber(out, (static_cast<quint64>(length - 1) << 2) | action);
}

void putOffset(QByteArray& out, qint64 delta)
{
    putNumber(out, (static_cast<quint64>(delta < 0 ? -delta : delta) << 1) | (delta < 0 ? 1 : 0));
}

void putLittleEndian32(QByteArray& out, quint32 value)
{
    for (int i = 0; i < 4; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

quint32 readLittleEndian32(const QByteArray& in, qint64 at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<quint8>(in[at + i]);
    }
    return value;
}

quint32 hashAt(const char* p)
{
    quint32 v = 0;
    std::copy_n(p, 4, reinterpret_cast<char*>(&v));
    return (v * 2654435761U) >> (32 - HashBits);
}

class Encoder {
public:
    Encoder(const QByteArray& source, const QByteArray& target, QByteArray& out)
        : m_source(source), m_target(target), m_out(out), m_table(std::size_t(1) << HashBits, -1)
    {
        // The last place each 4-byte sequence of the source starts, for copies of moved data.
        for (qint64 p = 0; p + 4 <= m_source.size(); ++p) {
            m_table[hashAt(m_source.constData() + p)] = p;
        }
    }

    void encode()
    {
        const qint64 sourceSize = m_source.size();
        const qint64 targetSize = m_target.size();
        qint64 i = 0;
        while (i < targetSize) {
            qint64 same = 0;
            while (i + same < targetSize && i + same < sourceSize && m_source[i + same] == m_target[i + same]) {
                ++same;
            }
            if (same >= (m_literalStart < 0 ? 1 : 3)) {
                flushLiteral(i);
                putAction(m_out, SourceRead, same);
                i += same;
                continue;
            }
            qint64 run = 1;
            while (i + run < targetSize && m_target[i + run] == m_target[i]) {
                ++run;
            }
            if (run >= MinimumMatch && i > 0 && m_target[i - 1] == m_target[i]) {
                flushLiteral(i);
                putAction(m_out, TargetCopy, run);
                putOffset(m_out, (i - 1) - m_targetRelative);
                m_targetRelative = i - 1 + run;
                i += run;
                continue;
            }
            if (const qint64 match = sourceMatch(i); match > 0) {
                flushLiteral(i);
                putAction(m_out, SourceCopy, m_matchLength);
                putOffset(m_out, match - 1 - m_sourceRelative);
                m_sourceRelative = match - 1 + m_matchLength;
                i += m_matchLength;
                continue;
            }
            if (m_literalStart < 0) {
                m_literalStart = i;
            }
            ++i;
        }
        flushLiteral(targetSize);
    }

private:
    // 1 + the source position of a copy worth making for target position i (its
    // length in m_matchLength), or 0.
    qint64 sourceMatch(qint64 i)
    {
        if (i + MinimumMatch > m_target.size() || m_source.size() < MinimumMatch) {
            return 0;
        }
        const qint64 p = m_table[hashAt(m_target.constData() + i)];
        if (p < 0 || p == i) {
            return 0;
        }
        qint64 length = 0;
        while (p + length < m_source.size() && i + length < m_target.size() &&
               m_source[p + length] == m_target[i + length]) {
            ++length;
        }
        if (length < MinimumMatch) {
            return 0;
        }
        m_matchLength = length;
        return p + 1;
    }

    void flushLiteral(qint64 end)
    {
        if (m_literalStart < 0) {
            return;
        }
        putAction(m_out, TargetRead, end - m_literalStart);
        m_out.append(m_target.constData() + m_literalStart, end - m_literalStart);
        m_literalStart = -1;
    }

    const QByteArray& m_source;
    const QByteArray& m_target;
    QByteArray& m_out;
    std::vector<qint64> m_table;
    qint64 m_literalStart = -1;
    qint64 m_sourceRelative = 0;
    qint64 m_targetRelative = 0;
    qint64 m_matchLength = 0;
};

// Reads the patch's numbers and bytes, refusing to run past the actions.
class Reader {
public:
    Reader(const QByteArray& patch, qint64 end) : m_patch(patch), m_end(end) {}

    qint64 position() const { return m_at; }
    void skipTo(qint64 at) { m_at = at; }
    bool atEnd() const { return m_at >= m_end; }

    std::optional<quint64> number()
    {
        quint64 value = 0;
        quint64 shift = 1;
        for (;;) {
            if (m_at >= m_end || shift > (quint64(1) << 49)) {
                return std::nullopt;  // runs past the actions, or more than any file needs
            }
            const auto x = static_cast<quint8>(m_patch[m_at++]);
            value += (x & 0x7F) * shift;
            if (x & 0x80) {
                return value;
            }
            shift <<= 7;
            value += shift;
        }
    }

    std::optional<qint64> offset()
    {
        const auto n = number();
        if (!n) {
            return std::nullopt;
        }
        const auto magnitude = static_cast<qint64>(*n >> 1);
        return (*n & 1) ? -magnitude : magnitude;
    }

private:
    const QByteArray& m_patch;
    qint64 m_end;
    qint64 m_at = 4;
};

}  // namespace

std::optional<QByteArray> Create(const QByteArray& source, const QByteArray& target, QString* error)
{
    if (target.size() > MaxTargetSize) {
        setError(error, QStringLiteral("the target is %1 bytes long, more than the %2 bytes this program patches")
                            .arg(target.size())
                            .arg(MaxTargetSize));
        return std::nullopt;
    }
    QByteArray out("BPS1");
    putNumber(out, static_cast<quint64>(source.size()));
    putNumber(out, static_cast<quint64>(target.size()));
    putNumber(out, 0);  // no metadata
    Encoder(source, target, out).encode();
    putLittleEndian32(out, Crc32::Of(source));
    putLittleEndian32(out, Crc32::Of(target));
    putLittleEndian32(out, Crc32::Of(out));
    return out;
}

std::optional<QByteArray> Apply(const QByteArray& source, const QByteArray& patch, QString* error)
{
    const qint64 size = patch.size();
    if (!patch.startsWith("BPS1")) {
        setError(error, QStringLiteral("it does not start with \"BPS1\", so it is no BPS patch"));
        return std::nullopt;
    }
    if (size < 4 + 3 + FooterSize) {
        setError(error, QStringLiteral("it is truncated: %1 bytes are too few for a BPS patch").arg(size));
        return std::nullopt;
    }
    const quint32 patchCrc = Crc32::Of(QByteArrayView(patch).first(size - 4));
    if (patchCrc != readLittleEndian32(patch, size - 4)) {
        setError(error, QStringLiteral("it is damaged or truncated: its own checksum does not match"));
        return std::nullopt;
    }
    const qint64 actionsEnd = size - FooterSize;
    Reader in(patch, actionsEnd);
    const auto sourceSize = in.number();
    const auto targetSize = in.number();
    const auto metadataSize = in.number();
    if (!sourceSize || !targetSize || !metadataSize || *metadataSize > quint64(actionsEnd - in.position())) {
        setError(error, QStringLiteral("its header is malformed"));
        return std::nullopt;
    }
    const quint32 sourceCrc = Crc32::Of(source);
    const bool madeForThis =
        *sourceSize == quint64(source.size()) && readLittleEndian32(patch, actionsEnd) == sourceCrc;
    if (!madeForThis && *targetSize == quint64(source.size()) &&
        readLittleEndian32(patch, actionsEnd + 4) == sourceCrc) {
        setError(error, QStringLiteral("it was already applied to this file: the file is the one the patch makes"));
        return std::nullopt;
    }
    if (*sourceSize != quint64(source.size())) {
        setError(error, QStringLiteral("it was made for a file of %1, and this file is %2 long")
                            .arg(bytes(*sourceSize), bytes(source.size())));
        return std::nullopt;
    }
    if (!madeForThis) {
        setError(error, QStringLiteral("it was made for another file: the file's checksum is not the one the patch "
                                       "expects"));
        return std::nullopt;
    }
    if (*targetSize > quint64(MaxTargetSize)) {
        setError(error,
                 QStringLiteral("it would make a file of %1 bytes, more than any cartridge holds").arg(*targetSize));
        return std::nullopt;
    }
    in.skipTo(in.position() + static_cast<qint64>(*metadataSize));

    const auto length = static_cast<qint64>(*targetSize);
    QByteArray out(length, '\0');
    qint64 output = 0;
    qint64 sourceRelative = 0;
    qint64 targetRelative = 0;
    const auto malformed = [&](qint64 at) {
        setError(
            error,
            QStringLiteral("it is malformed: the action at byte %1 of the patch reaches outside the files").arg(at));
        return std::nullopt;
    };
    while (!in.atEnd()) {
        const qint64 actionAt = in.position();
        const auto data = in.number();
        if (!data) {
            return malformed(actionAt);
        }
        const auto count = static_cast<qint64>(*data >> 2) + 1;
        if (count > length - output) {
            return malformed(actionAt);
        }
        switch (static_cast<Action>(*data & 3)) {
        case SourceRead:
            if (output + count > source.size()) {
                return malformed(actionAt);
            }
            std::copy_n(source.constData() + output, count, out.begin() + output);
            break;
        case TargetRead:
            if (count > actionsEnd - in.position()) {
                return malformed(actionAt);
            }
            std::copy_n(patch.constData() + in.position(), count, out.begin() + output);
            in.skipTo(in.position() + count);
            break;
        case SourceCopy: {
            const auto delta = in.offset();
            if (!delta) {
                return malformed(actionAt);
            }
            sourceRelative += *delta;
            if (sourceRelative < 0 || sourceRelative + count > source.size()) {
                return malformed(actionAt);
            }
            std::copy_n(source.constData() + sourceRelative, count, out.begin() + output);
            sourceRelative += count;
            break;
        }
        case TargetCopy: {
            const auto delta = in.offset();
            if (!delta) {
                return malformed(actionAt);
            }
            targetRelative += *delta;
            if (targetRelative < 0 || targetRelative >= output) {
                return malformed(actionAt);
            }
            // Byte by byte: the copy may read what it has just written (a run).
            char* bytes = out.data();
            for (qint64 k = 0; k < count; ++k) {
                bytes[output + k] = bytes[targetRelative + k];
            }
            targetRelative += count;
            break;
        }
        }
        output += count;
    }
    if (output != length) {
        setError(error, QStringLiteral("it is malformed: its actions make %1 of the %2 of the target")
                            .arg(QString::number(output), bytes(static_cast<quint64>(length))));
        return std::nullopt;
    }
    if (Crc32::Of(out) != readLittleEndian32(patch, actionsEnd + 4)) {
        setError(error, QStringLiteral("the result's checksum is not the one the patch expects"));
        return std::nullopt;
    }
    return out;
}

}  // namespace BpsPatch
