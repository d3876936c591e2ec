#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TDmod;

namespace xbase {
class Table;
}

// The rules of the defaults window that need no window.
namespace defaults {

inline const QString kDefaultCommentLine =
    QStringLiteral("Any Errors?  Please CONTACT the Show Secretary as soon as possible.");

// One club of the host-club list: the trimmed text and the record it came from.
struct ClubItem
{
    QString text;
    quint32 recNo = 0;
};

// The club names and the club codes of every record (deleted ones too) with a name, each
// list sorted on its own the way a sorted list box sorts (letter case ignored); equal
// names are all kept.
struct ClubLists
{
    QList<ClubItem> names;
    QList<ClubItem> codes;
};
ClubLists readClubs(xbase::Table& hostClubs);

struct SecretaryFields
{
    QString name, address, city, state, zip, phone, email;
};
// The line under every exhibitor slip, with a placeholder for each value still "Unknown".
QString secretaryPreview(const SecretaryFields& fields);

// Armbands as the defaults window shows it: 0 automatic, 1 manual, -1 neither.
int armbandCreationItem(const QString& storedArmbands);
// Digits: 0 for 2, 1 for 3, -1 otherwise.
int armbandDigitsItem(int digits);

} // namespace defaults

// The installation-wide settings: host club, secretary, keyboard and armband preferences,
// and the comment line of the exhibitor slips (gendefs.ini). Nothing is written until
// Apply (or Okay with changes pending).
class TDefaultsForm : public QDialog
{
    Q_OBJECT
public:
    explicit TDefaultsForm(TDmod& dmod, QWidget* parent = nullptr);
    ~TDefaultsForm() override;

    // Loads every control from gendefs.ini and the host clubs (runs when the window is shown).
    void FormActivate();
    void ClubNameChoose(int index);   // a name picked from the club list
    void ResetDefaultClick();
    void ApplyButtonClick();
    void OkayButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

    // Controls, for the tests (each also found by its object name).
    QTabWidget* pageControl() const { return PageControl1; }
    QComboBox* clubNames() const { return ClubNameBox; }
    QLabel* clubIdLabel() const { return ClubIdLabel; }
    QLineEdit* abbreviationEdit() const { return AbbreviationEdit; }
    QLineEdit* secretaryEdit(int index) const { return m_secretary.value(index); }   // Name .. Email
    QLineEdit* commentLine() const { return CommentEdit; }
    QLabel* secretaryLine() const { return SecretaryLineLabel; }
    QCheckBox* enterAsTabBox() const { return EnterAsTabBox; }
    QCheckBox* pgdnAsSaveBox() const { return PgdnAsSaveBox; }
    QButtonGroup* creationGroup() const { return m_creation; }
    QButtonGroup* digitsGroup() const { return m_digitsGroup; }
    QPushButton* applyButton() const { return ApplyButton; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildClubPage();
    QWidget* buildSecretaryPage();
    QWidget* buildPreferencesPage();
    QWidget* buildSlipsPage();
    void changed();
    void showClubId();
    void buildPreview();
    defaults::SecretaryFields secretaryFields() const;

    TDmod& m_dmod;
    QTabWidget* PageControl1 = nullptr;
    QComboBox* ClubNameBox = nullptr;
    QLabel* ClubIdLabel = nullptr;
    QLineEdit* AbbreviationEdit = nullptr;
    QList<QLineEdit*> m_secretary;
    QLineEdit* CommentEdit = nullptr;
    QLabel* SecretaryLineLabel = nullptr;
    QCheckBox* EnterAsTabBox = nullptr;
    QCheckBox* PgdnAsSaveBox = nullptr;
    QButtonGroup* m_creation = nullptr;
    QButtonGroup* m_digitsGroup = nullptr;
    QPushButton* ApplyButton = nullptr;

    defaults::ClubLists m_clubs;
    QString m_clubName;      // the name Apply writes
    QString m_clubId;        // the code Apply writes (the stored one until a club is chosen)
    QString m_armbands;      // as stored, trimmed and in capitals
    int m_digits = 2;
    bool m_loaded = false;
};
