#include "platform/ui/tabs.h"

#include <QSignalBlocker>
#include <QTabBar>

void resetTabs(QTabBar* tabs, const QStringList& captions)
{
    const QSignalBlocker block(tabs);
    while (tabs->count() > 0)
        tabs->removeTab(0);
    for (const QString& caption : captions)
        tabs->addTab(caption);
    tabs->setCurrentIndex(0);
}
