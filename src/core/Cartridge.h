#pragma once

#include "core/CartridgeFile.h"
#include "core/CartridgeImage.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

// The cartridge being edited: its image and the path it was read from. A load
// that fails leaves both exactly as they were.
class Cartridge {
public:
    static constexpr qint64 ImageEnd = CartridgeImage::LastIndex + 1;  // 139280

    // True when a file's first bytes hold the iNES signature every cartridge file starts with:
    // 4E 45 53 1A, "NES" and 1A.
    static bool HasSignature(QByteArrayView start);
    static constexpr qint64 SignatureSize = 4;

    CartridgeImage& image() { return m_image; }
    const CartridgeImage& image() const { return m_image; }

    // Empty until the first load.
    const QString& CartridgePath() const { return m_path; }
    bool isLoaded() const { return !m_path.isEmpty(); }

    // Reads file offsets 16400..139279 of `path` in one transfer into the image
    // (zeros past the end of a shorter file) and makes `path` the cartridge.
    bool LoadCartridge(const QString& path, QString* error);

    // Writes the whole image range back over the file at CartridgePath.
    bool save(QString* error) const;

    // The whole file at CartridgePath with the image range replaced by the
    // image: what save() would leave on disk, made without writing anything.
    std::optional<QByteArray> savedBytes(QString* error) const;

    // Stores bytes just written straight to the file into the image as well,
    // for those offsets the image holds, so a later save keeps them.
    void storeWritten(const QList<FilePatch>& patches);

private:
    bool checkLoaded(QString* error) const;
    QList<FilePatch> imagePatch() const { return {FilePatch{CartridgeImage::FirstIndex, m_image.bytes()}}; }

    CartridgeImage m_image;
    QString m_path;
};
