#pragma once

#include "platform/xbase/table.h"

#include <QDialog>
#include <QStringList>

class BoundLineEdit;
class DataSource;
class KeyPreview;
class Navigator;
class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class TDmod;

// "Judges Data Base": browse and edit AGX's judges, and their single-line address
// list to save, copy or print.
class Tjudgeform : public QDialog
{
    Q_OBJECT
public:
    explicit Tjudgeform(TDmod& dmod, QWidget* parent = nullptr);
    ~Tjudgeform() override;

    // Handlers
    void FormActivate();
    void FormDeactivate();
    void FindButtonClick();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();
    void AddButtonClick();
    void LastName1Click();
    void State1Click();
    void ActivateAddButton1Click();
    void ShowDeletes1Click();
    void SingleLineAddressList1Click();
    void SaveToFileClick();
    void CopyToClipboardClick();
    void PrintListingClick();
    void CloseListingClick();

    // What the window shows
    QString orderName() const;                  // "Last Name" or "State Code"
    QString statusText(int panel) const;        // 0 hint, 1 record number, 2 index
    bool listingShown() const;
    QStringList listing() const { return m_listing; }
    QString listingText() const;
    QString deletedText() const;
    BoundLineEdit* edit(const QString& field) const;
    QPushButton* findButton() const { return m_find; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* addButton() const { return m_add; }
    QAction* showDeletesAction() const { return m_showDeletes; }
    QAction* lastNameAction() const { return m_lastName; }
    QAction* stateAction() const { return m_state; }
    QAction* mailingLabelsAction() const { return m_mailingLabels; }
    Navigator* navigator() const { return m_navigator; }
    KeyPreview* keys() const { return m_keys; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildWindow();
    void setOrder(const QString& tag);
    void afterScroll();
    void updateButtons();

    TDmod& m_dmod;
    xbase::Table& m_judges;
    bool m_active = false;
    QString m_lastFind;
    QStringList m_listing;
    std::vector<xbase::Table::Connection> m_connections;

    DataSource* m_source = nullptr;
    KeyPreview* m_keys = nullptr;
    QStackedWidget* m_pages = nullptr;
    QList<BoundLineEdit*> m_edits;
    QLabel* m_deleted = nullptr;
    QLabel* m_status[3] = {};
    Navigator* m_navigator = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_add = nullptr;
    QAction* m_lastName = nullptr;
    QAction* m_state = nullptr;
    QAction* m_activateAdd = nullptr;
    QAction* m_showDeletes = nullptr;
    QAction* m_mailingLabels = nullptr;
    QPlainTextEdit* m_text = nullptr;
};
