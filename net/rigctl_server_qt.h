// The network control port: a TCP server on the window thread that answers rigctld clients
// (loggers, trackers, scripts) from the front panel.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "net/rigctl_protocol.h"
#include "net/tune_queue.h"

class QTcpSocket;

class RigctlServer : public QObject {
 public:
  static constexpr int kMaxClients = 4;
  // What one connection may keep unread or unsent before it is dropped.
  static constexpr qint64 kReadBuffer = 16 * 1024;
  static constexpr qint64 kMaxUnsent = 256 * 1024;
  // Requests run in one turn of the event loop before the panel gets its turn.
  static constexpr int kRequestsPerTurn = 200;
  // Requests a client may have parsed and not yet answered; past that its bytes stay unread.
  static constexpr std::size_t kMaxQueued = 64;
  // How long a reading after a tune waits for the new frequency's (then RPRT -5).
  static constexpr int kFreshReadingMs = 1500;
  // A full port makes room for a newcomer by dropping a client silent for longer than this.
  static constexpr int kIdleMs = 30000;
  // A window asked for goes to the panel after this, unless asked back meanwhile.
  static constexpr int kWindowHoldMs = 100;
  // Refusal sent to a client that finds the port full.
  static constexpr const char* kRefusal = "RPRT -11\n";

  explicit RigctlServer(net::RigPanel& panel, QObject* parent = nullptr);
  ~RigctlServer() override;

  // Listens on `address` (an IP address or "localhost") and `port` (0: any free one); false
  // with the reason in `error` when that is not possible.
  bool Start(const QString& address, int port, QString* error);
  void Stop();
  bool Listening() const { return server_.isListening(); }
  quint16 Port() const { return server_.serverPort(); }
  int Clients() const;

  // Where a failure under a request goes (a serial line that broke): told once per failure,
  // after the request got its answer and the server is ready for the next.
  std::function<void(std::exception_ptr)> OnError;
  // For tests: how long a connection must be silent before a newcomer may take its place.
  void SetIdleLimit(int ms) { idleMs_ = ms; }

 private:
  struct Client {
    QTcpSocket* socket = nullptr;
    net::LineBuffer lines;
    std::deque<net::Request> queue;  // parsed, not yet answered, in order
    bool gone = false;
    bool watching = false;
    bool waiting = false;  // the front request waits for a fresh reading
    QElapsedTimer waitingSince;
    QElapsedTimer quietSince;  // since the client last sent anything
    std::string watched;       // what it was last told
  };

  void Accept();
  // Runs the requests that have arrived, one at a time: a request that waits (a window
  // switch) lets events in, and what arrives meanwhile waits its turn. Exceptions stay here.
  void Serve();
  void ServeTurn();
  // Runs one client's requests; false when the turn is over (budget spent, or a request
  // that wrote to the receiver has had its turn).
  bool ServeClient(Client& client, int& budget);
  // Reads what has arrived into the client's queue; false when the client was dropped.
  bool Take(Client& client);
  void Send(Client& client, const std::string& text);
  void Drop(Client& client);
  void Sweep();
  void Later(int ms);
  // Sends what the tune queue holds after `ms` (sooner if already asked for sooner).
  void PostApply(int ms);
  void ApplyTune();
  void Watch();
  std::string Snapshot() const;

  net::RigPanel& panel_;
  net::TuneQueue tunes_;
  QTcpServer server_;
  QTimer watchTimer_;
  QTimer applyTimer_;
  std::vector<std::unique_ptr<Client>> clients_;
  bool serving_ = false;
  bool again_ = false;
  bool posted_ = false;
  bool wrote_ = false;  // a request this turn sent frames to the receiver
  int idleMs_ = kIdleMs;
  QElapsedTimer lastTune_;  // when the last held tune was sent
  int tuneWireMs_ = 0;      // how long its frames take on the line
  std::exception_ptr failure_;
};
