#include "core/PatchFormat.h"

#include "core/BpsPatch.h"
#include "core/CartridgeFile.h"
#include "core/IpsPatch.h"

#include <QFileInfo>
#include <QSaveFile>

namespace PatchFormat {

QString FilterDescription(Kind kind)
{
    return kind == Kind::Ips ? QStringLiteral("IPS patch (*.ips)") : QStringLiteral("BPS patch (*.bps)");
}

QString Suffix(Kind kind)
{
    return kind == Kind::Ips ? QStringLiteral("ips") : QStringLiteral("bps");
}

Kind ForFileName(QString* fileName, Kind chosenType)
{
    for (Kind kind : {Kind::Ips, Kind::Bps}) {
        if (fileName->endsWith(u'.' + Suffix(kind), Qt::CaseInsensitive)) {
            return kind;
        }
    }
    fileName->append(u'.' + Suffix(chosenType));
    return chosenType;
}

std::optional<QByteArray> Create(Kind kind, const QByteArray& source, const QByteArray& target, QString* error)
{
    return kind == Kind::Ips ? IpsPatch::Create(source, target, error) : BpsPatch::Create(source, target, error);
}

std::optional<QByteArray> Apply(const QByteArray& source, const QByteArray& patch, QString* error)
{
    if (patch.startsWith("PATCH")) {
        return IpsPatch::Apply(source, patch, error);
    }
    if (patch.startsWith("BPS1")) {
        return BpsPatch::Apply(source, patch, error);
    }
    if (error) {
        *error = QStringLiteral("it is neither an IPS patch (starting with \"PATCH\") nor a BPS patch (starting with "
                                "\"BPS1\")");
    }
    return std::nullopt;
}

namespace {

// Refuses a file far larger than any cartridge (or patch of one) before it is read whole.
bool checkSize(const QString& path, QString* error)
{
    const auto size = CartridgeFile::size(path, error);
    if (size && *size > BpsPatch::MaxTargetSize) {
        if (error) {
            *error = QStringLiteral("The file \"%1\" is %2 bytes long, more than any cartridge or patch of one.")
                         .arg(path)
                         .arg(*size);
        }
        return false;
    }
    return size.has_value();
}

}  // namespace

Created CreateFile(Kind kind, const QString& originalPath, const QString& modifiedPath, const QString& patchPath,
                   QString* error)
{
    const QString real = QFileInfo(patchPath).canonicalFilePath();
    if (!real.isEmpty() &&
        (real == QFileInfo(originalPath).canonicalFilePath() || real == QFileInfo(modifiedPath).canonicalFilePath())) {
        if (error) {
            *error =
                QStringLiteral("The patch cannot be written over the cartridge \"%1\" it is made from.").arg(patchPath);
        }
        return Created::Failed;
    }
    if (!checkSize(originalPath, error) || !checkSize(modifiedPath, error)) {
        return Created::Failed;
    }
    const auto original = CartridgeFile::readAll(originalPath, error);
    const auto modified = original ? CartridgeFile::readAll(modifiedPath, error) : std::nullopt;
    if (!modified) {
        return Created::Failed;
    }
    if (*original == *modified) {
        return Created::Unchanged;
    }
    QString reason;
    const auto patch = Create(kind, *original, *modified, &reason);
    if (!patch) {
        if (error) {
            *error = QStringLiteral("No patch was made from \"%1\": %2.").arg(originalPath, reason);
        }
        return Created::Failed;
    }
    QSaveFile out(patchPath);
    // A commit does not report a failed last flush (the patch would be cut short): flushed first.
    if (!out.open(QIODevice::WriteOnly) || out.write(*patch) != patch->size() || !out.flush() || !out.commit()) {
        if (error) {
            *error = QStringLiteral("The patch \"%1\" could not be written: %2.").arg(patchPath, out.errorString());
        }
        return Created::Failed;
    }
    return Created::Written;
}

bool ApplyFile(const QString& cartridgePath, const QString& patchPath, QString* error)
{
    if (!checkSize(patchPath, error) || !checkSize(cartridgePath, error)) {
        return false;
    }
    const auto patch = CartridgeFile::readAll(patchPath, error);
    const auto cartridge = patch ? CartridgeFile::readAll(cartridgePath, error) : std::nullopt;
    if (!cartridge) {
        return false;
    }
    QString reason;
    const auto patched = Apply(*cartridge, *patch, &reason);
    if (!patched) {
        if (error) {
            *error =
                QStringLiteral("The patch \"%1\" was not applied to \"%2\": %3.").arg(patchPath, cartridgePath, reason);
        }
        return false;
    }
    return CartridgeFile::replace(cartridgePath, *patched, error);
}

}  // namespace PatchFormat
