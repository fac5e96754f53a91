#include "ui/HelpViewer.h"

#include "core/ProgramInfo.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

HelpViewer::HelpViewer(const QString& text, const QString& path, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(Title());
    setAccessibleName(Title());

    m_text = new QPlainTextEdit(text, this);
    m_text->setObjectName(QStringLiteral("txtHelp"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The text is laid out in columns of a fixed-width face, as in a text editor.
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setAccessibleName(QStringLiteral("Help text"));

    auto* source = new QLabel(QDir::toNativeSeparators(path), this);
    source->setObjectName(QStringLiteral("lblHelpFile"));
    source->setTextInteractionFlags(Qt::TextSelectableByMouse);
    source->setAccessibleName(QStringLiteral("Help file"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(QStringLiteral("Close help"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(source);
    layout->addWidget(buttons);
    resize(660, 560);
}

QString HelpViewer::Title()
{
    return QLatin1String(ProgramInfo::VersionedName) + QStringLiteral(" Help");
}

QString HelpViewer::text() const
{
    return m_text->toPlainText();
}
