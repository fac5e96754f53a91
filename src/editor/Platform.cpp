#include "editor/Platform.h"

#include <QCoreApplication>

Platform::~Platform() = default;

QString Platform::Paragraphs(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

Platform::FileFilter Platform::AllFiles()
{
    return {QStringLiteral("All Files(*.*)"), QStringLiteral("*.*")};
}

void Platform::openDocument(const QString& program, const QStringList& arguments, std::function<void()> failed)
{
    QString error;
    if (!startDetached(program, arguments, &error)) {
        failed();
    }
}

void Platform::processEvents()
{
    QCoreApplication::processEvents();
}

bool Platform::isShowingModal() const
{
    return false;
}

QSettings* Platform::settings()
{
    return nullptr;
}
