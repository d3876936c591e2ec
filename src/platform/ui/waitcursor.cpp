#include "platform/ui/waitcursor.h"

#include <QApplication>
#include <QCursor>

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

void letWindowsRepaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
