#pragma once

#include "entries/idvalidation.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Comparing Member Data": one address field whose value from AGX's member table differs
// from the secretary's own copy, and which of the two the entry keeps. Opens centred with
// "Use AGX" focused; keeps its place in gendefs.ini (double-click brings it back there).
class TCompareForm : public QDialog
{
    Q_OBJECT
public:
    TCompareForm(const QString& field, const QString& agxValue, const QString& myValue, QWidget* parent = nullptr);

    CompareChoice choice() const { return m_choice; }
    QPushButton* useMineButton() const { return UseMineBtn; }
    QPushButton* useAgxButton() const { return UseAgxBtn; }
    QString fieldName() const;
    QString agxValue() const;
    QString myValue() const;

    // The program's chooser: the window, modal over the active window. Closing it without
    // a choice keeps the AGX value.
    static CompareChoice ask(const QString& field, const QString& agxValue, const QString& myValue);

protected:
    void showEvent(QShowEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QLabel* FieldLabel = nullptr;
    QLineEdit* AgxEdit = nullptr;
    QLineEdit* MineEdit = nullptr;
    QPushButton* UseMineBtn = nullptr;
    QPushButton* UseAgxBtn = nullptr;
    CompareChoice m_choice = CompareChoice::UseAgx;
};
