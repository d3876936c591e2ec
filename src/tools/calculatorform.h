#pragma once

#include "tools/calculator.h"

#include <QWidget>

class QLineEdit;

// The "Calculator" window of the Tools menu; created hidden at start-up and kept for
// the whole run.
class TCalculatorForm : public QWidget
{
    Q_OBJECT
public:
    explicit TCalculatorForm(QWidget* parent = nullptr);

    // Shows the window, restoring it when minimised, and brings it to the front.
    void popUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();

    Calculator m_calculator;
    QLineEdit* m_display = nullptr;
};
