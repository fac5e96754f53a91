#include "ScriptedPlatform.h"

#include <QProcess>

std::optional<QString> ScriptedPlatform::openFileName(const QString& title, const QList<FileFilter>& filters,
                                                      const QString& folder)
{
    openDialogs << FileDialog{title, filters, folder};
    return openAnswers.isEmpty() ? std::nullopt : openAnswers.takeFirst();
}

std::optional<QString> ScriptedPlatform::saveFileName(const QString& title, const QList<FileFilter>& filters,
                                                      const QString& folder, int* filterIndex)
{
    saveDialogs << FileDialog{title, filters, folder};
    const auto answer = saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
    if (!answer) {
        return std::nullopt;
    }
    *filterIndex = answer->filterIndex;
    return answer->path;
}

std::optional<QColor> ScriptedPlatform::chooseColor(const QColor&)
{
    return colorAnswers.isEmpty() ? std::nullopt : colorAnswers.takeFirst();
}

std::optional<Platform::MapImageOptions> ScriptedPlatform::chooseMapImage(const MapImageOptions& initial)
{
    mapImageOffered << initial;
    return mapImageAnswers.isEmpty() ? std::nullopt : mapImageAnswers.takeFirst();
}

std::optional<QString> ScriptedPlatform::askText(const QString&, const QString&, const QString& text)
{
    textsOffered << text;
    return textAnswers.isEmpty() ? std::nullopt : textAnswers.takeFirst();
}

void ScriptedPlatform::message(const QString& title, const QString& text, Icon icon)
{
    messages << Shown{title, text, icon};
}

bool ScriptedPlatform::question(const QString& title, const QString& text)
{
    questions << Shown{title, text, Icon::Question};
    return questionAnswers.isEmpty() ? false : questionAnswers.takeFirst();
}

int ScriptedPlatform::choice(const QString& title, const QString& text, const QStringList& buttons, int defaultButton)
{
    choices << Shown{title, text, Icon::Question};
    choiceButtons << buttons;
    choiceDefaults << defaultButton;
    return choiceAnswers.isEmpty() ? Cancelled : choiceAnswers.takeFirst();
}

bool ScriptedPlatform::startDetached(const QString& program, const QStringList& arguments, QString* error)
{
    started << qMakePair(program, arguments);
    if (!startSucceeds && error) {
        *error = QStringLiteral("No such program");
    }
    return startsForReal ? QProcess::startDetached(program, arguments) : startSucceeds;
}

QStringList ScriptedPlatform::messageTitles() const
{
    QStringList titles;
    for (const Shown& m : messages) {
        titles << m.title;
    }
    return titles;
}

void ScriptedPlatform::processEvents()
{
    ++yields;
    if (onProcessEvents) {
        onProcessEvents(yields);
    }
    Platform::processEvents();
}
