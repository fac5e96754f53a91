#include "ui/QtPlatform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QProcess>

std::unique_ptr<QFileDialog> QtPlatform::makeOpenDialog(QWidget* parent, const QList<FileFilter>& filters)
{
    QStringList nameFilters;
    for (const FileFilter& f : filters) {
        // The caption carries its pattern in brackets, which is what Qt matches on.
        nameFilters << (f.description.contains(u'(') ? f.description
                                                     : QStringLiteral("%1 (%2)").arg(f.description, f.pattern));
    }
    auto dialog = std::make_unique<QFileDialog>(parent);
    // Qt's own dialog, so that "*.*" can be made to match every name.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters(nameFilters);
    // Qt matches "*.*" only against names with a dot; once Qt has applied the
    // chosen filter, the file list drops it for such a filter.
    QObject::connect(
        dialog.get(), &QFileDialog::filterSelected, dialog.get(),
        [files = dialog->findChild<QFileSystemModel*>(), filters, nameFilters](const QString& chosen) {
            const qsizetype i = nameFilters.indexOf(chosen);
            if (files && i >= 0 && filters[i].pattern == QLatin1String("*.*")) {
                files->setNameFilters({});
            }
        },
        Qt::QueuedConnection);
    if (!nameFilters.isEmpty()) {
        dialog->selectNameFilter(nameFilters.first());
    }
    return dialog;
}

std::optional<QString> QtPlatform::openFileName(QWidget* parent, const QList<FileFilter>& filters)
{
    const std::unique_ptr<QFileDialog> dialog = makeOpenDialog(parent, filters);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().first();
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

void QtPlatform::showModal(QDialog* dialog)
{
    dialog->exec();
}

void QtPlatform::endProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
