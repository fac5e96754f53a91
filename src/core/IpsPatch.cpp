#include "core/IpsPatch.h"

#include "core/NumberText.h"

#include <algorithm>

namespace IpsPatch {

namespace {

constexpr qint64 RunWorthIt = 13;  // a run in the middle of a record saves bytes from this length on
constexpr qint64 GapWorthSplitting = 6;  // fewer unchanged bytes than this are cheaper carried along

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

void putBigEndian(QByteArray& out, qint64 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

qint64 readBigEndian(const QByteArray& in, qint64 at, int bytes)
{
    qint64 value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = (value << 8) | static_cast<quint8>(in[at + i]);
    }
    return value;
}

class Writer {
public:
    Writer(const QByteArray& target, QByteArray& out) : m_target(target), m_out(out) {}

    void literal(qint64 offset, qint64 length)
    {
        putBigEndian(m_out, offset, 3);
        putBigEndian(m_out, length, 2);
        m_out.append(m_target.constData() + offset, length);
    }

    void run(qint64 offset, qint64 length)
    {
        putBigEndian(m_out, offset, 3);
        putBigEndian(m_out, 0, 2);
        putBigEndian(m_out, length, 2);
        m_out.append(m_target[offset]);
    }

    // Writes target bytes [start, end) as literal and run records.
    void region(qint64 start, qint64 end)
    {
        qint64 p = start;
        while (p < end) {
            if (p == EofOffset) {
                // A record cannot start here: start one byte earlier, carrying the byte before.
                literal(p - 1, 2);
                ++p;
                continue;
            }
            const qint64 limit = std::min(end, p + MaxRecord);
            qint64 runEnd = p + 1;
            while (runEnd < limit && m_target[runEnd] == m_target[p]) {
                ++runEnd;
            }
            if (runEnd - p >= RunWorthIt || (runEnd == end && runEnd - p > 3)) {
                run(p, runEnd - p);
                p = runEnd;
                continue;
            }
            // A literal record, up to the next run worth a record of its own.
            qint64 q = p + 1;
            qint64 runStart = p;
            while (q < limit) {
                if (m_target[q] != m_target[q - 1]) {
                    runStart = q;
                } else if (q - runStart + 1 >= RunWorthIt) {
                    break;
                }
                ++q;
            }
            const qint64 literalEnd = q < limit ? runStart : q;
            literal(p, literalEnd - p);
            p = literalEnd;
        }
    }

private:
    const QByteArray& m_target;
    QByteArray& m_out;
};

}  // namespace

std::optional<QByteArray> Create(const QByteArray& source, const QByteArray& target, QString* error)
{
    if (target.size() >= MaxFileSize) {
        setError(error, QStringLiteral("IPS patches reach only the first 16 MiB of a file, and the target is %1 bytes "
                                       "long; make a BPS patch instead")
                            .arg(target.size()));
        return std::nullopt;
    }
    const qint64 sourceSize = source.size();
    const qint64 targetSize = target.size();
    const auto differs = [&](qint64 i) { return i >= sourceSize || source[i] != target[i]; };

    QByteArray out("PATCH");
    Writer writer(target, out);
    qint64 pos = 0;
    while (pos < targetSize) {
        if (!differs(pos)) {
            ++pos;
            continue;
        }
        // A changed region: changed bytes, with short unchanged gaps carried along.
        const qint64 start = pos;
        qint64 end = pos;
        while (end < targetSize) {
            if (differs(end)) {
                ++end;
                continue;
            }
            qint64 gap = end;
            while (gap < targetSize && gap - end < GapWorthSplitting && !differs(gap)) {
                ++gap;
            }
            if (gap == targetSize || gap - end >= GapWorthSplitting) {
                break;
            }
            end = gap;
        }
        writer.region(start, end);
        pos = end;
    }
    out.append("EOF");
    if (targetSize < sourceSize) {
        putBigEndian(out, targetSize, 3);
    }
    return out;
}

std::optional<QByteArray> Apply(const QByteArray& source, const QByteArray& patch, QString* error)
{
    const qint64 size = patch.size();
    if (!patch.startsWith("PATCH")) {
        setError(error, QStringLiteral("it does not start with \"PATCH\", so it is no IPS patch"));
        return std::nullopt;
    }
    QByteArray out = source;
    qint64 at = 5;
    const auto truncated = [&](qint64 recordAt) {
        setError(error,
                 QStringLiteral("it is truncated: the record at byte %1 of the patch runs past its end (%2 bytes)")
                     .arg(recordAt)
                     .arg(size));
        return std::nullopt;
    };
    for (;;) {
        if (size - at < 3) {
            setError(error,
                     QStringLiteral("it is truncated: it ends after %1 bytes without the closing \"EOF\"").arg(size));
            return std::nullopt;
        }
        if (patch.mid(at, 3) == "EOF") {
            at += 3;
            break;
        }
        const qint64 recordAt = at;
        if (size - at < 5) {
            return truncated(recordAt);
        }
        const qint64 offset = readBigEndian(patch, at, 3);
        qint64 length = readBigEndian(patch, at + 3, 2);
        at += 5;
        bool isRun = false;
        if (length == 0) {
            if (size - at < 3) {
                return truncated(recordAt);
            }
            length = readBigEndian(patch, at, 2);
            isRun = true;
            if (length == 0) {
                setError(error,
                         QStringLiteral("the run record at byte %1 of the patch has a length of 0").arg(recordAt));
                return std::nullopt;
            }
        } else if (size - at < length) {
            return truncated(recordAt);
        }
        if (offset + length > MaxFileSize) {
            setError(error, QStringLiteral("the record at byte %1 of the patch writes up to offset %2, past 16 MiB, "
                                           "more than any cartridge holds")
                                .arg(recordAt)
                                .arg(offset + length));
            return std::nullopt;
        }
        if (out.size() < offset + length) {
            out.append(QByteArray(offset + length - out.size(), '\0'));
        }
        if (isRun) {
            std::fill_n(out.begin() + offset, length, patch[at + 2]);
            at += 3;
        } else {
            std::copy_n(patch.constData() + at, length, out.begin() + offset);
            at += length;
        }
    }
    if (size - at == 3) {
        const qint64 cut = readBigEndian(patch, at, 3);
        if (cut < out.size()) {
            out.truncate(cut);
        }
    } else if (size != at) {
        setError(error,
                 NumberText::Counted(
                     size - at, QStringLiteral("%1 byte follows its closing \"EOF\", where only a 3-byte length may"),
                     QStringLiteral("%1 bytes follow its closing \"EOF\", where only a 3-byte length may")));
        return std::nullopt;
    }
    return out;
}

}  // namespace IpsPatch
