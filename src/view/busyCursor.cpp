#include "view/busyCursor.h"

#include <QCursor>
#include <QGuiApplication>

TbusyCursor::TbusyCursor()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_set = true;
    }
}

TbusyCursor::~TbusyCursor()
{
    if (m_set)
        QGuiApplication::restoreOverrideCursor();
}
