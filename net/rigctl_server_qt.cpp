#include "net/rigctl_server_qt.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

RigctlServer::RigctlServer(net::RigPanel& panel, QObject* parent) : QObject(parent), panel_(panel) {
  server_.setMaxPendingConnections(kMaxClients);
  connect(&server_, &QTcpServer::newConnection, this, [this] { Accept(); });
}

RigctlServer::~RigctlServer() { Stop(); }

bool RigctlServer::Start(const QString& address, int port, QString* error) {
  Stop();
  QHostAddress host;
  if (address.compare("localhost", Qt::CaseInsensitive) == 0) {
    host = QHostAddress(QHostAddress::LocalHost);
  } else if (!host.setAddress(address)) {
    if (error) *error = QString("アドレス %1 は IP アドレスではありません").arg(address);
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
  for (auto& c : clients_) {
    if (c->gone) continue;
    c->gone = true;
    c->socket->disconnect(this);
    c->socket->abort();
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
      socket->abort();
      socket->deleteLater();
      continue;
    }
    auto client = std::make_unique<Client>();
    client->socket = socket;
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
  serving_ = true;
  int budget = kRequestsPerTurn;
  bool spent = false;
  do {
    again_ = false;
    // By index: a client accepted during a request joins the end of the list.
    for (std::size_t i = 0; i < clients_.size() && !spent; ++i)
      spent = !ServeClient(*clients_[i], budget);
  } while (again_ && !spent);
  serving_ = false;
  Sweep();
  if (spent && !posted_) {
    // The rest waits for the next turn, after the panel's own events.
    posted_ = true;
    QTimer::singleShot(0, this, [this] {
      posted_ = false;
      Serve();
    });
  }
}

bool RigctlServer::ServeClient(Client& c, int& budget) {
  std::string line;
  char chunk[4096];
  while (!c.gone) {
    if (c.lines.NextLine(line)) {
      if (budget == 0) return false;
      --budget;
      const net::Reply reply = net::Execute(line, panel_);
      if (c.gone) break;  // it left while the request waited
      if (!reply.text.empty()) c.socket->write(reply.text.data(), qint64(reply.text.size()));
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
      continue;
    }
    const qint64 n = c.socket->read(chunk, sizeof chunk);
    if (n <= 0) break;
    if (!c.lines.Feed(std::string_view(chunk, static_cast<std::size_t>(n)))) {
      Drop(c);  // a line without end
      break;
    }
  }
  if (!c.gone) c.socket->flush();
  return true;
}

void RigctlServer::Drop(Client& c) {
  c.gone = true;
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
