// The network control port: a TCP server on the window thread that answers rigctld clients
// (loggers, trackers, scripts) from the front panel.
#pragma once

#include <QObject>
#include <QString>
#include <QTcpServer>
#include <memory>
#include <vector>

#include "net/rigctl_protocol.h"

class QTcpSocket;

class RigctlServer : public QObject {
 public:
  static constexpr int kMaxClients = 4;
  // What one connection may keep unread or unsent before it is dropped.
  static constexpr qint64 kReadBuffer = 16 * 1024;
  static constexpr qint64 kMaxUnsent = 256 * 1024;
  // Requests run in one turn of the event loop before the panel gets its turn.
  static constexpr int kRequestsPerTurn = 200;

  explicit RigctlServer(net::RigPanel& panel, QObject* parent = nullptr);
  ~RigctlServer() override;

  // Listens on `address` (an IP address or "localhost") and `port` (0: any free one); false
  // with the reason in `error` when that is not possible.
  bool Start(const QString& address, int port, QString* error);
  void Stop();
  bool Listening() const { return server_.isListening(); }
  quint16 Port() const { return server_.serverPort(); }
  int Clients() const;

 private:
  struct Client {
    QTcpSocket* socket = nullptr;
    net::LineBuffer lines;
    bool gone = false;
  };

  void Accept();
  // Runs the requests that have arrived, one at a time: a request that waits (a window
  // switch) lets events in, and what arrives meanwhile waits its turn.
  void Serve();
  // Runs one client's complete lines; false when the turn's budget is spent.
  bool ServeClient(Client& client, int& budget);
  void Drop(Client& client);
  void Sweep();

  net::RigPanel& panel_;
  QTcpServer server_;
  std::vector<std::unique_ptr<Client>> clients_;
  bool serving_ = false;
  bool again_ = false;
  bool posted_ = false;
};
