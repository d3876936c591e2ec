#pragma once

#include "entries/heightchange.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDmod;

// "Height Changes/Corrections": one dog, found by its current armband, gets a new regular
// height, the second height that follows from it and a new armband; the trial's results
// rows follow (heightchange.h). The caller switches the entry panel's handlers off while
// it is open.
class THeightChangeForm : public QDialog
{
    Q_OBJECT
public:
    THeightChangeForm(TDmod& dmod, int trialNumber, QWidget* parent = nullptr);
    ~THeightChangeForm() override;

    // Handlers
    bool CurrentArmbandExit();   // true when the dog was found
    bool ModifyRecordsClick();   // true when the records were changed
    void ClearFieldsClick();
    void CloseClick();

    QLineEdit* currentArmbandEdit() const { return m_current; }
    QLineEdit* newArmbandEdit() const { return m_new; }
    QRadioButton* heightRadio(int inches) const;   // 4 .. 24
    QPushButton* modifyButton() const { return m_modify; }
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* closeButton() const { return m_close; }
    QLabel* callNameLabel() const { return m_callName; }
    QLabel* ownerLabel() const { return m_owner; }
    QLabel* idLabel() const { return m_id; }
    QLabel* categoryLabel() const { return m_category; }
    quint32 dogRecord() const { return m_dog; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void buildWindow();
    int checkedHeight() const;
    void showDog(bool shown);

    TDmod& m_dmod;
    int m_trial;
    int m_digits = 2;
    QString m_savedTag;                  // the entries order when the window opened
    quint32 m_dog = 0;                   // the dog found, 0 when none
    QString m_dogArmband;                // its armband as typed when found
    heightchange::Category m_categoryOfDog = heightchange::Category::Regular;

    QLineEdit* m_current = nullptr;
    QLineEdit* m_new = nullptr;
    QLabel* m_callName = nullptr;
    QLabel* m_owner = nullptr;
    QLabel* m_id = nullptr;
    QLabel* m_category = nullptr;
    QGroupBox* m_heights = nullptr;
    QButtonGroup* m_heightGroup = nullptr;
    std::array<QRadioButton*, 6> m_radios{};
    QPushButton* m_modify = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_close = nullptr;
};
