#pragma once

#include "setup/sctrows.h"
#include "setup/sctrules.h"
#include "setup/trialoffer.h"

#include <QDialog>
#include <QMap>

class BoundLineEdit;
class DataSource;
class QPushButton;
class QTabBar;
class QTabWidget;
class TDmod;

// "Standard Course Times": per day, class, run and level key the course length and the
// times, with the Enthusiast/Specialist times derived as they are typed.
class TSCTForm : public QDialog
{
    Q_OBJECT
public:
    TSCTForm(TDmod& dmod, int trialNumber, QWidget* parent = nullptr);
    ~TSCTForm() override;

    // Handlers
    void FormActivate();
    void FormDeactivate();
    void DayTabChange(int index);
    void PageChange(int index);
    void RunTabChange(int index);
    void LevelTabChange(int index);
    void TimeBoxExit(const QString& field);   // time8 or time16 of a standard-type page left
    void SaveButtonClick();
    void CancelButtonClick();
    void CloseButtonClick();

    // What the window shows
    int day() const { return m_day; }
    QString page() const;                       // the class of the selected page, empty when none
    QStringList visiblePages() const;
    QStringList dayTabTexts() const;
    QStringList runTabTexts() const;            // of the selected page
    QStringList levelTabTexts() const;
    bool rowShown() const;                      // a row is looked up and shown
    const setup::SctRowKey& key() const { return m_key; }
    BoundLineEdit* box(const QString& page, const QString& name) const;   // "time8", "e_time8.Specialist" ...
    QTabBar* dayTabs() const { return m_days; }
    QTabWidget* pages() const { return m_pages; }
    QTabBar* runTabs(const QString& page) const;
    QTabBar* levelTabs(const QString& page) const;
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Page
    {
        QString name;
        QWidget* widget = nullptr;
        QTabBar* runs = nullptr;
        QTabBar* levels = nullptr;
        QMap<QString, BoundLineEdit*> boxes;
    };

    void buildWindow();
    Page& buildPage(const QString& name);
    BoundLineEdit* addBox(Page& page, const QString& name, const QString& field, bool readOnly);
    Page* current();
    const Page* pageOf(const QString& name) const;
    void showDay(int day);
    void showPage();
    void buildLevelTabs(Page& page);
    void showRow();
    bool leaveRow();                 // saves a pending edit; false when it was refused
    void updateButtons();
    void setTabQuietly(QTabBar* tabs, int index);
    void setPageQuietly(int index);

    TDmod& m_dmod;
    int m_trial;
    setup::TrialOffer m_offer;
    setup::SctRowKey m_key;
    int m_day = 1;
    bool m_activated = false;
    bool m_active = false;
    bool m_rowShown = false;
    int m_holding = 0;
    int m_pageIndex = -1;
    int m_runIndex = 0;
    int m_levelIndex = 0;

    DataSource* m_source = nullptr;
    QTabBar* m_days = nullptr;
    QTabWidget* m_pages = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    std::vector<Page> m_pageList;
};
