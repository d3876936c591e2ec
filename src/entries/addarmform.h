#pragma once

#include "platform/xbase/table.h"

#include <QDialog>

class DataGrid;
class DataSource;
class Navigator;
class QAction;
class QLabel;
class QPushButton;
class TDmod;

// "Add Armband Numbers": every entry of the open trial in a grid, coloured by the height
// the dog jumps, with Auto Assign and the two Clear commands over the armband rules of
// armbands.h. Only the armband and gate key cells can be typed in; every change is
// written at once. The caller switches the entry panel's handlers off while it is open.
class TAddArmForm : public QDialog
{
    Q_OBJECT
public:
    TAddArmForm(TDmod& dmod, int trialNumber, QWidget* parent = nullptr);
    ~TAddArmForm() override;

    // Handlers
    void AutoAssignClick();
    void ClearArmbandsClick();
    void ClearGateKeysClick();
    void ShowDeletesClick();
    void IndexClick(const QString& tag);   // SORTHTA, SORTHTD, ARMBAND, GATEKEY
    void TzGrid1Enter();                    // Enter in the grid
    bool DoneClick();                       // false when the record could not be written
    bool BeforePost(xbase::Table& table);
    void AfterScroll();

    int digits() const { return m_digits; }
    DataGrid* grid() const { return TzGrid1; }
    DataSource* dataSource() const { return m_source; }
    Navigator* navigator() const { return m_navigator; }
    QAction* action(const QString& objectName) const;
    QString statusText(int panel) const;   // 0 "Show #", 1 "Rec #", 2 the order
    QString preferenceCaption() const;
    QStringList legend() const;

    static const QStringList& columnFields();   // in the order of the grid's columns

protected:
    void done(int result) override;

private:
    void buildWindow();
    int column(const QString& field) const;
    void attachHandlers();
    void detachHandlers();

    TDmod& m_dmod;
    xbase::Table& m_table;
    int m_trial;
    int m_digits = 2;
    QString m_armbandsPreference;

    DataSource* m_source = nullptr;
    DataGrid* TzGrid1 = nullptr;
    Navigator* m_navigator = nullptr;
    QLabel* m_preference = nullptr;
    QLabel* m_legend = nullptr;
    QLabel* m_status[3] = {};
    QList<xbase::Table::Connection> m_connections;
};

namespace entries {
// The current Armbands preference (InputAutomatic when absent) and Digits (2 when absent).
QString armbandsPreference();
int digitsPreference();
} // namespace entries
