#include "ui/QtPlatform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>

std::optional<QString> QtPlatform::openFileName(QWidget* parent, const QList<FileFilter>& filters)
{
    QStringList nameFilters;
    for (const FileFilter& f : filters) {
        // The caption carries its pattern in brackets, which is what Qt matches on.
        nameFilters << (f.description.contains(u'(') ? f.description
                                                     : QStringLiteral("%1 (%2)").arg(f.description, f.pattern));
    }
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) {
        dialog.selectNameFilter(nameFilters.first());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtPlatform::chooseColor(QWidget* parent, const QColor& initial)
{
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

void QtPlatform::message(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::Information: boxIcon = QMessageBox::Information; break;
    case Icon::Exclamation: boxIcon = QMessageBox::Warning; break;
    case Icon::Critical: boxIcon = QMessageBox::Critical; break;
    case Icon::Question: boxIcon = QMessageBox::Question; break;
    }
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtPlatform::question(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtPlatform::startDetached(const QString& program, const QStringList& arguments, QString* error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached()) {
        if (error) {
            *error = process.errorString();
        }
        return false;
    }
    return true;
}

void QtPlatform::openDocument(const QString& program, const QStringList& arguments, std::function<void()> failed)
{
#ifdef Q_OS_WIN
    // notepad.exe is the viewer itself: it must outlive the program.
    Platform::openDocument(program, arguments, std::move(failed));
#else
    // xdg-open tells by its exit code whether the desktop had a way to open
    // the file; it is watched, never waited for. A viewer it runs in the
    // foreground is left alone when the program ends (only the opener is
    // stopped then), and writes nowhere the program reads.
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failed();
            opener->deleteLater();
        }
    });
    QObject::connect(opener, &QProcess::finished, opener, [opener, failed](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) {
            failed();
        }
        opener->deleteLater();
    });
    opener->start(program, arguments);
#endif
}

void QtPlatform::showModal(QDialog* dialog)
{
    dialog->exec();
}

void QtPlatform::endProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

QSettings* QtPlatform::settings()
{
    if (!m_settings) {
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 QStringLiteral("orvane-map-editor"),
                                                 QStringLiteral("orvane-map-editor"));
    }
    return m_settings.get();
}
