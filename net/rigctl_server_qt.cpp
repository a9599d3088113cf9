#include "net/rigctl_server_qt.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>

#include "ui/guard_qt.h"

namespace {

// While a client waits for a fresh reading, the server looks again this often.
constexpr int kWaitPollMs = 2;
// What a tune puts on the line: the signal query that ends a scan, and the frequency frame.
constexpr int kTuneBytes = 7 + 11;
// Watchers are told of the panel's changes this often at most.
constexpr int kWatchMs = 50;

const char* ScanName(int direction) {
  return direction > 0 ? "up" : direction < 0 ? "down" : "stop";
}

}  // namespace

RigctlServer::RigctlServer(net::RigPanel& panel, QObject* parent)
    : QObject(parent), panel_(panel), tunes_(panel) {
  server_.setMaxPendingConnections(kMaxClients);
  connect(&server_, &QTcpServer::newConnection, this, Guarded([this] { Accept(); }));
  watchTimer_.setInterval(kWatchMs);
  connect(&watchTimer_, &QTimer::timeout, this, Guarded([this] { Watch(); }));
  applyTimer_.setSingleShot(true);
  connect(&applyTimer_, &QTimer::timeout, this, [this] { ApplyTune(); });
}

RigctlServer::~RigctlServer() { Stop(); }

bool RigctlServer::Start(const QString& address, int port, QString* error) {
  Stop();
  QHostAddress host;
  if (address.compare("localhost", Qt::CaseInsensitive) == 0) {
    host = QHostAddress(QHostAddress::LocalHost);
  } else if (!host.setAddress(address)) {
    if (error)
      *error =
          QCoreApplication::translate("RigctlServer", "アドレス %1 は IP アドレスではありません")
              .arg(address);
    return false;
  }
  if (port < 0 || port > 65535 || !server_.listen(host, static_cast<quint16>(port))) {
    if (error) *error = server_.errorString();
    return false;
  }
  return true;
}

void RigctlServer::Stop() {
  server_.close();
  watchTimer_.stop();
  for (auto& c : clients_) {
    if (!c->gone) Drop(*c);
  }
  if (!serving_) Sweep();
}

int RigctlServer::Clients() const {
  return static_cast<int>(
      std::count_if(clients_.begin(), clients_.end(), [](const auto& c) { return !c->gone; }));
}

void RigctlServer::Accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    if (Clients() >= kMaxClients) {
      // The newcomer takes the place of the client silent the longest, if long enough.
      Client* quiet = nullptr;
      for (auto& c : clients_) {
        if (c->gone || c->waiting || !c->queue.empty()) continue;
        if (c->quietSince.elapsed() > idleMs_ &&
            (!quiet || c->quietSince.elapsed() > quiet->quietSince.elapsed()))
          quiet = c.get();
      }
      if (quiet) {
        Drop(*quiet);
      } else {
        // Turned away with a line, not a reset.
        socket->write(kRefusal);
        socket->disconnectFromHost();
        if (socket->state() == QAbstractSocket::UnconnectedState)
          socket->deleteLater();
        else
          connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        continue;
      }
    }
    auto client = std::make_unique<Client>();
    client->socket = socket;
    client->quietSince.start();
    // Unread bytes stay with the system beyond this, so a flood cannot grow our memory.
    socket->setReadBufferSize(kReadBuffer);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    Client* c = client.get();
    connect(socket, &QTcpSocket::readyRead, this, [this] { Serve(); });
    connect(socket, &QTcpSocket::disconnected, this, [this, c] {
      c->gone = true;
      Serve();
    });
    clients_.push_back(std::move(client));
  }
}

void RigctlServer::Serve() {
  if (serving_) {
    again_ = true;
    return;
  }
  // Whatever a request throws, the server is ready for the next one when this returns.
  serving_ = true;
  try {
    ServeTurn();
  } catch (...) {
    if (!failure_) failure_ = std::current_exception();
  }
  serving_ = false;
  try {
    Sweep();
  } catch (...) {
    if (!failure_) failure_ = std::current_exception();
  }
  if (failure_) {
    const std::exception_ptr failure = std::exchange(failure_, nullptr);
    GuardedCall([&] {
      if (OnError)
        OnError(failure);
      else
        HandleApplicationException(failure);
    });
    Later(0);  // the requests after the failed one
  }
}

void RigctlServer::ServeTurn() {
  int budget = kRequestsPerTurn;
  bool over = false;
  wrote_ = false;
  do {
    again_ = false;
    // By index: a client accepted during a request joins the end of the list.
    for (std::size_t i = 0; i < clients_.size() && !over; ++i)
      over = !ServeClient(*clients_[i], budget);
  } while (again_ && !over);
  const bool waiting = std::any_of(clients_.begin(), clients_.end(),
                                   [](const auto& c) { return !c->gone && c->waiting; });
  // The rest waits for the next turn, after the panel's own events.
  if (over)
    Later(0);
  else if (waiting)
    Later(kWaitPollMs);
}

bool RigctlServer::ServeClient(Client& c, int& budget) {
  while (!c.gone) {
    if (c.queue.empty()) {
      if (!Take(c) || c.queue.empty()) break;
      continue;
    }
    net::Request& front = c.queue.front();
    std::string text;
    const net::Reading reading = net::ReadingOf(front);
    if (reading != net::Reading::kNone && !tunes_.Fresh(reading)) {
      if (!c.waiting) {
        c.waiting = true;
        c.waitingSince.start();
      }
      if (tunes_.Pending()) PostApply(0);                     // a held window or tune goes now
      if (c.waitingSince.elapsed() < kFreshReadingMs) break;  // the others go on meanwhile
      text = net::Failure(front, net::kTimeout);
    }
    if (budget == 0) return false;
    // One request that sends frames a turn, so the panel's own events come between.
    if (text.empty() && net::Writes(front) && wrote_) return false;
    --budget;
    const net::Request request = std::move(front);
    c.queue.pop_front();
    c.waiting = false;
    net::Reply reply{text};
    if (text.empty()) {
      try {
        reply = net::Run(request, tunes_);
      } catch (...) {
        // Answered all the same; the failure is told once the turn is over.
        failure_ = std::current_exception();
        if (!c.gone) Send(c, net::Failure(request, net::kIo));
        return false;
      }
      if (net::Writes(request)) wrote_ = true;
      if (tunes_.WindowPending())
        PostApply(kWindowHoldMs);
      else if (tunes_.Pending())
        PostApply(0);
      bool on = false;
      if (net::IsWatch(request, on)) {
        c.watching = on;
        c.watched.clear();  // a new watcher is told the state at once
        if (on) watchTimer_.start();
      }
    }
    if (c.gone) break;  // it left while the request waited
    Send(c, reply.text);
    if (reply.close) {
      // The goodbye goes out before the connection closes.
      c.gone = true;
      c.socket->disconnect(this);
      c.socket->flush();
      c.socket->disconnectFromHost();
      break;
    }
    if (c.socket->bytesToWrite() > kMaxUnsent) {
      Drop(c);  // it asks without reading the answers
      break;
    }
  }
  if (!c.gone) c.socket->flush();
  return true;
}

bool RigctlServer::Take(Client& c) {
  std::string line;
  char chunk[4096];
  while (!c.gone && c.queue.size() < kMaxQueued) {
    if (c.lines.NextLine(line)) {
      // A browser's request (a page posting to the port): nothing of it runs.
      if (net::LooksLikeHttp(line)) {
        Drop(c);
        return false;
      }
      for (net::Request& r : net::Parse(line)) c.queue.push_back(std::move(r));
      continue;
    }
    const qint64 n = c.socket->read(chunk, sizeof chunk);
    if (n <= 0) break;
    c.quietSince.restart();
    if (!c.lines.Feed(std::string_view(chunk, static_cast<std::size_t>(n)))) {
      Drop(c);  // a line without end
      return false;
    }
  }
  return !c.gone;
}

void RigctlServer::Send(Client& c, const std::string& text) {
  if (text.empty()) return;
  c.socket->write(text.data(), static_cast<qint64>(text.size()));
}

void RigctlServer::Drop(Client& c) {
  c.gone = true;
  c.waiting = false;
  c.socket->disconnect(this);
  c.socket->abort();
}

void RigctlServer::Sweep() {
  auto gone = std::remove_if(clients_.begin(), clients_.end(), [](const auto& c) {
    if (!c->gone) return false;
    QTcpSocket* socket = c->socket;
    socket->disconnect();
    // A socket still sending its last answer goes once that is out.
    if (socket->state() == QAbstractSocket::UnconnectedState)
      socket->deleteLater();
    else
      QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    return true;
  });
  clients_.erase(gone, clients_.end());
}

void RigctlServer::Later(int ms) {
  if (posted_) return;
  posted_ = true;
  QTimer::singleShot(ms, this, [this] {
    posted_ = false;
    Serve();
  });
}

void RigctlServer::PostApply(int ms) {
  if (!applyTimer_.isActive() || applyTimer_.remainingTime() > ms) applyTimer_.start(ms);
}

void RigctlServer::ApplyTune() {
  if (serving_) {
    // Inside a request's wait: the tune goes once that request is done.
    PostApply(1);
    return;
  }
  // While the last tune's frames are still on the line, a newer one waits (and may be
  // replaced by a newer still).
  if (tunes_.TunePending() && lastTune_.isValid() && lastTune_.elapsed() < tuneWireMs_) {
    PostApply(tuneWireMs_ - static_cast<int>(lastTune_.elapsed()));
    return;
  }
  // Only the newest tune asked for goes out; the ones it replaced were answered already.
  const bool tune = tunes_.TunePending();
  serving_ = true;
  try {
    tunes_.Flush();
  } catch (...) {
    failure_ = std::current_exception();
  }
  if (tune) {
    const std::int32_t baud = panel_.LineBaud();
    tuneWireMs_ = baud > 0 ? static_cast<int>((kTuneBytes * 10 * 1000 + baud - 1) / baud) : 0;
    lastTune_.start();
  }
  serving_ = false;
  Serve();
}

std::string RigctlServer::Snapshot() const {
  const int mode = panel_.Mode();
  return "fennix_watch: Freq=" + std::to_string(panel_.Frequency()) +
         " Mode=" + net::ModeName(mode) + " Width=" + std::to_string(net::PassbandOf(mode)) +
         " VFO=" + (panel_.Window() == 2 ? "VFOB" : "VFOA") +
         " DCD=" + (panel_.SquelchOpen() ? "1" : "0") +
         " Scan=" + ScanName(panel_.ScanDirection()) + " Sweep=" + (panel_.Sweeping() ? "1" : "0") +
         "\n";
}

void RigctlServer::Watch() {
  bool any = false;
  std::string now;
  for (auto& c : clients_) {
    if (c->gone || !c->watching) continue;
    any = true;
    if (now.empty()) now = Snapshot();
    if (c->watched == now) continue;
    c->watched = now;
    Send(*c, now);
    c->socket->flush();
    c->quietSince.restart();
  }
  if (!any) watchTimer_.stop();
}
