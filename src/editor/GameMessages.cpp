#include "editor/GameMessages.h"

#include "editor/Platform.h"

namespace GameMessages {

void ReportUnreadable(Platform& platform, const QString& windowTitle, const QString& error)
{
    platform.message(QStringLiteral("Could not read the file"),
                     Platform::Paragraphs({error, windowTitle + QStringLiteral(" cannot be shown.")}),
                     Platform::Icon::Critical);
}

}  // namespace GameMessages
