#pragma once

#include <QDialog>

#include <optional>

class EditorSession;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Replace tile [from] by tile [to] in this block / the whole overworld":
// shows how many cells would change and, confirmed, changes them in the image
// as one undo step. The file is written by "Save Changes", as for painting.
class frmReplace : public QDialog {
    Q_OBJECT
public:
    frmReplace(EditorSession& session, quint8 from, quint8 to, QWidget* owner);

    // The tiles typed, or nothing while a box does not hold a hexadecimal byte.
    std::optional<quint8> fromTile() const;
    std::optional<quint8> toTile() const;

public slots:
    void cmdReplace_Click();

private:
    void updateCount();

    EditorSession& m_session;
    QLineEdit* txtFrom = nullptr;
    QLineEdit* txtTo = nullptr;
    QRadioButton* optBlock = nullptr;
    QRadioButton* optOverworld = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdReplace = nullptr;
};
