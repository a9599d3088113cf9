#include "app/shell.h"

#include "comm/comm_error.h"

std::optional<std::string> ApplicationErrorMessage(std::exception_ptr error) {
  if (!error) return std::nullopt;
  try {
    std::rethrow_exception(error);
  } catch (const ECommConnectError& e) {
    return e.what();
  } catch (const ECommOpenError&) {
    return "COMポートがオープンできません。";
  } catch (const ECommReadWriteError&) {
    return "COMポートでデータが入出力できません。";
  } catch (const ECommError&) {
    return "データーが送れません。";
  } catch (...) {
  }
  return std::nullopt;
}
