#pragma once

#include <QDialog>
#include <QList>

#include <array>

class CharacterTable;
class LimitedTextBox;
class QComboBox;
class QGroupBox;
class QToolButton;

// The starting data of the eight character classes and the starting herbs,
// one panel in view at a time: a view of the character table, read from the
// cartridge file when the window opens and written straight back into it,
// all at once, by "&Save!".
class frmCharacters : public QDialog {
    Q_OBJECT
public:
    static constexpr int Panels = 9;  // eight classes and the herbs
    static constexpr int HerbsPanel = 8;

    frmCharacters(CharacterTable& table, QWidget* owner);

    // Fills every control from the file; false (after a message naming the
    // file and the reason) when the file cannot give every field.
    bool Form_Load();

public slots:
    void optChara_Click(int index);
    void cmdSave_Click();

private:
    void buildClassPanel(int c);
    void buildHerbsPanel();
    static void fillEquipment(QComboBox* list, int code);

    CharacterTable& m_table;
    std::array<QGroupBox*, Panels> frmChara{};
    std::array<QToolButton*, Panels> optChara{};
    QList<LimitedTextBox*> m_numberBoxes;  // in the order of CharacterFields::Boxes()
    QList<QComboBox*> cboEquip1;
    QList<QComboBox*> cboEquip2;
};
