#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class KeyPreview;
class QLineEdit;
namespace xbase {
class RecordView;
}

// "Missing SCT Info": asks for the two course times of a Vsct row that the
// high-in-trial calculation needs and finds blank.
class TGetSCTForm : public QDialog
{
    Q_OBJECT
public:
    // Shows day, class, run and level of the row, and its time8/time16 to start from.
    explicit TGetSCTForm(const xbase::RecordView& vsctRow, QWidget* parent = nullptr);

    struct Times
    {
        QString small;   // 4"/8"/12"
        QString large;   // 16"/20"/24"
    };
    // Modal: the two times, or nothing when Abort was chosen.
    static std::optional<Times> ask(const xbase::RecordView& vsctRow, QWidget* parent = nullptr);

    // Handlers
    void OkayButtonClick();    // accepts only two whole, non-zero numbers of seconds
    void AbortButtonClick();

    Times times() const;
    QString shown(const QString& caption) const;   // "Day", "Class Name", "Round", "Level"
    QLineEdit* smallBox() const { return m_small; }
    QLineEdit* largeBox() const { return m_large; }
    KeyPreview* keys() const { return m_keys; }

private:
    QLineEdit* m_small = nullptr;
    QLineEdit* m_large = nullptr;
    QList<QLineEdit*> m_shown;
    KeyPreview* m_keys = nullptr;
};
