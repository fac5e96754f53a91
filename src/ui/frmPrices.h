#pragma once

#include <QDialog>
#include <QList>

class LimitedTextBox;
class PriceTable;

// The shop prices of the items and herbs: a view of the price table, read
// from the cartridge file when the window opens and written straight back
// into it by "&Save!".
class frmPrices : public QDialog {
    Q_OBJECT
public:
    frmPrices(PriceTable& table, QWidget* owner);

    // Fills every control from the file; false (after a message naming the
    // file and the reason) when the file cannot give every field.
    bool Form_Load();

public slots:
    void cmdSave_Click();

private:
    void buildControls();

    PriceTable& m_table;
    QList<LimitedTextBox*> m_boxes;  // txtItem 0..24 then txtHerbs 0..5, in the order of PriceFields::Prices()
};
