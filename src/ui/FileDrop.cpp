#include "ui/FileDrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace FileDrop {

std::optional<QString> Cartridge(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().first();
    if (!url.isLocalFile()) {
        return std::nullopt;
    }
    const QString path = url.toLocalFile();
    if (!path.endsWith(QStringLiteral(".nes"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace FileDrop
