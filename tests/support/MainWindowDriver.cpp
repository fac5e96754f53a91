#include "MainWindowDriver.h"

#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/PictureBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

void ScriptedModals::showModal(QDialog* dialog)
{
    shown << dialog;
    dialog->setModal(true);
    dialog->show();
}

bool MainWindowDriver::load()
{
    platform.openAnswers << path;
    action("mnuFileLoad")->trigger();
    return session.cartridgePath() == path;
}

void MainWindowDriver::chooseBlock(int block)
{
    // As a choice in the list does: the entry becomes current, then it is activated.
    auto* list = window.findChild<QComboBox*>(QStringLiteral("cboBlock"));
    list->setCurrentIndex(block - 1);
    emit list->activated(block - 1);
}

PictureBox* MainWindowDriver::picMap() const
{
    return window.findChild<PictureBox*>(QStringLiteral("picMap"));
}

const QImage& MainWindowDriver::mapPicture() const
{
    return picMap()->backing();
}

void MainWindowDriver::wheel(QWidget* target, QPoint at, int notches, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

void MainWindowDriver::mapEvent(QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons)
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

void MainWindowDriver::pickTileFromStrip(int tile)
{
    auto* strip = window.findChild<PictureBox*>(QStringLiteral("picTileset"));
    const QPointF at(5, 32 * tile + 5);
    QMouseEvent event(QEvent::MouseButtonPress, at, strip->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &event);
}

bool MainWindowDriver::showAndLoad()
{
    window.show();
    return QTest::qWaitForWindowActive(&window) && load();
}

QDialog* MainWindowDriver::open(const char* menuEntry)
{
    const qsizetype before = modals.shown.size();
    action(menuEntry)->trigger();
    return modals.shown.size() == before ? nullptr : modals.shown.last().data();
}

void MainWindowDriver::click(QWidget* window, const QString& name)
{
    auto* button = window->findChild<QAbstractButton*>(name);
    if (!button) {
        qFatal("no button %s", qPrintable(name));
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

void MainWindowDriver::type(QWidget* window, const QString& name, const QString& text)
{
    QWidget* box = window->findChild<QWidget*>(name);
    if (!box) {
        qFatal("no box %s", qPrintable(name));
    }
    box->setFocus();
    if (qobject_cast<QLineEdit*>(box)) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
    }
    QTest::keyClicks(box, text);
}

QString MainWindowDriver::textOf(QWidget* window, const QString& name)
{
    QObject* control = window->findChild<QObject*>(name);
    if (!control) {
        return QStringLiteral("<no %1>").arg(name);
    }
    return control->property(qobject_cast<QComboBox*>(control) ? "currentText" : "text").toString();
}
