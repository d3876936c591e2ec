#include "tools/helpviewer.h"

#include "platform/system/pathresolver.h"
#include "platform/system/programfolders.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/windowposition.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

QString helpFilePath(const QString& topic)
{
    return resolvePath(ProgramFolders::current().help(), topic + QStringLiteral(".html"));
}

void showHelp(const QString& topic, QWidget* parent)
{
    const QString path = helpFilePath(topic);
    if (!QFileInfo(path).isFile()) {
        Dialogs::current().message(QStringLiteral("The help text \"") + topic
                                       + QStringLiteral("\" is not installed.\r\nIt should be the file ") + path,
                                   MessageIcon::Information, {}, QStringLiteral("Help"));
        return;
    }
    THelpForm form(path, parent);
    form.exec();
}

THelpForm::THelpForm(const QString& path, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl::fromLocalFile(path));
    if (!m_browser->documentTitle().isEmpty())
        setWindowTitle(m_browser->documentTitle());

    auto* print = new QPushButton(QStringLiteral("&Print"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    for (QPushButton* b : {print, close})
        b->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, guarded([this] { PrintClick(); }));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    resize(640, 520);
    keepWindowPosition(this);
}

void THelpForm::PrintClick()
{
    QPrinter& printer = applicationPrinter();
    if (!Dialogs::current().print(printer))
        return;
    m_browser->document()->print(&printer);
}
