#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <cstring>
#include <future>
#include <thread>

#include "platform/SystemLog.h"
#include "support/TestEnvironment.h"

namespace {

// A log service's datagram socket that reads only when asked.
class LogService {
 public:
  explicit LogService(const QString& path) : path_(QFile::encodeName(path)) {
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path_.constData(), static_cast<size_t>(path_.size()));
    ::unlink(path_.constData());
    bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  }
  ~LogService() { stop(); }
  LogService(const LogService&) = delete;
  LogService& operator=(const LogService&) = delete;

  bool bound() const { return bound_; }
  // The next line, or nothing after a generous wait.
  QByteArray receive() {
    pollfd ready{fd_, POLLIN, 0};
    if (::poll(&ready, 1, 10000) != 1) return {};
    char datagram[4096];
    const ssize_t n = ::recv(fd_, datagram, sizeof datagram, 0);
    return n < 0 ? QByteArray() : QByteArray(datagram, n);
  }
  // Everything waiting, as a service catching up would read it.
  int drain() {
    char datagram[4096];
    int lines = 0;
    while (::recv(fd_, datagram, sizeof datagram, MSG_DONTWAIT) >= 0) ++lines;
    return lines;
  }
  void stop() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(path_.constData());
    fd_ = -1;
  }

 private:
  QByteArray path_;
  int fd_ = -1;
  bool bound_ = false;
};

class SystemLogTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    SystemLog::setSink({});
    socketPath = homePath() + "/log";
    SystemLog::setSocketPathForTests(socketPath);
  }
  void TearDown() override {
    SystemLog::setSocketPathForTests({});
    TavelinTest::TearDown();
  }

  QString socketPath;
};

}  // namespace

TEST_F(SystemLogTest, ALineReachesTheLogServiceInTheClassicFormWheneverTheServiceIsThere) {
  // No service yet: the line is lost, and nothing else.
  SystemLog::write("before the service");

  const QString pid = QString::number(::getpid());
  const QRegularExpression form("^<13>(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 123]\\d "
                                "[0-2]\\d:[0-5]\\d:[0-6]\\d Tavelin\\[" + pid + "\\]: (.*)$");
  for (const QString restart : {"started", "restarted"}) {
    SCOPED_TRACE(restart.toStdString());
    LogService service(socketPath);
    ASSERT_TRUE(service.bound());
    SystemLog::write("Save failed: \u00fcber /tmp/a\u00a0b " + restart);
    const QString received = QString::fromUtf8(service.receive());
    const QRegularExpressionMatch line = form.match(received);
    ASSERT_TRUE(line.hasMatch()) << received.toStdString();
    EXPECT_EQ(line.captured(2), "Save failed: \u00fcber /tmp/a\u00a0b " + restart);
  }
}

TEST_F(SystemLogTest, AServiceThatStopsReadingCostsLinesNeverAWait) {
  LogService service(socketPath);
  ASSERT_TRUE(service.bound());
  // Far more than a datagram socket holds unread.
  auto writing = std::async(std::launch::async, [] {
    for (int i = 0; i < 5000; ++i) SystemLog::write(QString("line %1 ").arg(i) + QString(200, 'x'));
  });
  const bool returned = writing.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
  EXPECT_TRUE(returned) << "a write waited for the log service";
  if (!returned) service.stop();  // lets a waiting write fail, so the test can end
  writing.get();
  if (!returned) return;

  // Once the service catches up, the next line is there.
  EXPECT_GT(service.drain(), 0);
  SystemLog::write("caught up");
  EXPECT_TRUE(service.receive().endsWith(": caught up"));
}
