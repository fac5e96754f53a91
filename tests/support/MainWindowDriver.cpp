#include "MainWindowDriver.h"

#include "Fixtures.h"
#include "MapGeometry.h"
#include "PictureBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollBar>

MainWindowDriver::MainWindowDriver(const QByteArray& cartridge)
    : original(cartridge.isEmpty() ? Fixtures::Pattern(262160, 42) : cartridge)
{
    path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), original);
}

bool MainWindowDriver::load()
{
    platform.openAnswers << path;
    window.mnuFileLoad_Click();
    return window.cartridge().CartridgePath() == path;
}

void MainWindowDriver::chooseBlock(int block)
{
    auto* list = window.findChild<QComboBox*>(QStringLiteral("cboBlock"));
    list->setCurrentIndex(block - 1);
    window.cboBlock_Click();
}

PictureBox* MainWindowDriver::picMap() const
{
    return window.findChild<PictureBox*>(QStringLiteral("picMap"));
}

QScrollBar* MainWindowDriver::bar(const char* name) const
{
    return window.findChild<QScrollBar*>(QLatin1String(name));
}

QString MainWindowDriver::text(const char* labelName) const
{
    return window.findChild<QLabel*>(QLatin1String(labelName))->text();
}

void MainWindowDriver::mapEvent(QEvent::Type type, QPointF position, Qt::MouseButton button,
                                Qt::MouseButtons buttons)
{
    PictureBox* map = picMap();
    QMouseEvent event(type, position, map->mapToGlobal(position), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(map, &event);
}

void MainWindowDriver::press(QPointF position, Qt::MouseButton button)
{
    mapEvent(QEvent::MouseButtonPress, position, button, button);
    mapEvent(QEvent::MouseButtonRelease, position, button, Qt::NoButton);
}

void MainWindowDriver::move(QPointF position, Qt::MouseButtons buttons)
{
    mapEvent(QEvent::MouseMove, position, Qt::NoButton, buttons);
}
