#pragma once

#include <QStringList>

class QTabBar;

// Replaces every tab of the bar with one per caption and makes the first current,
// without announcing the tab changes on the way (windows rebuild their tabs when
// they open, and their tab handlers expect a settled bar).
void resetTabs(QTabBar* tabs, const QStringList& captions);
