#include "ScriptedPlatform.h"

#include <QDialog>

std::optional<QString> ScriptedPlatform::openFileName(QWidget*, const QList<FileFilter>& filters)
{
    ++openCalls;
    openFilters << filters;
    return openAnswers.isEmpty() ? std::nullopt : openAnswers.takeFirst();
}

std::optional<QColor> ScriptedPlatform::chooseColor(QWidget*, const QColor&)
{
    ++colorCalls;
    return colorAnswers.isEmpty() ? std::nullopt : colorAnswers.takeFirst();
}

void ScriptedPlatform::message(QWidget*, const QString& title, const QString& text, Icon icon)
{
    messages << Shown{title, text, icon};
}

bool ScriptedPlatform::question(QWidget*, const QString& title, const QString& text)
{
    questions << Shown{title, text, Icon::Question};
    return questionAnswers.isEmpty() ? false : questionAnswers.takeFirst();
}

bool ScriptedPlatform::startDetached(const QString& program, const QStringList& arguments, QString* error)
{
    started << qMakePair(program, arguments);
    if (!startSucceeds && error) {
        *error = QStringLiteral("No such program");
    }
    return startSucceeds;
}

void ScriptedPlatform::showModal(QDialog* dialog)
{
    modals << dialog;
    dialog->setModal(true);
    dialog->show();
}

void ScriptedPlatform::endProgram()
{
    ended = true;
}

std::optional<QString> ScriptedPlatform::openFileNameTitled(QWidget* parent, const QString&,
                                                            const QList<FileFilter>& filters)
{
    return openFileName(parent, filters);
}

std::optional<QString> ScriptedPlatform::saveFileName(QWidget*, const QString&, const QList<FileFilter>&,
                                                      int* filterIndex)
{
    const auto answer = saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
    if (!answer) {
        return std::nullopt;
    }
    *filterIndex = answer->filterIndex;
    return answer->path;
}

int ScriptedPlatform::choice(QWidget*, const QString& title, const QString& text, const QStringList& buttons)
{
    choices << Shown{title, text, Icon::Question};
    choiceButtons << buttons;
    return choiceAnswers.isEmpty() ? -1 : choiceAnswers.takeFirst();
}

std::optional<Platform::MapImageOptions> ScriptedPlatform::chooseMapImage(QWidget*, const MapImageOptions&)
{
    return mapImageAnswers.isEmpty() ? std::nullopt : mapImageAnswers.takeFirst();
}

QStringList ScriptedPlatform::messageTitles() const
{
    QStringList titles;
    for (const Shown& m : messages) {
        titles << m.title;
    }
    return titles;
}
