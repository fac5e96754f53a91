#pragma once

#include <QByteArray>
#include <QtGlobal>

// The in-memory copy of file offsets 16400..139279 of the cartridge. It is
// indexed by file offset (header counted), so an editor working on file offset
// F reads and writes element F with no translation.
class CartridgeImage {
public:
    static constexpr qint32 FirstIndex = 16400;  // 0x4010
    static constexpr qint32 LastIndex = 139279;  // 0x2200F
    static constexpr qint32 Size = LastIndex - FirstIndex + 1;  // 122880

    CartridgeImage();

    static constexpr bool contains(qint64 index) { return index >= FirstIndex && index <= LastIndex; }

    quint8 at(qint32 index) const
    {
        Q_ASSERT(contains(index));
        return static_cast<quint8>(m_bytes.constData()[index - FirstIndex]);
    }
    void set(qint32 index, quint8 value)
    {
        Q_ASSERT(contains(index));
        m_bytes.data()[index - FirstIndex] = static_cast<char>(value);
    }

    // The whole range, element 16400 first.
    const QByteArray& bytes() const { return m_bytes; }

    // Replaces the whole range with `fileBytes` (read from offset 16400 on);
    // elements past the end of a shorter run become zero.
    void assign(const QByteArray& fileBytes);

private:
    QByteArray m_bytes;
};
