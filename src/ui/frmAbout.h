#pragma once

#include <QDialog>

// "About Orvane II Map Editor v1.0", centred over its owner: the icon, the
// name and version, and a few lines of credits and contacts, white on black.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner);

    static QString Credits();
};
