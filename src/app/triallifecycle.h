#pragma once

#include <QObject>
#include <QString>

class TDmod;
class TMainForm;

// The life of a trial in the main window: File → "&New Trial", "&Open Existing Trial" and
// "Close Current Trial", Databases → "Show Dates and Classes", and Tools → "Pack/Remove
// Deletes" and "Remove All Records from Database". It hands these items to the main window
// on construction (a child of the window) and makes the window's trial state, caption and
// status bar follow the trial; the entry panel follows through trialOpened()/trialClosed().
class TrialLifecycle : public QObject
{
    Q_OBJECT
public:
    TrialLifecycle(TMainForm& form, TDmod& dmod);

    // Handlers of the menu items
    void NewTrial1Click();
    void OpenExistingTrial1Click();
    void CloseCurrentTrial1Click();
    void ShowDatesAndClasses1Click();
    void PackRemoveDeletes1Click();
    void RemoveAllRecordsFromDatabase1Click();

    // Opens path as the current trial (the open dialog's part after the file is chosen).
    // False when the open was abandoned; notFound tells that the trial is not in ShowDates.
    bool openTrialFile(const QString& path, bool* notFound = nullptr);

    static const QString kEmptyShowMessage;
    static const QString kDamagedMessage;

private:
    void closeTrial();
    void makeCurrent(int trialNumber, const QString& path, const QString& firstDate);
    bool convert(const QString& path);

    TMainForm& m_form;
    TDmod& m_dmod;
};
