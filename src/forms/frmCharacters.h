#pragma once

#include <QDialog>

class Cartridge;
class Platform;

class frmCharacters : public QDialog {
    Q_OBJECT
public:
    frmCharacters(Platform& platform, Cartridge& cartridge, QWidget* owner);

    // Fills every control from the file; false (after a message naming the
    // file and the reason) when the file cannot give every field.
    bool Form_Load();

public slots:
    void cmdSave_Click();

private:
    Platform& m_platform;
    Cartridge& m_cartridge;
};
