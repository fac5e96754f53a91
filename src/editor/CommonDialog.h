#pragma once

#include "editor/Platform.h"

#include <QColor>
#include <QObject>
#include <QString>

// The main window's dialog component `dlgMain`: the open-file dialog and the
// colour dialog, each telling a cancel from a confirmation and keeping its
// last confirmed result.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    CommonDialog(Platform& platform, QObject* parent);

    // The open dialog with the filter "NES files (*.nes)|*.nes|All Files(*.*)|*.*".
    // True when the user confirmed a file; FileName() then holds it.
    bool ShowOpen();
    // The colour dialog; true when the user confirmed a colour, Color() then holds it.
    bool ShowColor();

    const QString& FileName() const { return m_fileName; }
    const QColor& Color() const { return m_color; }
    // A colour remembered from an earlier run, or the first one again.
    void setColor(const QColor& color) { m_color = color; }
    // Red, the grid's colour at the first start.
    static QColor FirstColor() { return {255, 0, 0}; }

    static QList<Platform::FileFilter> OpenFilter();

private:
    Platform& m_platform;
    QString m_fileName;
    QColor m_color;
};
