#include "app/startup.h"

#include "app/mainform.h"
#include "data/dmod.h"
#include "platform/system/programfolders.h"
#include "platform/system/singleinstance.h"
#include "platform/system/version.h"
#include "platform/ui/guard.h"

#include <QApplication>

void preferXcbPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

std::unique_ptr<TDmod> createDataModule(const ProgramFolders& folders)
{
    auto dmod = std::make_unique<TDmod>(folders);
    runGuarded([&] { dmod->DmodCreate(); });
    return dmod;
}

int runVelmora(QApplication& app)
{
    app.setApplicationName(kProgramTitle);
    app.setApplicationVersion(kProgramVersion);

    // Checked before any table is opened, so a second copy touches nothing.
    SingleInstance instance(kProgramTitle);
    if (!instance.start())
        return 0;

    ProgramFolders::setCurrent(ProgramFolders(ProgramFolders::defaultRoot()));
    const std::unique_ptr<TDmod> dmod = createDataModule(ProgramFolders::current());

    TMainForm form(dmod.get());
    QObject::connect(&instance, &SingleInstance::activationRequested, &form, &TMainForm::bringToFront);
    form.show();
    return app.exec();
}
