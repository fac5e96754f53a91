#pragma once

#include <QString>

class Platform;

// Messages every Game table shares.
namespace GameMessages {

// A window that cannot be shown because the file cannot give its fields:
// "Could not read the file", the reason, then "<window title> cannot be shown.".
void ReportUnreadable(Platform& platform, const QString& windowTitle, const QString& error);

}  // namespace GameMessages
