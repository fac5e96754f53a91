#include "ui/frmPrices.h"

#include "ui/AccessibleNames.h"
#include "core/PriceFields.h"
#include "editor/PriceTable.h"
#include "ui/LimitedTextBox.h"
#include "ui/SideWindow.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Twips::ToPixels;

constexpr int CaptionLeft[2] = {120, 2400};
constexpr int BoxLeft[2] = {1200, 3480};
constexpr int FirstColumnItems = 15;

// Where the caption and the box of price i stand: the first 15 items down the
// first column, the other items and then the herbs down the second.
struct Place {
    int column;
    int top;  // twips
};
Place placeOf(qsizetype i)
{
    const int row = static_cast<int>(i < FirstColumnItems ? i : i - FirstColumnItems);
    if (i < PriceFields::ItemCount) {
        return {i < FirstColumnItems ? 0 : 1, 600 + 360 * row};
    }
    return {1, 4320 + 360 * static_cast<int>(i - PriceFields::ItemCount)};
}

}  // namespace

frmPrices::frmPrices(PriceTable& table, QWidget* owner) : QDialog(owner), m_table(table)
{
    SideWindow::SetUp(this, QStringLiteral("frmPrices"), QStringLiteral("Prices of Items"), 4650, 6615);
    buildControls();
}

void frmPrices::buildControls()
{
    const struct {
        const char* text;
        int left;
    } headings[] = {{"Item", 120}, {"Price", 1200}, {"Item", 2400}, {"Price", 3600}};
    int index = 0;
    for (const auto& heading : headings) {
        auto* label = new QLabel(QString::fromLatin1(heading.text), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(index++));
        label->setFont(UiFonts::Arial(12, true));
        label->setGeometry(ToPixels(heading.left, 120, 900, 330));
    }

    const auto& prices = PriceFields::Prices();
    for (qsizetype i = 0; i < prices.size(); ++i) {
        const PriceFields::Price& price = prices[i];
        const auto [column, top] = placeOf(i);
        auto* caption = new QLabel(price.caption, this);
        caption->setObjectName(QStringLiteral("Label2_%1").arg(i));
        caption->setGeometry(ToPixels(CaptionLeft[column], top, 900, 255));

        const bool herb = i >= PriceFields::ItemCount;
        const QString name =
            herb ? QStringLiteral("txtHerbs_%1").arg(i - PriceFields::ItemCount) : QStringLiteral("txtItem_%1").arg(i);
        auto* box = new LimitedTextBox(name, price.field.typingLimit(), ToPixels(BoxLeft[column], top, 975, 255), this);
        box->setAccessibleName(AccessibleNames::Price(static_cast<int>(i)));
        m_boxes.append(box);
    }

    SideWindow::AddRule(this, QStringLiteral("Line1"), 120, 480, 4560, 480);
    SideWindow::AddRule(this, QStringLiteral("Line2"), -120, 6000, 2280, 6000);
    SideWindow::AddRule(this, QStringLiteral("Line3"), 2280, 4200, 4560, 4200);
    SideWindow::AddRule(this, QStringLiteral("Line4"), 1080, 480, 1080, 6000);
    SideWindow::AddRule(this, QStringLiteral("Line5"), 2280, 480, 2280, 6480);
    SideWindow::AddRule(this, QStringLiteral("Line6"), 3360, 480, 3360, 6480);

    auto* cmdSave = new QPushButton(QStringLiteral("&Save!"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setGeometry(ToPixels(120, 6240, 1215, 285));
    cmdSave->setAutoDefault(false);
    cmdSave->setAccessibleName(QStringLiteral("Save prices"));
    connect(cmdSave, &QPushButton::clicked, this, &frmPrices::cmdSave_Click);
}

bool frmPrices::Form_Load()
{
    if (!m_table.read(windowTitle())) {
        return false;
    }
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i]->setValueText(m_table.texts().value(i));
    }
    return true;
}

void frmPrices::cmdSave_Click()
{
    QStringList texts;
    for (const LimitedTextBox* box : m_boxes) {
        texts.append(box->text());
    }
    const PriceTable::Outcome outcome = m_table.save(texts);
    if (outcome.rejected >= 0) {
        LimitedTextBox* box = m_boxes[outcome.rejected];
        box->setFocus();
        box->selectAll();
        return;
    }
    if (outcome.saved) {
        close();
    }
}
