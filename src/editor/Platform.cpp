#include "editor/Platform.h"

Platform::~Platform() = default;

void Platform::openDocument(const QString& program, const QStringList& arguments, std::function<void()> failed)
{
    QString error;
    if (!startDetached(program, arguments, &error)) {
        failed();
    }
}

bool Platform::isShowingModal() const
{
    return false;
}

QSettings* Platform::settings()
{
    return nullptr;
}
