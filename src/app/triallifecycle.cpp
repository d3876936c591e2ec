#include "app/triallifecycle.h"

#include "platform/ui/tablehandlers.h"

#include "app/mainform.h"
#include "data/dmod.h"
#include "data/trials.h"
#include "platform/system/errors.h"
#include "platform/system/gendefs.h"
#include "platform/system/pathresolver.h"
#include "platform/system/version.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/waitcursor.h"
#include "setup/showdateform.h"

#include <QDir>
#include <QFileInfo>

const QString TrialLifecycle::kEmptyShowMessage = QStringLiteral(
    "         This is a New (Empty) show.;;      Click the ADD button to begin entering data.;;"
    "Be sure to click the SAVE button after the data is inputted.");
const QString TrialLifecycle::kDamagedMessage = QStringLiteral("Send this file to Odile to fix");

TrialLifecycle::TrialLifecycle(TMainForm& form, TDmod& dmod) : QObject(&form), m_form(form), m_dmod(dmod)
{
    setObjectName(QStringLiteral("TrialLifecycle"));
    form.provide(QStringLiteral("NewTrial1"), [this] { NewTrial1Click(); });
    form.provide(QStringLiteral("OpenExistingTrial1"), [this] { OpenExistingTrial1Click(); });
    form.provide(QStringLiteral("CloseCurrentTrial1"), [this] { CloseCurrentTrial1Click(); });
    form.provide(QStringLiteral("ShowDatesAndClasses1"), [this] { ShowDatesAndClasses1Click(); });
    form.provide(QStringLiteral("PackRemoveDeletes1"), [this] { PackRemoveDeletes1Click(); });
    form.provide(QStringLiteral("RemoveAllRecordsFromDatabase1"), [this] { RemoveAllRecordsFromDatabase1Click(); });
}

// ---------------------------------------------------------------------------
// New, open, close

void TrialLifecycle::NewTrial1Click()
{
    TShowDateForm dates(m_dmod, TShowDateForm::Mode::NewTrial, &m_form);
    // The trial that was current is closed, and stays closed if the new one is cancelled.
    closeTrial();
    dates.exec();
    if (dates.createdTrial() > 0 && m_dmod.TzDbf1.isOpen())
        makeCurrent(dates.createdTrial(), dates.createdEntriesPath(), dates.createdFirstDate());
}

void TrialLifecycle::OpenExistingTrial1Click()
{
    const ProgramFolders& folders = m_dmod.folders();
    for (;;) {
        FileRequest request;
        request.defaultExtension = QStringLiteral("dbf");
        request.filter = QStringLiteral("Show Databases  (*.dbf)|*.dbf");
        request.initialFolder = folders.shows();
        request.mustExist = true;
        QString titleFolder = folders.shows();
        const QString last = GenDefs(folders.gendefs()).lastOpenedShow();
        if (!last.trimmed().isEmpty() && last.trimmed().toUpper() != QStringLiteral("UNKNOWN")) {
            const QString lastPath = resolvePath(fromWindowsPath(last.trimmed()));
            request.fileName = lastPath;
            titleFolder = QFileInfo(lastPath).absolutePath();
        }
        request.title = QStringLiteral("Path - ") + QDir::toNativeSeparators(titleFolder);

        const std::optional<QString> chosen = Dialogs::current().openFile(request);
        if (!chosen)
            return;
        bool notFound = false;
        if (openTrialFile(*chosen, &notFound) || !notFound)
            return;
    }
}

bool TrialLifecycle::openTrialFile(const QString& path, bool* notFound)
{
    if (notFound)
        *notFound = false;
    switch (data::entriesFormat(path)) {
    case data::EntriesFormat::Unknown:
        return false;
    case data::EntriesFormat::Damaged:
        // Left as it is for repair; the program carries on.
        Dialogs::current().error(kDamagedMessage);
        return false;
    case data::EntriesFormat::Previous:
        if (!convert(path))
            return false;
        break;
    case data::EntriesFormat::Current:
        break;
    }

    // The trial must be known before anything changes, so a refused file leaves the
    // current trial, the caption and the last opened trial as they were.
    const int number = data::TrialNumberFromEntriesFile(path);
    m_dmod.OpenShowDates();
    xbase::ScanCursor dates = m_dmod.ShowDates.scan();
    dates.setCurrentTag(QStringLiteral("SHOWNUM"));
    if (!dates.seek(data::ShowDatesKey(number))) {
        Dialogs::current().message(QStringLiteral("The Show # [") + data::ShowDatesKey(number) + QStringLiteral("];;")
                                       + QStringLiteral("not found in your Show Dates file - cannot open;;")
                                       + QStringLiteral("Please try again."),
                                   MessageIcon::Exclamation);
        if (notFound)
            *notFound = true;
        return false;
    }
    const QString firstDate = dates.text(QStringLiteral("show_date")).trimmed();

    closeTrial();
    GenDefs(m_dmod.folders().gendefs()).setLastOpenedShow(path);
    m_dmod.OpenTzDbf1(path);
    makeCurrent(number, path, firstDate);
    return true;
}

bool TrialLifecycle::convert(const QString& path)
{
    if (!data::EntriesBackupExists(path)) {
        Dialogs::current().message(
            QStringLiteral("This is an old version of a Show.;Converting to New version with Gate Key - Please wait...."));
        WaitCursor wait;
        try {
            data::BackupEntriesFile(path);
        } catch (const AppError& e) {
            // Without a backup nothing is converted; the file stays as it was.
            Dialogs::current().error(e.message());
            return false;
        }
    }
    WaitCursor wait;
    data::ConvertEntriesFile(m_dmod, path);
    return true;
}

void TrialLifecycle::makeCurrent(int trialNumber, const QString& path, const QString& firstDate)
{
    m_form.setWindowTitle(kProgramTitle + QStringLiteral(" - ") + QDir::toNativeSeparators(path));
    m_dmod.SetTrialDateKeyFromText(firstDate);
    m_form.setCurrentTrial(trialNumber, path, firstDate);
    m_form.setTrialOpenState();
    m_form.setStatusPanel(1, QStringLiteral("Show # ") + data::ShowDatesKey(trialNumber));
    m_form.setStatusPanel(3, QStringLiteral("Current Index = Last Name"));
    emit m_form.trialOpened();
    if (m_dmod.TzDbf1.isOpen() && m_dmod.TzDbf1.isEmpty())
        Dialogs::current().message(kEmptyShowMessage);
}

void TrialLifecycle::closeTrial()
{
    const bool wasOpen = m_dmod.TzDbf1.isOpen() || m_form.isTrialOpen();
    if (m_dmod.TzDbf1.isOpen()) {
        // The entry form lets go of the table first, so an entry being typed is written
        // as it stands instead of being checked (and possibly dropped) on the way out.
        if (TableHandlers* handlers = TableHandlers::of(m_dmod.TzDbf1))
            handlers->detach();
        if (m_dmod.TzDbf1.state() == xbase::Table::State::Browse)
            m_dmod.TzDbf1.flush();
        m_dmod.TzDbf1.close();
    }
    m_dmod.ClearTrialDateKey();
    m_form.clearCurrentTrial();
    m_form.setNoTrialState();
    m_form.setWindowTitle(kProgramTitle);
    if (wasOpen)
        emit m_form.trialClosed();
}

void TrialLifecycle::CloseCurrentTrial1Click()
{
    closeTrial();
}

// ---------------------------------------------------------------------------
// Show dates, pack, remove all

void TrialLifecycle::ShowDatesAndClasses1Click()
{
    m_dmod.OpenShowDates();
    if (m_dmod.ShowDates.isEmpty()) {
        Dialogs::current().message(QStringLiteral("You have not started any Show yet - ;Go to FILE/New Trial"));
        return;
    }
    TShowDateForm dates(m_dmod, TShowDateForm::Mode::Edit, &m_form);
    dates.exec();
}

void TrialLifecycle::PackRemoveDeletes1Click()
{
    xbase::Table& entries = m_dmod.TzDbf1;
    if (!entries.isOpen())
        return;
    const QString answer = Dialogs::current().message(
        QStringLiteral("Packing the database will permanently remove;all the records marked as \"Deleted\".;"
                       "Are you sure that is what you want?"),
        MessageIcon::Question, {QStringLiteral("Cancel"), QStringLiteral("Pack")});
    if (answer == QStringLiteral("Pack")) {
        if (entries.state() != xbase::Table::State::Browse && !entries.post())
            return;
        WaitCursor wait;
        entries.pack();
    }
    if (entries.recNo() > 0)
        entries.refresh();
}

void TrialLifecycle::RemoveAllRecordsFromDatabase1Click()
{
    xbase::Table& entries = m_dmod.TzDbf1;
    if (!entries.isOpen())
        return;
    const QString answer = Dialogs::current().message(
        QStringLiteral("Are you sure you want to permanently remove all Records from this Show?"),
        MessageIcon::Question, {QStringLiteral("Yes"), QStringLiteral("NO")});
    if (answer != QStringLiteral("Yes"))
        return;
    if (entries.state() != xbase::Table::State::Browse)
        entries.cancel();
    entries.zap();
}
