// Brings the serial component's notifications to the window thread. The watcher thread only
// posts; the callbacks run queued, in order, on the thread this object lives on, where the
// reply parser may touch the engine's state.
#pragma once

#include <QObject>
#include <atomic>
#include <exception>
#include <functional>

#include "comm/comm.h"

class CommNotifier : public QObject {
 public:
  // Takes over comm's OnCommReceive and OnHandlerException; assign it while comm is closed.
  explicit CommNotifier(TComm& comm, QObject* parent = nullptr);
  // Closes comm first, so that the watcher never posts to an object that is gone.
  ~CommNotifier() override;

  // Bytes are waiting: size = bytes in the input queue when the call runs (never 0). Repeated
  // arrivals while one call is still pending fold into it; the call then sees them all.
  std::function<void(int size)> onReceive;
  // What a handler threw (onReceive included) and the error of a vanished device.
  std::function<void(std::exception_ptr error)> onError;

 private:
  void DeliverReceive();
  void DeliverError(std::exception_ptr error);

  TComm& comm_;
  std::atomic<bool> receivePending_{false};
};
