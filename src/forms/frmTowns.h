#pragma once

#include "LocationPickTarget.h"

#include <QDialog>

class Cartridge;
class Platform;
struct PickState;

class frmTowns : public QDialog, public LocationPickTarget {
    Q_OBJECT
public:
    frmTowns(Platform& platform, Cartridge& cartridge, PickState& pick, QWidget* owner);

    // Fills every row from the file; false (after a message naming the file
    // and the reason) when the file cannot give every row.
    bool FillFromFile(const QString& path);

    void SetPickedLocation(int row, const QString& sextant, const QString& block) override;
    QDialog* window() override { return this; }

public slots:
    void cmdSave_Click();

private:
    Platform& m_platform;
    Cartridge& m_cartridge;
    PickState& m_pick;
};
