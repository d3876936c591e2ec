#include "setup/levelgroups.h"

#include "data/dmod.h"
#include "data/trialchecks.h"

#include <QHash>

namespace setup {

namespace {

const char* const kGroupFields[] = {"group_a", "group_b", "group_c", "group_d"};

QString key(const LevGroupRow& row)
{
    return row.day + row.round + row.classname;
}

} // namespace

QList<LevGroupRow> levGroupRowsFor(const TrialOffer& offer)
{
    QList<LevGroupRow> rows;
    for (qsizetype d = 0; d < offer.days.size(); ++d) {
        const DayOffer& day = offer.days[d];
        const QList<TrialClass>& order = levGroupClassOrder();
        for (qsizetype c = 0; c < order.size(); ++c) {
            for (int run = 1; run <= day.runs[size_t(c)]; ++run) {
                LevGroupRow row;
                row.day = QString::number(d + 1);
                row.classname = order[c].name;
                row.round = QString::number(run);
                row.available = day.available;
                rows.push_back(row);
            }
        }
    }
    return rows;
}

KeptGroupings keepGroupings(QList<LevGroupRow> fresh, const QList<LevGroupRow>& old)
{
    QHash<QString, qsizetype> index;
    for (qsizetype i = 0; i < fresh.size(); ++i)
        index.insert(key(fresh[i]), i);

    bool levelsChanged = false;
    for (const LevGroupRow& before : old) {
        const auto found = index.constFind(key(before));
        if (found == index.cend())
            continue;
        LevGroupRow& now = fresh[*found];
        now.groups = before.groups;
        if (now.available != before.available)
            levelsChanged = true;
    }

    KeptGroupings kept;
    if (fresh.size() != old.size())
        kept.notice = kClassesChanged;
    else if (levelsChanged)
        kept.notice = kLevelsChanged;
    kept.rows = std::move(fresh);
    return kept;
}

QList<LevGroupRow> readLevGroupRows(const xbase::Table& table)
{
    QList<LevGroupRow> rows;
    xbase::ScanCursor cursor = table.scan();
    cursor.setCurrentTag(QString());
    for (cursor.first(); !cursor.eof(); cursor.next()) {
        if (cursor.isDeleted())
            continue;
        LevGroupRow row;
        // Keys compare without trailing blanks; a blank before the text is kept.
        const auto right = [&](const char* field) {
            QString text = cursor.text(field);
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            return text;
        };
        row.day = right("day_num");
        row.classname = right("classname");
        row.round = right("round");
        row.available = right("available");
        for (int g = 0; g < 4; ++g)
            row.groups[size_t(g)] = right(kGroupFields[g]);
        rows.push_back(row);
    }
    return rows;
}

void appendLevGroupRows(xbase::Table& table, int showNum, const QList<LevGroupRow>& rows)
{
    for (const LevGroupRow& row : rows) {
        table.append();
        table.setInt("show_num", showNum);
        table.setText("day_num", row.day);
        table.setText("classname", row.classname);
        table.setText("round", row.round);
        table.setText("available", row.available);
        for (int g = 0; g < 4; ++g)
            table.setText(kGroupFields[g], row.groups[size_t(g)]);
        table.post();
    }
}

QString buildLevGroup(TDmod& dmod, const TrialOffer& offer)
{
    const QString trial = data::TrialNumberText(offer.showNum);
    data::openForTrial(dmod, dmod.LevGroup, data::TableId::LevGroup, trial);
    xbase::Table& levGroup = dmod.LevGroup;
    if (levGroup.state() != xbase::Table::State::Browse)
        levGroup.cancel();

    QString notice;
    if (levGroup.isEmpty()) {
        appendLevGroupRows(levGroup, offer.showNum, levGroupRowsFor(offer));
    } else {
        // The old rows go to the work table first, so they are on disk while LevGroup
        // is emptied and filled again.
        xbase::Table work;
        dmod.OpenDefined(work, data::TableId::vLevGrp);
        work.zap();
        work.appendFrom(levGroup, xbase::AppendMode::ByPosition);
        work.flush();
        const QList<LevGroupRow> old = readLevGroupRows(work);

        levGroup.zap();
        KeptGroupings kept = keepGroupings(levGroupRowsFor(offer), old);
        appendLevGroupRows(levGroup, offer.showNum, kept.rows);
        notice = kept.notice;
        work.close();
    }
    levGroup.flush();
    levGroup.setCurrentTag(QStringLiteral("LEVKEY"));
    levGroup.first();
    return notice;
}

CheckedGroup checkGroup(const QString& typed)
{
    CheckedGroup checked{typed.toUpper(), false};
    if (checked.value.contains(QLatin1Char('S'))) {
        // Every S goes: a group must never hold level S.
        checked.value.remove(QLatin1Char('S'));
        checked.removedS = true;
    }
    return checked;
}

QStringList checkLevGroupRow(xbase::Table& levGroup)
{
    QStringList messages;
    for (const char* field : kGroupFields) {
        if (levGroup.isBlank(field))
            continue;
        const QString typed = levGroup.text(field);
        const CheckedGroup checked = checkGroup(typed);
        if (checked.value != typed)
            levGroup.setText(field, checked.value);
        if (checked.removedS)
            messages << kLevelSRemoved;
    }
    return messages;
}

} // namespace setup
