#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "ControllerState.h"
#include "Protocol.h"

namespace kv60sim {

using namespace protocol;
using Clock = std::chrono::steady_clock;

namespace {

const auto kCharacterTime =
    std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kCharacterSeconds));

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

// ---- faults -----------------------------------------------------------------------------------

namespace {
Fault Make(FaultKind kind, int value = 0, const QString& text = QString()) {
  Fault f;
  f.kind = kind;
  f.value = value;
  f.text = text;
  return f;
}
}  // namespace

Fault Fault::NoAnswer() {
  return Make(FaultKind::NoAnswer);
}
Fault Fault::Late(int ms) {
  return Make(FaultKind::LateAnswer, ms);
}
Fault Fault::NoCarriageReturn() {
  return Make(FaultKind::NoCarriageReturn);
}
Fault Fault::BadChecksum() {
  return Make(FaultKind::BadChecksum);
}
Fault Fault::Noise(const QString& text) {
  return Make(FaultKind::Noise, 0, text);
}
Fault Fault::ZInData(int position) {
  return Make(FaultKind::ZInData, position);
}
Fault Fault::Error(const QString& code) {
  return Make(FaultKind::ErrorReply, 0, code);
}
Fault Fault::Status(int status) {
  return Make(FaultKind::Status, status);
}
Fault Fault::WrongLetter() {
  return Make(FaultKind::WrongLetter);
}
Fault Fault::Data(const QString& data) {
  return Make(FaultKind::ReplyData, 0, data);
}
Fault Fault::StopAfter(int replies) {
  return Make(FaultKind::StopAfter, replies);
}
Fault Fault::HangUp() {
  return Make(FaultKind::HangUp);
}

Fault Fault::For(int device) const {
  Fault f = *this;
  f.devNo = device;
  return f;
}
Fault Fault::On(const QString& code) const {
  Fault f = *this;
  f.command = code;
  return f;
}
Fault Fault::Times(int count) const {
  Fault f = *this;
  f.times = count;
  return f;
}

// How one reply goes out, after the faults.
struct Line::Reply {
  bool silent = false;
  bool hangUp = false;
  int lateMs = 0;
  bool carriageReturn = true;
  bool badChecksum = false;
  QString noise;
  int zPosition = 0;  // 0: none
  QString errorCode;
  int status = -1;  // -1: the controller's own
  bool wrongLetter = false;
  bool replaceData = false;
  QString data;
};

// ---- the line ---------------------------------------------------------------------------------

Line::Line() = default;

Line::~Line() {
  Stop();
}

bool Line::Start(const QString& portsFolder, int comNo) {
  Stop();
  {
    std::lock_guard<std::mutex> guard(FLock);
    FError.clear();
    FFolder = QDir(portsFolder).absolutePath();
    FComNo = comNo;
    FLinkPath = QDir(FFolder).filePath(QStringLiteral("COM") + QString::number(comNo));
  }
  if (!QDir().mkpath(FFolder)) {
    std::lock_guard<std::mutex> guard(FLock);
    FError = QStringLiteral("cannot make the folder ") + FFolder;
    return false;
  }
  const QFileInfo existing(FLinkPath);
  if (existing.exists() && !existing.isSymLink()) {
    std::lock_guard<std::mutex> guard(FLock);
    FError = FLinkPath + QStringLiteral(" exists and is not a link");
    return false;
  }
  if (::pipe2(FWake, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::lock_guard<std::mutex> guard(FLock);
    FError = QStringLiteral("pipe: ") + QString::fromLocal8Bit(strerror(errno));
    return false;
  }
  if (!OpenTerminal()) {
    CloseFd(FWake[0]);
    CloseFd(FWake[1]);
    return false;
  }
  FStopping = false;
  FHungUp = false;
  FThread = std::thread(&Line::Run, this);
  return true;
}

void Line::Stop() {
  if (FThread.joinable()) {
    FStopping = true;
    const char wake = 's';
    (void)!::write(FWake[1], &wake, 1);
    FThread.join();
  }
  CloseTerminal();
  CloseFd(FWake[0]);
  CloseFd(FWake[1]);
  const QString link = LinkPath();
  if (!link.isEmpty() && QFileInfo(link).isSymLink()) QFile::remove(link);
}

bool Line::IsRunning() const {
  return FThread.joinable();
}

QString Line::ErrorString() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FError;
}

int Line::ComNo() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FComNo;
}

QString Line::LinkPath() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FLinkPath;
}

QString Line::DevicePath() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FDevicePath;
}

bool Line::OpenTerminal() {
  auto fail = [this](const char* what) {
    std::lock_guard<std::mutex> guard(FLock);
    FError =
        QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(strerror(errno));
    return false;
  };
  std::lock_guard<std::mutex> terminal(FTerminalLock);
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) return fail("posix_openpt");
  char name[128] = {};
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
      ::ptsname_r(master, name, sizeof name) != 0) {
    ::close(master);
    return fail("pseudo-terminal");
  }
  // Holding the slave open keeps the master readable while no program has the port open, and
  // sets raw mode before the first program opens it.
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) {
    ::close(master);
    return fail(name);
  }
  termios settings{};
  ::tcgetattr(slave, &settings);
  ::cfmakeraw(&settings);
  ::cfsetspeed(&settings, B9600);
  ::tcsetattr(slave, TCSANOW, &settings);
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  FMaster = master;
  FSlaveKeep = slave;
  {
    std::lock_guard<std::mutex> guard(FLock);
    FDevicePath = QString::fromLocal8Bit(name);
  }
  FHungUp = false;
  return Link(QString::fromLocal8Bit(name));
}

void Line::CloseTerminal() {
  std::lock_guard<std::mutex> terminal(FTerminalLock);
  CloseFd(FMaster);
  CloseFd(FSlaveKeep);
  std::lock_guard<std::mutex> guard(FLock);
  FDevicePath.clear();
}

bool Line::Link(const QString& target) {
  const QString link = LinkPath();
  const QByteArray temporary = QFile::encodeName(link + QStringLiteral(".new"));
  ::unlink(temporary.constData());
  if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0 ||
      ::rename(temporary.constData(), QFile::encodeName(link).constData()) != 0) {
    std::lock_guard<std::mutex> guard(FLock);
    FError = QStringLiteral("cannot link ") + link + QStringLiteral(": ") +
             QString::fromLocal8Bit(strerror(errno));
    return false;
  }
  return true;
}

// ---- controllers, faults, inspection -----------------------------------------------------------

Controller& Line::AddController(int devNo, const QString& serial, const QString& version) {
  std::lock_guard<std::mutex> guard(FLock);
  FControllers.push_back(
      std::unique_ptr<Controller>(new Controller(FLock, devNo, serial, version)));
  return *FControllers.back();
}

Controller* Line::FindController(int devNo) {
  std::lock_guard<std::mutex> guard(FLock);
  for (auto& c : FControllers) {
    if (c->FState->devNo == devNo) return c.get();
  }
  return nullptr;
}

std::vector<Controller*> Line::Controllers() {
  std::lock_guard<std::mutex> guard(FLock);
  std::vector<Controller*> all;
  for (auto& c : FControllers) all.push_back(c.get());
  return all;
}

void Line::SetPacing(bool on) {
  std::lock_guard<std::mutex> guard(FLock);
  FPacing = on;
}

bool Line::Pacing() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FPacing;
}

void Line::AddFault(const Fault& fault) {
  std::lock_guard<std::mutex> guard(FLock);
  FFaults.push_back(fault);
}

void Line::ClearFaults() {
  std::lock_guard<std::mutex> guard(FLock);
  FFaults.clear();
}

int Line::FaultCount() const {
  std::lock_guard<std::mutex> guard(FLock);
  return static_cast<int>(FFaults.size());
}

std::vector<QString> Line::Requests() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FRequests;
}

void Line::ClearRequests() {
  std::lock_guard<std::mutex> guard(FLock);
  FRequests.clear();
}

int Line::ReplyCount() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FReplies;
}

QString Line::Dump(int devNo) const {
  std::lock_guard<std::mutex> guard(FLock);
  for (const auto& c : FControllers) {
    if (c->FState->devNo == devNo) {
      return QString::fromUtf8(QJsonDocument(c->ToJsonLocked()).toJson(QJsonDocument::Indented));
    }
  }
  return QString();
}

int Line::PendingInput() const {
  std::lock_guard<std::mutex> terminal(FTerminalLock);
  int waiting = 0;
  if (FMaster >= 0 && ::ioctl(FMaster, FIONREAD, &waiting) != 0) waiting = 0;
  return waiting;
}

bool Line::WaitIdle(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (FBusy || PendingInput() > 0) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// ---- hang-up ------------------------------------------------------------------------------------

bool Line::PerformAction(Action action) {
  if (!FThread.joinable()) {
    std::lock_guard<std::mutex> guard(FActionLock);
    FAction = action;
    HandleAction();
    return FActionResult;
  }
  std::unique_lock<std::mutex> lock(FActionLock);
  FAction = action;
  const char wake = 'a';
  (void)!::write(FWake[1], &wake, 1);
  FActionDone.wait(lock, [this] { return FAction == Action::None; });
  return FActionResult;
}

// Runs on the line's thread (or the caller's when the line is stopped); FActionLock is held.
void Line::HandleAction() {
  const Action action = FAction;
  if (action == Action::None) return;
  if (action == Action::HangUp) {
    FActionResult = HangUpNow();
  } else {
    CloseTerminal();
    FActionResult = OpenTerminal();
  }
  FAction = Action::None;
  FActionDone.notify_all();
}

bool Line::HangUpNow() {
  CloseTerminal();
  FHungUp = true;
  // A link to nothing: opening the port fails instead of falling back to /dev/ttyS<n-1>.
  return Link(LinkPath() + QStringLiteral(".hung-up"));
}

void Line::HangUp() {
  PerformAction(Action::HangUp);
}

bool Line::Reconnect() {
  return PerformAction(Action::Reconnect);
}

bool Line::IsHungUp() const {
  return FHungUp;
}

// ---- the answering thread -----------------------------------------------------------------------

void Line::Run() {
  QByteArray buffer;
  Clock::time_point arrival = Clock::now();
  while (!FStopping) {
    pollfd fds[2] = {{FWake[0], POLLIN, 0}, {FMaster, POLLIN, 0}};
    const nfds_t count = FMaster >= 0 ? 2 : 1;
    FBusy = false;
    if (::poll(fds, count, -1) < 0 && errno != EINTR) break;
    if (fds[0].revents & POLLIN) {
      char drain[64];
      while (::read(FWake[0], drain, sizeof drain) > 0) {
      }
      std::lock_guard<std::mutex> guard(FActionLock);
      HandleAction();
      buffer.clear();
      continue;
    }
    if (count < 2 || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    FBusy = true;
    char chunk[512];
    const ssize_t n = ::read(FMaster, chunk, sizeof chunk);
    if (n <= 0) {
      if (n < 0 && errno == EAGAIN) continue;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));  // no reader: do not spin
      continue;
    }
    if (buffer.isEmpty()) arrival = Clock::now();
    buffer.append(chunk, static_cast<int>(n));
    for (QByteArray request = TakeRequest(buffer); !request.isEmpty() && !FStopping;
         request = TakeRequest(buffer)) {
      Answer(request, arrival);
      if (FHungUp || FMaster < 0) {
        buffer.clear();
        break;
      }
      arrival = Clock::now();
    }
  }
  FBusy = false;
}

bool Line::WaitInterruptible(int ms) {
  pollfd fd{FWake[0], POLLIN, 0};
  const int ready = ::poll(&fd, 1, ms);
  return ready == 0 && !FStopping;
}

Controller* Line::Addressed(const Request& request) {
  for (auto& c : FControllers) {
    const bool addressed =
        request.code == QLatin1String("062")
            ? request.payload.size() > 2 &&
                  c->FState->serial == request.payload.left(request.payload.size() - 2)
            : c->FState->devNo == request.devNo;
    if (addressed) return c.get();
  }
  return nullptr;
}

Line::Reply Line::PlanFaults(int devNo, const QString& code) {
  Reply plan;
  for (auto f = FFaults.begin(); f != FFaults.end();) {
    if ((f->devNo != 0 && f->devNo != devNo) || (!f->command.isEmpty() && f->command != code)) {
      ++f;
      continue;
    }
    switch (f->kind) {
      case FaultKind::NoAnswer:
        plan.silent = true;
        break;
      case FaultKind::LateAnswer:
        plan.lateMs = f->value;
        break;
      case FaultKind::NoCarriageReturn:
        plan.carriageReturn = false;
        break;
      case FaultKind::BadChecksum:
        plan.badChecksum = true;
        break;
      case FaultKind::Noise:
        plan.noise = f->text;
        break;
      case FaultKind::ZInData:
        plan.zPosition = qMax(1, f->value);
        break;
      case FaultKind::ErrorReply:
        plan.errorCode = f->text;
        break;
      case FaultKind::Status:
        plan.status = f->value;
        break;
      case FaultKind::WrongLetter:
        plan.wrongLetter = true;
        break;
      case FaultKind::ReplyData:
        plan.replaceData = true;
        plan.data = f->text;
        break;
      case FaultKind::HangUp:
        plan.hangUp = true;
        break;
      case FaultKind::StopAfter:
        if (f->value > 0)
          --f->value;
        else
          plan.silent = true;
        ++f;
        continue;  // stays until cleared
    }
    if (f->times > 0 && --f->times == 0)
      f = FFaults.erase(f);
    else
      ++f;
  }
  return plan;
}

QByteArray Line::Compose(const Request& request, const Controller::Answer& answer,
                         const Reply& plan) {
  const QChar other = request.letter == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
  QString body = QString(plan.wrongLetter ? other : request.letter) + QStringLiteral("00") +
                 Hex2(answer.devNo);
  if (!plan.errorCode.isEmpty()) {
    body += plan.errorCode.left(2) + request.code + QStringLiteral("00");
  } else if (answer.errorDigit) {
    body +=
        QStringLiteral("F") + QLatin1Char(answer.errorDigit) + request.code + QStringLiteral("00");
  } else {
    const QString data = plan.replaceData ? plan.data : answer.data;
    const int status = plan.status >= 0 ? plan.status : answer.status;
    body += Hex2(data.size() + 14) + request.code + Hex2(status) + data;
  }
  int checksum = Checksum(body);
  if (plan.badChecksum) checksum ^= 0x01;
  // Data position p is body index 11 + p; the checksum skips a "z" anyway.
  if (plan.zPosition > 0) body.insert(qMin(11 + plan.zPosition, body.size()), QLatin1Char('z'));
  QString text = plan.noise + QStringLiteral("zzz") + body + Hex2(checksum) + QStringLiteral("jjj");
  if (plan.carriageReturn) text += QLatin1Char('\r');
  return text.toLatin1();
}

void Line::Answer(const QByteArray& requestBytes, Clock::time_point arrival) {
  const QString frame = QString::fromLatin1(requestBytes);
  Reply plan;
  QByteArray bytes;
  bool pacing = false;
  {
    std::lock_guard<std::mutex> guard(FLock);
    FRequests.push_back(frame);
    Request request;
    if (!ParseRequest(frame, request)) return;
    Controller* controller = Addressed(request);
    if (!controller) return;
    plan = PlanFaults(controller->FState->devNo, request.code);
    if (plan.silent && !plan.hangUp) return;
    if (!plan.hangUp) {
      Controller::Answer answer;
      if (request.checksumOk && request.lengthOk) {
        answer = controller->Handle(request.code, request.payload);
      } else {
        answer.errorDigit = '2';
        answer.devNo = controller->FState->devNo;
      }
      bytes = Compose(request, answer, plan);
      pacing = FPacing;
      ++FReplies;
    }
  }
  if (plan.hangUp) {
    HangUpNow();
    return;
  }
  Clock::time_point start = Clock::now();
  if (pacing) {
    // The request itself takes its time on the wire before the controller can answer.
    start = arrival + kCharacterTime * requestBytes.size();
    std::this_thread::sleep_until(start);
  }
  if (plan.lateMs > 0) {
    if (!WaitInterruptible(plan.lateMs)) return;
    start = Clock::now();
  }
  Send(bytes, pacing ? start : Clock::time_point());
}

void Line::Send(const QByteArray& bytes, Clock::time_point pacedFrom) {
  std::lock_guard<std::mutex> terminal(FTerminalLock);
  if (FMaster < 0) return;
  if (pacedFrom == Clock::time_point()) {
    // A full slave queue (nobody reading) drops the reply rather than blocking the line.
    (void)!::write(FMaster, bytes.constData(), bytes.size());
    return;
  }
  for (int i = 0; i < bytes.size() && !FStopping; ++i) {
    std::this_thread::sleep_until(pacedFrom + kCharacterTime * (i + 1));
    (void)!::write(FMaster, bytes.constData() + i, 1);
  }
}

}  // namespace kv60sim
