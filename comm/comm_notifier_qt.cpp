#include "comm/comm_notifier_qt.h"

#include <QMetaObject>

CommNotifier::CommNotifier(TComm& comm, QObject* parent) : QObject(parent), comm_(comm) {
  comm_.OnCommReceive = [this](TComm&, std::uint16_t) {
    if (!receivePending_.exchange(true))
      QMetaObject::invokeMethod(
          this, [this] { DeliverReceive(); }, Qt::QueuedConnection);
  };
  comm_.OnHandlerException = [this](std::exception_ptr error) {
    QMetaObject::invokeMethod(
        this, [this, error] { DeliverError(error); }, Qt::QueuedConnection);
  };
}

CommNotifier::~CommNotifier() {
  try {
    comm_.Close();
  } catch (...) {
  }
  comm_.OnCommReceive = nullptr;
  comm_.OnHandlerException = nullptr;
}

void CommNotifier::DeliverReceive() {
  // Cleared before counting: bytes that arrive from here on post a fresh call.
  receivePending_.store(false);
  int size = comm_.InQueueCount();  // 0 once the port was closed meanwhile
  if (size <= 0 || !onReceive) return;
  try {
    onReceive(size);
  } catch (...) {
    DeliverError(std::current_exception());
  }
}

void CommNotifier::DeliverError(std::exception_ptr error) {
  if (!onError) return;
  try {
    onError(error);
  } catch (...) {
    // Exceptions must not unwind through Qt's event loop.
  }
}
