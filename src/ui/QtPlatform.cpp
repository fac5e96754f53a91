#include "ui/QtPlatform.h"

#include "core/ProgramInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>

namespace {

QStringList NameFilters(const QList<Platform::FileFilter>& filters)
{
    QStringList nameFilters;
    for (const Platform::FileFilter& f : filters) {
        // The caption carries its pattern in brackets, which is what Qt matches on.
        nameFilters << (f.description.contains(u'(') ? f.description
                                                     : QStringLiteral("%1 (%2)").arg(f.description, f.pattern));
    }
    return nameFilters;
}

}  // namespace

std::unique_ptr<QFileDialog> QtPlatform::makeOpenDialog(QWidget* parent, const QList<FileFilter>& filters)
{
    const QStringList nameFilters = NameFilters(filters);
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

QWidget* QtPlatform::owner() const
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    return m_mainWindow;
}

std::optional<QString> QtPlatform::openFileName(const QString& title, const QList<FileFilter>& filters,
                                                const QString& folder)
{
    const std::unique_ptr<QFileDialog> dialog = makeOpenDialog(owner(), filters);
    if (!title.isEmpty()) {
        dialog->setWindowTitle(title);
    }
    if (!folder.isEmpty()) {
        dialog->setDirectory(folder);
    }
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().first();
}

std::optional<QColor> QtPlatform::chooseColor(const QColor& initial)
{
    QColorDialog dialog(initial, owner());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

std::optional<QString> QtPlatform::askText(const QString& title, const QString& label, const QString& text)
{
    bool accepted = false;
    QString answer = QInputDialog::getText(owner(), title, label, QLineEdit::Normal, text, &accepted);
    return accepted ? std::optional<QString>(answer) : std::nullopt;
}

void QtPlatform::message(const QString& title, const QString& text, Icon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::Information: boxIcon = QMessageBox::Information; break;
    case Icon::Exclamation: boxIcon = QMessageBox::Warning; break;
    case Icon::Critical: boxIcon = QMessageBox::Critical; break;
    case Icon::Question: boxIcon = QMessageBox::Question; break;
    }
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, owner());
    box.exec();
}

bool QtPlatform::question(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner());
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

std::optional<QString> QtPlatform::saveFileName(const QString& title, const QList<FileFilter>& filters,
                                                const QString& folder, int* filterIndex)
{
    const QStringList nameFilters = NameFilters(filters);
    QFileDialog dialog(owner(), title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks before replacing, once the extension is added to the name typed.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    if (filterIndex) {
        *filterIndex = std::max(0, static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter())));
    }
    return dialog.selectedFiles().first();
}

int QtPlatform::choice(const QString& title, const QString& text, const QStringList& buttons, int defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, owner());
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons) {
        added << box.addButton(caption, added.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::ActionRole);
    }
    if (QAbstractButton* chosen = added.value(defaultButton)) {
        box.setDefaultButton(qobject_cast<QPushButton*>(chosen));
    }
    // Escape and the close box press a button nobody sees: no answer.
    QPushButton* closed = box.addButton(QMessageBox::Cancel);
    closed->hide();
    box.setEscapeButton(closed);
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

std::optional<Platform::MapImageOptions> QtPlatform::chooseMapImage(const MapImageOptions& initial)
{
    QDialog dialog(owner());
    dialog.setWindowTitle(QStringLiteral("Export Map Image"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* block = new QRadioButton(QStringLiteral("The current &block (4096 \u00D7 512 pixels)"), &dialog);
    auto* world = new QRadioButton(QStringLiteral("The whole &overworld (4096 \u00D7 4096 pixels)"), &dialog);
    auto* grid = new QCheckBox(QStringLiteral("With the &grid"), &dialog);
    (initial.wholeOverworld ? world : block)->setChecked(true);
    grid->setChecked(initial.grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    for (QWidget* w : std::initializer_list<QWidget*>{block, world, grid, buttons}) {
        layout->addWidget(w);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return MapImageOptions{world->isChecked(), grid->isChecked()};
}

bool QtPlatform::isShowingModal() const
{
    return QApplication::activeModalWidget() != nullptr;
}

void QtPlatform::endProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

QSettings* QtPlatform::settings()
{
    if (!m_settings) {
        m_settings =
            std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                        QLatin1String(ProgramInfo::FileName), QLatin1String(ProgramInfo::FileName));
    }
    return m_settings.get();
}
