#include "setup/runorder.h"

#include "data/dmod.h"
#include "data/trialchecks.h"
#include "platform/system/strings.h"

#include <QHash>
#include <QSet>

namespace setup {

namespace {

const QString kHeights[] = {QStringLiteral(" 4"), QStringLiteral(" 8"), QStringLiteral("12"),
                            QStringLiteral("16"), QStringLiteral("20"), QStringLiteral("24")};

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QList<RunOrderRow> runOrderRowsFor(const TrialOffer& offer, const QList<LevGroupRow>& levGroups)
{
    // The first row of a key wins, as a seek on LEVKEY would find it.
    QHash<QString, const LevGroupRow*> groupsOf;
    for (const LevGroupRow& row : levGroups) {
        const QString key = row.day + row.round + row.classname;
        if (!groupsOf.contains(key))
            groupsOf.insert(key, &row);
    }

    QList<RunOrderRow> rows;
    int counter = 0;
    for (qsizetype d = 0; d < offer.days.size(); ++d) {
        QList<RunOrderRow> dayRows;
        const QString day = QString::number(d + 1);
        for (const TrialClass& cls : runOrderClassOrder()) {
            const int runs = offer.days[d].runsOf(cls.code);
            for (int run = 1; run <= runs; ++run) {
                const QString round = QString::number(run);
                const LevGroupRow* groups = groupsOf.value(day + round + cls.name);
                if (!groups)
                    continue;
                for (const QString& group : groups->groups)
                    if (!group.trimmed().isEmpty())
                        dayRows.push_back({day, cls.name, round, group, QStringLiteral("0"), {}});
            }
        }
        if (counter + dayRows.size() > 99)
            counter = 0;
        for (RunOrderRow& row : dayRows)
            row.srtKey = twoDigits(++counter);
        rows += dayRows;
    }
    return rows;
}

void keepAssignments(QList<RunOrderRow>& fresh, const QList<RunOrderRow>& old)
{
    for (const RunOrderRow& before : old) {
        for (RunOrderRow& now : fresh) {
            if (now.day == before.day && now.round == before.round && now.classname == before.classname
                && now.levels == before.levels) {
                now.ring = before.ring;
                now.srtKey = before.srtKey;
            }
        }
    }
}

QList<RunOrderRow> readRunOrderRows(const xbase::Table& table)
{
    QList<RunOrderRow> rows;
    xbase::ScanCursor cursor = table.scan();
    cursor.setCurrentTag(QString());
    for (cursor.first(); !cursor.eof(); cursor.next()) {
        if (cursor.isDeleted())
            continue;
        rows.push_back({rightTrimmed(cursor.text("day_num")), rightTrimmed(cursor.text("classname")),
                        rightTrimmed(cursor.text("round")), rightTrimmed(cursor.text("levels")),
                        rightTrimmed(cursor.text("ring")), rightTrimmed(cursor.text("srt_key"))});
    }
    return rows;
}

void appendRunOrderRows(xbase::Table& table, int showNum, const QList<RunOrderRow>& rows)
{
    for (const RunOrderRow& row : rows) {
        table.append();
        table.setInt("show_num", showNum);
        table.setText("day_num", row.day);
        table.setText("classname", row.classname);
        table.setText("round", row.round);
        table.setText("levels", row.levels);
        table.setText("ring", row.ring);
        table.setText("srt_key", row.srtKey);
        table.post();
    }
}

void buildRunOrder(TDmod& dmod, const TrialOffer& offer)
{
    const QString trial = data::TrialNumberText(offer.showNum);
    data::openForTrial(dmod, dmod.LevGroup, data::TableId::LevGroup, trial);
    data::openForTrial(dmod, dmod.RunOrder, data::TableId::RunOrder, trial);
    dmod.LevGroup.setCurrentTag(QStringLiteral("LEVKEY"));
    xbase::Table& runOrder = dmod.RunOrder;
    if (runOrder.state() != xbase::Table::State::Browse)
        runOrder.cancel();

    QList<RunOrderRow> rows = runOrderRowsFor(offer, readLevGroupRows(dmod.LevGroup));
    if (!runOrder.isEmpty()) {
        xbase::Table work;
        dmod.OpenDefined(work, data::TableId::vRunOrd);
        work.zap();
        work.appendFrom(runOrder, xbase::AppendMode::ByPosition);
        work.flush();
        keepAssignments(rows, readRunOrderRows(work));
        runOrder.zap();
        work.close();
    }
    appendRunOrderRows(runOrder, offer.showNum, rows);
    runOrder.flush();
    runOrder.setCurrentTag(QStringLiteral("RUNKEY"));
    runOrder.first();
}

void buildJumpHts(TDmod& dmod, const TrialOffer& offer)
{
    data::openForTrial(dmod, dmod.JumpHts, data::TableId::JumpHts, data::TrialNumberText(offer.showNum));
    xbase::Table& jumpHts = dmod.JumpHts;
    // A day added to the trial after its heights were set has no rows, and no drop can
    // give it any: each ring without heights starts from lowest to highest.
    QSet<QString> filled;
    xbase::ScanCursor rows = jumpHts.scan();
    rows.setCurrentTag(QString());
    for (rows.first(); !rows.eof(); rows.next())
        if (!rows.isDeleted())
            filled.insert(rows.trimmed("day_num") + rows.trimmed("ring"));
    bool added = false;
    for (qsizetype day = 1; day <= offer.days.size(); ++day) {
        for (int ring = 1; ring <= 4; ++ring) {
            if (filled.contains(QString::number(day) + QString::number(ring)))
                continue;
            added = true;
            for (int h = 0; h < 6; ++h) {
                jumpHts.append();
                jumpHts.setInt("show_num", offer.showNum);
                jumpHts.setText("day_num", QString::number(day));
                jumpHts.setText("ring", QString::number(ring));
                jumpHts.setText("jump_ht", kHeights[h]);
                jumpHts.setText("ht_key", QString::number(h + 1));
                jumpHts.post();
            }
        }
    }
    if (!added)
        return;
    jumpHts.flush();
    jumpHts.first();
}

QString itemText(const QString& classname, const QString& round, const QString& levels)
{
    return rightTrimmed(classname) + QStringLiteral(" - R") + round + QStringLiteral(" - L") + levels;
}

std::optional<ItemParts> parseItem(const QString& text)
{
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    const qsizetype r = text.indexOf(QStringLiteral("- R"));
    const qsizetype l = text.indexOf(QStringLiteral("- L"), r < 0 ? 0 : r);
    if (dash < 0 || r < 0 || l < 0 || r + 3 >= text.size())
        return std::nullopt;
    return ItemParts{rightTrimmed(text.left(dash)), text.mid(r + 3, 1), rightTrimmed(text.mid(l + 3))};
}

QStringList& box(DayBoxes& boxes, BoxId id)
{
    if (id.kind == BoxKind::Classes)
        return boxes.classes.at(size_t(id.index));
    return boxes.heights.at(size_t(id.index - 1));
}

std::optional<int> dropItem(DayBoxes& boxes, BoxId source, int sourceRow, BoxId target, int targetRow)
{
    if (source.kind != target.kind)
        return std::nullopt;
    QStringList& from = box(boxes, source);
    if (sourceRow < 0 || sourceRow >= from.size())
        return std::nullopt;
    if (source != target) {
        if (source.kind == BoxKind::Heights)
            return std::nullopt;
        QStringList& to = box(boxes, target);
        to.push_back(from.takeAt(sourceRow));
        return int(to.size() - 1);
    }
    if (source.kind == BoxKind::Classes && from.size() < 2)
        return std::nullopt;
    const int last = int(from.size() - 1);
    const int to = (targetRow < 0 || targetRow > last) ? last : targetRow;
    from.move(sourceRow, to);
    return to;
}

void moveAllToRing1(DayBoxes& boxes)
{
    boxes.classes[1] += boxes.classes[0];
    boxes.classes[0].clear();
}

void flipHeights(DayBoxes& boxes, int ring)
{
    QStringList& heights = boxes.heights.at(size_t(ring - 1));
    std::reverse(heights.begin(), heights.end());
}

DayBoxes loadDay(const xbase::Table& runOrder, const xbase::Table& jumpHts, int day)
{
    DayBoxes boxes;
    const QString dayText = QString::number(day);

    xbase::ScanCursor rows = runOrder.scan();
    rows.setCurrentTag(QStringLiteral("CATKEY"));
    rows.setRange(dayText);
    for (rows.first(); !rows.eof(); rows.next()) {
        if (rows.isDeleted())
            continue;
        const int ring = rows.text("ring").toInt();
        // A ring we do not know is shown unassigned rather than hidden, so that saving
        // the day cannot drop the row.
        const size_t target = (ring >= 1 && ring <= 4) ? size_t(ring) : 0;
        boxes.classes[target].push_back(itemText(rows.text("classname"), rows.text("round"), rows.text("levels")));
    }

    xbase::ScanCursor heights = jumpHts.scan();
    heights.setCurrentTag(QStringLiteral("RUNKEY"));
    heights.setRange(dayText);
    for (heights.first(); !heights.eof(); heights.next()) {
        if (heights.isDeleted())
            continue;
        const int ring = heights.text("ring").toInt();
        if (ring >= 1 && ring <= 4)
            boxes.heights[size_t(ring - 1)].push_back(heights.rawText("jump_ht"));
    }
    return boxes;
}

namespace {

void deleteDay(xbase::Table& table, int day)
{
    for (quint32 rec = 1; rec <= table.recordCount(); ++rec) {
        table.go(rec);
        if (table.toInt("day_num") == day && !table.isDeleted())
            table.setDeleted(true);
    }
    table.flush();
    table.pack();
}

} // namespace

void saveDay(xbase::Table& runOrder, xbase::Table& jumpHts, int showNum, int day, const DayBoxes& boxes)
{
    const QString dayText = QString::number(day);
    if (runOrder.state() != xbase::Table::State::Browse)
        runOrder.cancel();
    if (jumpHts.state() != xbase::Table::State::Browse)
        jumpHts.cancel();

    deleteDay(runOrder, day);
    QList<RunOrderRow> rows;
    for (int ring = 0; ring <= 4; ++ring) {
        int place = 0;
        for (const QString& item : boxes.classes[size_t(ring)]) {
            const std::optional<ItemParts> parts = parseItem(item);
            if (!parts)
                continue;
            rows.push_back({dayText, parts->classname, parts->round, parts->levels, QString::number(ring),
                            twoDigits(++place)});
        }
    }
    appendRunOrderRows(runOrder, showNum, rows);
    runOrder.flush();

    deleteDay(jumpHts, day);
    for (int ring = 1; ring <= 4; ++ring) {
        int place = 0;
        for (const QString& height : boxes.heights[size_t(ring - 1)]) {
            jumpHts.append();
            jumpHts.setInt("show_num", showNum);
            jumpHts.setText("day_num", dayText);
            jumpHts.setText("ring", QString::number(ring));
            jumpHts.setText("jump_ht", height);
            jumpHts.setText("ht_key", QString::number(++place));
            jumpHts.post();
        }
    }
    jumpHts.flush();
}

} // namespace setup
