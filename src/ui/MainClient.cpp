#include "ui/MainClient.h"

MainClient::MainClient(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMainClient"));
    setMinimumSize(647, 477);
    resize(647, 477);
}

void MainClient::setGroups(QWidget* left, QWidget* right)
{
    m_left = left;
    m_right = right;
    resizeEvent(nullptr);
}

void MainClient::resizeEvent(QResizeEvent*)
{
    if (m_left && m_right) {
        m_left->setGeometry(8, 8, 137, height() - 12);
        m_right->setGeometry(160, 8, width() - 166, height() - 12);
    }
}
