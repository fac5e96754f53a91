#include "core/Cartridge.h"

#include "core/CartridgeFile.h"

bool Cartridge::HasSignature(QByteArrayView start)
{
    return start.startsWith(QByteArrayView("NES\x1A", 4));
}

bool Cartridge::LoadCartridge(const QString& path, QString* error)
{
    const auto bytes = CartridgeFile::readAvailable(path, CartridgeImage::FirstIndex, CartridgeImage::Size, error);
    if (!bytes) {
        return false;
    }
    m_image.assign(*bytes);
    m_path = path;
    CartridgeFile::rememberState(path, CartridgeImage::FirstIndex, CartridgeImage::Size);
    return true;
}

bool Cartridge::checkLoaded(QString* error) const
{
    if (m_path.isEmpty() && error) {
        *error = QStringLiteral("No cartridge has been loaded.");
    }
    return !m_path.isEmpty();
}

bool Cartridge::save(QString* error) const
{
    return checkLoaded(error) && CartridgeFile::patch(m_path, imagePatch(), error);
}

std::optional<QByteArray> Cartridge::savedBytes(QString* error) const
{
    if (!checkLoaded(error)) {
        return std::nullopt;
    }
    return CartridgeFile::patched(m_path, imagePatch(), error);
}

void Cartridge::storeWritten(const QList<FilePatch>& patches)
{
    for (const FilePatch& p : patches) {
        for (qsizetype i = 0; i < p.bytes.size(); ++i) {
            const qint64 index = p.offset + i;
            if (CartridgeImage::contains(index)) {
                m_image.set(static_cast<qint32>(index), static_cast<quint8>(p.bytes[i]));
            }
        }
    }
}
