// The growable buffer that holds a table's records and tag keys: contents survive growth from
// ordinary memory into mapped huge-page memory, copies are deep, and appending a part of the
// buffer to itself works while it moves.

#include "platform/xbase/largebuffer.h"

#include <QByteArray>
#include <gtest/gtest.h>

using xbase::detail::LargeBuffer;

namespace {

QByteArray contents(const LargeBuffer& b)
{
    return QByteArray(b.constData(), b.size());
}

QByteArray pattern(qsizetype n, int seed)
{
    QByteArray out(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char((i * 7 + seed) % 251);
    return out;
}

} // namespace

TEST(LargeBuffer, KeepsItsBytesWhileGrowingPastTheMappedSize)
{
    LargeBuffer b;
    QByteArray expected;
    // Records of 300 bytes appended one by one, from a few bytes to over three megabytes.
    for (int i = 0; i < 11000; ++i) {
        const QByteArray rec = pattern(300, i);
        b.append(rec.constData(), rec.size());
        expected += rec;
    }
    EXPECT_EQ(contents(b), expected);

    b.truncate(1000);
    EXPECT_EQ(contents(b), expected.left(1000));
    b.resize(5 << 20);
    EXPECT_EQ(b.size(), 5 << 20);
    EXPECT_EQ(QByteArray(b.constData(), 1000), expected.left(1000));
    b.clear();
    EXPECT_TRUE(b.isEmpty());
    b.release();
    EXPECT_EQ(b.constData(), nullptr);
}

TEST(LargeBuffer, AppendsPartsOfItselfAcrossAMove)
{
    for (const qsizetype size : {qsizetype(100), qsizetype(3) << 20}) {
        LargeBuffer b;
        const QByteArray start = pattern(size, 1);
        b.append(start.constData(), start.size());
        b.append(b.constData() + 10, size - 10);   // needs more room: the buffer moves
        EXPECT_EQ(contents(b), start + start.mid(10));
    }
}

TEST(LargeBuffer, CopiesAreDeepAndMovesLeaveItEmpty)
{
    for (const qsizetype size : {qsizetype(64), qsizetype(2) << 20}) {
        LargeBuffer a;
        const QByteArray bytes = pattern(size, 3);
        a.append(bytes.constData(), bytes.size());
        LargeBuffer copy(a);
        copy.data()[0] = char(~copy.data()[0]);
        EXPECT_EQ(contents(a), bytes);
        LargeBuffer assigned;
        assigned = a;
        EXPECT_EQ(contents(assigned), bytes);
        LargeBuffer moved(std::move(a));
        EXPECT_EQ(contents(moved), bytes);
        EXPECT_EQ(a.size(), 0);   // a moved-from buffer is empty
        a = std::move(moved);
        EXPECT_EQ(contents(a), bytes);
    }
}
