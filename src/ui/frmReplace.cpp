#include "ui/frmReplace.h"

#include "core/MapDocument.h"
#include "editor/EditorSession.h"
#include "core/MapGeometry.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

QLineEdit* makeTileBox(QWidget* parent, const QString& name, quint8 tile)
{
    auto* box = new QLineEdit(MapGeometry::TileReadout(tile), parent);
    box->setObjectName(name);
    box->setMaxLength(2);
    box->setFixedWidth(40);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), box));
    return box;
}

std::optional<quint8> tileOf(const QLineEdit* box)
{
    return MapGeometry::ReadTileReadout(box->text().trimmed().toUpper());
}

}  // namespace

frmReplace::frmReplace(EditorSession& session, quint8 from, quint8 to, QWidget* owner)
    : QDialog(owner), m_session(session)
{
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Replace Tile"));
    setModal(true);

    auto* grid = new QGridLayout(this);
    txtFrom = makeTileBox(this, QStringLiteral("txtFrom"), from);
    txtTo = makeTileBox(this, QStringLiteral("txtTo"), to);
    grid->addWidget(new QLabel(QStringLiteral("Replace tile"), this), 0, 0);
    grid->addWidget(txtFrom, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("by tile"), this), 0, 2);
    grid->addWidget(txtTo, 0, 3);

    optBlock = new QRadioButton(QStringLiteral("in this &block (%1)").arg(session.currentBlock()), this);
    optBlock->setObjectName(QStringLiteral("optBlock"));
    optBlock->setChecked(true);
    optOverworld = new QRadioButton(QStringLiteral("in the &whole overworld"), this);
    optOverworld->setObjectName(QStringLiteral("optOverworld"));
    grid->addWidget(optBlock, 1, 0, 1, 4);
    grid->addWidget(optOverworld, 2, 0, 1, 4);

    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    grid->addWidget(lblCount, 3, 0, 1, 4);

    cmdReplace = new QPushButton(QStringLiteral("&Replace"), this);
    cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    cmdReplace->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    grid->addWidget(cmdReplace, 4, 2);
    grid->addWidget(cmdCancel, 4, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(txtFrom, &QLineEdit::textChanged, this, &frmReplace::updateCount);
    connect(txtTo, &QLineEdit::textChanged, this, &frmReplace::updateCount);
    connect(optBlock, &QRadioButton::toggled, this, &frmReplace::updateCount);
    connect(cmdReplace, &QPushButton::clicked, this, &frmReplace::cmdReplace_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    updateCount();
}

std::optional<quint8> frmReplace::fromTile() const
{
    return tileOf(txtFrom);
}

std::optional<quint8> frmReplace::toTile() const
{
    return tileOf(txtTo);
}

void frmReplace::updateCount()
{
    const auto from = fromTile();
    const auto to = toTile();
    if (!from || !to) {
        lblCount->setText(QStringLiteral("Type each tile as two hexadecimal digits (00 to FF)."));
        cmdReplace->setEnabled(false);
        return;
    }
    const auto scope = optBlock->isChecked() ? MapDocument::Scope::Block : MapDocument::Scope::Overworld;
    const int count = m_session.replaceCount(*from, *to, scope);
    lblCount->setText(count == 1 ? QStringLiteral("1 cell will change.")
                                 : QStringLiteral("%1 cells will change.").arg(count));
    cmdReplace->setEnabled(count > 0);
}

void frmReplace::cmdReplace_Click()
{
    const auto from = fromTile();
    const auto to = toTile();
    if (from && to) {
        m_session.replaceTile(*from, *to,
                              optBlock->isChecked() ? MapDocument::Scope::Block : MapDocument::Scope::Overworld);
    }
    accept();
}
