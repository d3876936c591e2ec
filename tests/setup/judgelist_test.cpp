#include "platform/printing/printjob.h"
#include "platform/printing/recordingcanvas.h"
#include "setup/judgelist.h"
#include "setupfixture.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"

#include <QPrinter>

using namespace setup;

namespace {

class JudgeListTest : public SetupFixture
{
protected:
    void SetUp() override
    {
        QDir().mkpath(path("agxdata"));
        dmod->OpenJudges();
    }

    void addJudge(const QString& first, const QString& last, const QString& state, bool deleted = false)
    {
        xbase::Table& t = dmod->Judges;
        t.append();
        t.setText("judgecode", last.toUpper() + " " + first.left(1));
        t.setText("jfirst", first);
        t.setText("jlast", last);
        t.setText("jaddress", "12 Oak Lane");
        t.setText("jcity", "Springfield");
        t.setText("jstate", state);
        t.setText("jzip", "62704");
        t.setText("clubphone", "217-555-0101");
        t.setText("clubemail", first.toLower() + "@example.org");
        t.setDeleted(deleted);
        ASSERT_TRUE(t.post());
    }
};

} // namespace

TEST_F(JudgeListTest, OneLinePerJudgeInTheCurrentOrderWithoutDeletedOnes)
{
    addJudge("Mary", "Young", "IL");
    addJudge("Anne", "Baker", "WI");
    addJudge("Gone", "Away", "IL", true);
    xbase::Table& t = dmod->Judges;
    t.setCurrentTag("NAME");
    QStringList lines = judgeAddressLines(t);
    EXPECT_EQ(lines, (QStringList{"Name        Phone  Address   Email",
                                  "Anne Baker  \t217-555-0101\t12 Oak Lane  Springfield, WI  62704\tanne@example.org",
                                  "Mary Young  \t217-555-0101\t12 Oak Lane  Springfield, IL  62704\tmary@example.org"}));
    t.setCurrentTag("STATE");
    lines = judgeAddressLines(t);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith("Mary Young"));
}

TEST(JudgeListDrawing, TitleOnEveryPageLinesIndentedAndBrokenFourPositionsFromTheBottom)
{
    QStringList lines{kJudgeListHeading};
    for (int i = 1; i <= 80; ++i)
        lines << QStringLiteral("Judge%1 Person  \t555-0100\t%1 Main St  Town, ST  00000\tj%1@example.org").arg(i);
    RecordingCanvas canvas;
    drawJudgeAddressList(canvas, lines);

    canvas.setFont(PrintFont::arial(10));
    const double pitch = 1.4 * canvas.textHeight();
    const int positions = int(canvas.pageHeight() / pitch);
    const int perPage = positions - 4 - 5;   // positions 5 .. positions - 5
    ASSERT_EQ(canvas.pageCount(), (81 + perPage - 1) / perPage);
    for (int page = 1; page <= canvas.pageCount(); ++page) {
        const QList<CanvasOp> texts = canvas.textsOn(page);
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_EQ(texts.first().text, kJudgeListTitle);
        EXPECT_DOUBLE_EQ(texts.first().x(), 250);
        EXPECT_EQ(texts.first().font, PrintFont::arial(10));
        const CanvasOp* first = nullptr;
        double last = 0;
        for (const CanvasOp& op : texts) {
            if (op.text == kJudgeListTitle)
                continue;
            if (!first) {
                first = &op;
                EXPECT_DOUBLE_EQ(op.x(), 150);
                EXPECT_NEAR(op.y(), 5 * pitch, 0.01);
            }
            last = std::max(last, op.y());
        }
        ASSERT_TRUE(first);
        // The last line stays above the four bottom positions.
        EXPECT_LE(last, (positions - 5) * pitch + 0.01);
    }
    // Full pages are full: the first page's last line is on the last position allowed.
    double lastOnOne = 0;
    for (const CanvasOp& op : canvas.textsOn(1))
        lastOnOne = std::max(lastOnOne, op.y());
    EXPECT_NEAR(lastOnOne, (positions - 5) * pitch, 0.01);
    // The tab stops are half an inch from where the line starts.
    const CanvasOp* phone = canvas.findText("555-0100");
    ASSERT_TRUE(phone);
    EXPECT_EQ(int(phone->x() - 150) % 150, 0);
}

TEST(JudgeListDrawing, EscStopsBetweenLines)
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    RecordingCanvas canvas;
    canvas.stopOnPage(2);
    drawJudgeAddressList(canvas, lines);
    EXPECT_EQ(canvas.pageCount(), 2);
    EXPECT_FALSE(canvas.findText("line 199"));
}
