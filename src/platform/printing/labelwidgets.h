#pragma once

#include "platform/printing/labelstock.h"

#include <QWidget>

class QButtonGroup;
class QGridLayout;
class QLabel;

// "You will need n sheets of labels" and "The last sheet will use r labels".
class LabelCountPanel : public QWidget
{
    Q_OBJECT
public:
    explicit LabelCountPanel(QWidget* parent = nullptr);

    // Some windows word the first line differently ("You will need  " with two blanks).
    void setNeedPrefix(const QString& prefix) { m_prefix = prefix; refresh(); }
    void setCount(const LabelCount& count);

    QString needText() const;
    QString sheetWordsText() const;
    QString lastSheetText() const;     // empty when hidden
    bool lastSheetShown() const;

private:
    void refresh();

    LabelCount m_count;
    QString m_prefix = QStringLiteral("You will need ");
    QLabel* m_need;
    QLabel* m_words;
    QLabel* m_last;
};

// The numbered buttons of one sheet's positions, numbered row by row; exactly one is down.
class StartPositionButtons : public QWidget
{
    Q_OBJECT
public:
    explicit StartPositionButtons(const LabelStock& stock, QWidget* parent = nullptr);

    void setStock(const LabelStock& stock);
    int position() const;
    void setPosition(int position);
    int row() const { return (position() - 1) / m_stock.across + 1; }
    int column() const { return (position() - 1) % m_stock.across + 1; }

    static QString stockCaption(const LabelStock& stock);   // "Avery Labels #  5160"
    static QString acrossCaption(const LabelStock& stock);  // "3 - Across -- 30 labels per page"

signals:
    void positionChanged(int position);

private:
    LabelStock m_stock;
    QButtonGroup* m_group;
    QGridLayout* m_grid;
    QLabel* m_caption;
    QLabel* m_across;
};
