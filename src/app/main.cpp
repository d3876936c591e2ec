#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    preferXcbPlatform();
    QApplication app(argc, argv);
    return runVelmora(app);
}
