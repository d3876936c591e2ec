#include "platform/printing/labelwidgets.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LabelCountPanel::LabelCountPanel(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    m_need = new QLabel(this);
    m_words = new QLabel(this);
    m_last = new QLabel(this);
    layout->addWidget(m_need, 0, 0);
    layout->addWidget(m_words, 0, 1);
    layout->addWidget(m_last, 1, 0, 1, 2);
    refresh();
}

void LabelCountPanel::setCount(const LabelCount& count)
{
    m_count = count;
    refresh();
}

QString LabelCountPanel::needText() const
{
    return m_prefix + QString::number(m_count.sheets());
}

QString LabelCountPanel::sheetWordsText() const
{
    return m_count.sheetWords();
}

bool LabelCountPanel::lastSheetShown() const
{
    return m_count.showLastSheet();
}

QString LabelCountPanel::lastSheetText() const
{
    if (!lastSheetShown())
        return QString();
    return m_count.lastSheetText() + QLatin1Char(' ') + QString::number(m_count.lastSheetLabels()) + m_count.labelWord();
}

void LabelCountPanel::refresh()
{
    m_need->setText(needText());
    m_words->setText(sheetWordsText());
    m_last->setText(lastSheetText());
    m_last->setVisible(lastSheetShown());
}

StartPositionButtons::StartPositionButtons(const LabelStock& stock, QWidget* parent)
    : QWidget(parent), m_group(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    m_grid = new QGridLayout;
    layout->addLayout(m_grid);
    m_caption = new QLabel(this);
    m_across = new QLabel(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_across);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &StartPositionButtons::positionChanged);
    setStock(stock);
}

void StartPositionButtons::setStock(const LabelStock& stock)
{
    m_stock = stock;
    for (QAbstractButton* b : m_group->buttons()) {
        m_group->removeButton(b);
        delete b;
    }
    for (int k = 1; k <= stock.perSheet(); ++k) {
        auto* b = new QPushButton(QString::number(k), this);
        b->setCheckable(true);
        m_group->addButton(b, k);
        m_grid->addWidget(b, (k - 1) / stock.across, (k - 1) % stock.across);
    }
    m_caption->setText(stockCaption(stock));
    m_across->setText(acrossCaption(stock));
    setPosition(1);
}

int StartPositionButtons::position() const
{
    return qMax(1, m_group->checkedId());
}

void StartPositionButtons::setPosition(int position)
{
    if (QAbstractButton* b = m_group->button(position))
        b->setChecked(true);
}

QString StartPositionButtons::stockCaption(const LabelStock& stock)
{
    return QStringLiteral("Avery Labels #  ") + stock.name.section(QLatin1Char(' '), -1);
}

QString StartPositionButtons::acrossCaption(const LabelStock& stock)
{
    return QStringLiteral("%1 - Across -- %2 labels per page").arg(stock.across).arg(stock.perSheet());
}
