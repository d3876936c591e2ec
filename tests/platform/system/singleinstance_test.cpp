#include "platform/system/singleinstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QUuid>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// The copies are this test program started again, running only the child test below.
namespace {

const char* kKeyVariable = "VELMORA_TEST_SINGLE_INSTANCE_KEY";

QProcess* startCopy(const QString& key)
{
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kKeyVariable), key);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_filter=SingleInstanceCopy.Run")});
    return process;
}

bool waitForOutput(QProcess& process, const QByteArray& marker, int ms, QByteArray& seen)
{
    QElapsedTimer timer;
    timer.start();
    while (!seen.contains(marker) && timer.elapsed() < ms) {
        process.waitForReadyRead(100);
        seen += process.readAllStandardOutput();
        if (process.state() == QProcess::NotRunning) {
            seen += process.readAllStandardOutput();
            break;
        }
    }
    return seen.contains(marker);
}

} // namespace

TEST(SingleInstanceCopy, Run)
{
    const QString key = qEnvironmentVariable(kKeyVariable);
    if (key.isEmpty())
        GTEST_SKIP() << "only run as a copy started by SingleInstance.ASecondCopyWakesTheFirstAndExits";
    SingleInstance instance(key);
    if (!instance.start()) {
        std::printf("SI:second\n");
        std::fflush(stdout);
        return;
    }
    std::printf("SI:first\n");
    std::fflush(stdout);
    QEventLoop loop;
    QObject::connect(&instance, &SingleInstance::activationRequested, &loop, [&] {
        std::printf("SI:activated\n");
        std::fflush(stdout);
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(SingleInstance, ASecondCopyWakesTheFirstAndExits)
{
    const QString key = QStringLiteral("Velmora test ") + QUuid::createUuid().toString();
    std::unique_ptr<QProcess> first(startCopy(key));
    QByteArray firstOut;
    ASSERT_TRUE(waitForOutput(*first, "SI:first", 30000, firstOut)) << firstOut.toStdString();

    std::unique_ptr<QProcess> second(startCopy(key));
    QByteArray secondOut;
    EXPECT_TRUE(waitForOutput(*second, "SI:second", 30000, secondOut)) << secondOut.toStdString();
    EXPECT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);

    EXPECT_TRUE(waitForOutput(*first, "SI:activated", 10000, firstOut)) << firstOut.toStdString();
    EXPECT_TRUE(first->waitForFinished(10000));
    first->kill();
    second->kill();
    first->waitForFinished();
    second->waitForFinished();
}

TEST(SingleInstance, ASocketLeftByACrashedCopyIsTakenOver)
{
    const QString key = QStringLiteral("Velmora test ") + QUuid::createUuid().toString();
    SingleInstance probe(key);
    // A crashed copy leaves its socket file behind, bound but with nobody listening.
    const QByteArray path = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + probe.serverName());
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(QFile::decodeName(path)));

    SingleInstance again(key);
    EXPECT_TRUE(again.start());
}
