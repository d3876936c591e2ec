// The main menu of TMainForm: every caption as the secretary knows it.
#include "app/mainform.h"

#include "platform/ui/progress.h"

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QMenu>
#include <QMenuBar>

namespace {

// What is still missing behind an item, for its tool tip.
const char* const kTrialFiles = "trial files (new, open, close, pack)";
const char* const kSetUp = "trial set-up";
const char* const kEntries = "entries";
const char* const kResults = "results and awards";
const char* const kDocuments = "printed documents";
const char* const kTransfer = "mail and transfer";
const char* const kMailingList = "the premium mailing list";
const char* const kBuilt = nullptr;

// "Members && Dogs  (read only)" -> "MembersDogsReadOnly"
QString baseName(const QString& caption)
{
    QString name;
    bool wordStart = true;
    for (QChar c : caption) {
        if (c.isLetterOrNumber() && c.unicode() < 128) {
            name += wordStart ? c.toUpper() : c;
            wordStart = false;
        } else if (c != QLatin1Char('&') && c != QLatin1Char('\'')) {
            wordStart = true;
        }
    }
    return name;
}

class MenuBuilder
{
public:
    MenuBuilder(QMenuBar* bar, QList<QAction*>& items) : m_bar(bar), m_items(items) {}

    QMenu* top(const QString& caption, bool needsTrial = false)
    {
        QMenu* menu = m_bar->addMenu(caption);
        setUp(menu, caption, needsTrial);
        m_current = menu;
        return menu;
    }

    QMenu* sub(const QString& caption, bool needsTrial = false)
    {
        QMenu* menu = m_current->addMenu(caption);
        setUp(menu, caption, needsTrial);
        m_parent = m_current;
        m_current = menu;
        return menu;
    }

    void end()
    {
        m_current = m_parent;
    }

    QAction* item(const QString& caption, const char* pending, bool needsTrial = false, const QString& hint = {})
    {
        QAction* a = m_current->addAction(caption);
        a->setObjectName(uniqueName(caption));
        a->setProperty("needsTrial", needsTrial);
        a->setProperty("hint", hint);
        if (pending)
            a->setProperty("pending", QString::fromLatin1(pending));
        m_items.append(a);
        return a;
    }

    void separator() { m_current->addSeparator(); }

private:
    void setUp(QMenu* menu, const QString& caption, bool needsTrial)
    {
        menu->setObjectName(uniqueName(caption) + QStringLiteral("Menu"));
        menu->setToolTipsVisible(true);
        menu->menuAction()->setObjectName(menu->objectName() + QStringLiteral("Item"));
        menu->menuAction()->setProperty("needsTrial", needsTrial);
    }

    QString uniqueName(const QString& caption)
    {
        const QString base = baseName(caption);
        return base + QString::number(++m_used[base]);
    }

    QMenuBar* m_bar;
    QList<QAction*>& m_items;
    QMenu* m_current = nullptr;
    QMenu* m_parent = nullptr;
    QHash<QString, int> m_used;
};

} // namespace

void TMainForm::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    MenuBuilder m(bar, m_items);
    const bool trial = true;

    m.top(QStringLiteral("&File"));
    m.item(QStringLiteral("&New Trial"), kTrialFiles, false, QStringLiteral("New Trial|Start a New Trial"));
    m.item(QStringLiteral("&Open Existing Trial"), kTrialFiles, false, QStringLiteral("Open|Open an Existing Trial"));
    m.item(QStringLiteral("Close Current Trial"), kTrialFiles, false, QStringLiteral("Close Current Trial"));
    m.separator();
    m.item(QStringLiteral("Import a Version 3.5 Show"), kTransfer);
    m.separator();
    m.item(QStringLiteral("P&rint Setup..."), kBuilt);
    m.separator();
    m.item(QStringLiteral("E&xit"), kBuilt, false, QStringLiteral("Exit|Exit the Program"));

    m.top(QStringLiteral("Databases"));
    m.item(QStringLiteral("Premium Mailing List"), kMailingList);
    m.separator();
    m.item(QStringLiteral("Show Dates and Classes"), kSetUp);
    m.item(QStringLiteral("Level Groupings "), kSetUp);
    m.item(QStringLiteral("Running Order"), kSetUp);
    m.item(QStringLiteral("Judge Assignments"), kSetUp);
    m.item(QStringLiteral("Judges "), kSetUp);
    m.separator();
    m.item(QStringLiteral("Members && Dogs  (read only)"), kEntries);
    m.item(QStringLiteral("My Members Data"), kEntries);
    m.item(QStringLiteral("Juniors (read only)"), kBuilt); // an item without an action
    m.separator();
    m.item(QStringLiteral("SCT (Standard Course Times)"), kSetUp, trial);

    QMenu* index = m.top(QStringLiteral("Index"), trial);
    m_indexGroup = new QActionGroup(this);
    m_indexGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const char* caption : {"Last Name", "Armband #", "AGX ID #", "Call Name", "Input Order"}) {
        QAction* a = m.item(QString::fromLatin1(caption), kEntries);
        a->setCheckable(true);
        m_indexGroup->addAction(a);
    }
    Q_UNUSED(index);

    m.top(QStringLiteral("View"), trial);
    m.item(QStringLiteral("View Confirmation Slip for Current Dog"), kDocuments);
    m.item(QStringLiteral("Show Entries in a Grid"), kEntries);

    m.top(QStringLiteral("Reports"), trial);
    m.item(QStringLiteral("Print Exhibitor Confirmation Slips"), kDocuments);
    m.item(QStringLiteral("Class Counts per Day"), kResults);
    m.item(QStringLiteral("Need Measurements (Official Report)"), kDocuments);
    m.separator();
    m.sub(QStringLiteral("Catalogs "));
    m.item(QStringLiteral("Table Catalog "), kDocuments);
    m.item(QStringLiteral("Preview Table Catalog (No Results)"), kDocuments);
    m.item(QStringLiteral("Exhibitor Catalog"), kDocuments);
    m.item(QStringLiteral("Exhibitor Index"), kDocuments);
    m.end();
    m.sub(QStringLiteral("Gate Steward Sheets (Preview/Print)"));
    m.item(QStringLiteral("Big Font"), kDocuments);
    m.item(QStringLiteral("Small Font"), kDocuments);
    m.end();
    m.sub(QStringLiteral("Print Scribe Sheets"));
    m.item(QStringLiteral("By Level Groupings"), kDocuments);
    m.item(QStringLiteral("For Current Dog Only"), kDocuments);
    m.item(QStringLiteral("Day Of Show Labels - All Classes"), kDocuments);
    m.item(QStringLiteral("Day Of Show for Current Dog Only"), kDocuments);
    m.item(QStringLiteral("Blank Forms By Class"), kDocuments);
    m.end();
    m.item(QStringLiteral("Master Lists and Counts (Owners-Dogs)"), kDocuments);
    m.separator();
    m.item(QStringLiteral("List of Owners && Email Addresses"), kDocuments);
    m.item(QStringLiteral("Email Addresses (Separated by Commas)"), kDocuments);
    m.sub(QStringLiteral("List of Confirmations"));
    m.item(QStringLiteral("Sent Via Email"), kDocuments);
    m.item(QStringLiteral("NOT Sent Via Email"), kDocuments);
    m.end();
    m.item(QStringLiteral("Volunteer Workers List"), kDocuments);
    m.item(QStringLiteral("Special Notes Listing"), kDocuments);
    m.separator();
    m.item(QStringLiteral("Entries for Worker Coordinator"), kDocuments);
    m.item(QStringLiteral("Jr Handler Q Form"), kDocuments);
    m.separator();
    m.item(QStringLiteral("Official AGX Report (counts)"), kResults);

    m.top(QStringLiteral("Labels"));
    m.item(QStringLiteral("Exhibitor Address Labels"), kDocuments, trial);
    m.item(QStringLiteral("Armband Labels"), kDocuments, trial);
    m.item(QStringLiteral("Checkin Envelope Labels"), kDocuments, trial);
    m.item(QStringLiteral("Return Address Labels"), kDocuments);
    m.separator();
    m.sub(QStringLiteral("Scribe Sheet Labels"), trial);
    m.item(QStringLiteral("By Level Groupings"), kDocuments);
    m.item(QStringLiteral("By Individual Levels"), kDocuments);
    m.item(QStringLiteral("Day Of Show Labels - All Classes"), kDocuments);
    m.item(QStringLiteral("Day Of Show for Current Dog Only"), kDocuments);
    m.end();

    m.top(QStringLiteral("Tasks"));
    m.item(QStringLiteral("Show Results Data Entry"), kResults, trial);
    m.separator();
    m.item(QStringLiteral("Define Level Groupings"), kSetUp);
    m.item(QStringLiteral("Define Running Order"), kSetUp);
    m.item(QStringLiteral("Judge Assignments"), kSetUp);
    m.separator();
    m.item(QStringLiteral("Assign Armband #'s and Gate Keys"), kEntries, trial);
    m.item(QStringLiteral("Height Changes/Corrections"), kEntries, trial);
    m.separator();
    m.sub(QStringLiteral("Submit Show Results to AGX"), trial);
    m.item(QStringLiteral("Via Floppy Disk"), kResults);
    m.item(QStringLiteral("Via Email"), kResults);
    m.end();
    m.item(QStringLiteral("H.I.T. Determination"), kResults);
    m.separator();
    m.sub(QStringLiteral("Transfer Data Between PC's"));
    m.item(QStringLiteral("Backup A Complete Show"), kBuilt);
    m.item(QStringLiteral("Files for HIT Merging"), kTransfer);
    m.end();

    m.top(QStringLiteral("Tools"));
    m.item(QStringLiteral("Calendar"), kBuilt);
    m.item(QStringLiteral("Calculator"), kBuilt);
    m.separator();
    m.item(QStringLiteral("Defaults && Options"), kSetUp);
    m.item(QStringLiteral("Nationals Confirmations By Record #"), kDocuments);
    m.separator();
    m.item(QStringLiteral("Pack/Remove Deletes"), kTrialFiles, trial);
    m.item(QStringLiteral("Remove All Records from Database"), kTrialFiles, trial);

    m.top(QStringLiteral("&Help"));
    m.item(QStringLiteral("Gate Keys"), kBuilt);
    m.item(QStringLiteral("How to Backup or Transfer a Show"), kBuilt);
    m.separator();
    m.item(QStringLiteral("&About..."), kBuilt);
    m.item(QStringLiteral("Version History"), kBuilt);

    for (QAction* a : std::as_const(m_items)) {
        const QString pending = a->property("pending").toString();
        if (!pending.isEmpty()) {
            const QString note = QStringLiteral("Not available yet: ") + pending + QStringLiteral(" still to come");
            a->setToolTip(note);
            a->setStatusTip(note);
        } else if (!a->property("hint").toString().isEmpty()) {
            setHint(a, a->property("hint").toString());
        }
    }
}
