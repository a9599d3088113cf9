#include "app/shell.h"

#include "base/text.h"
#include "comm/comm_error.h"

std::optional<std::string> ApplicationErrorMessage(std::exception_ptr error) {
  if (!error) return std::nullopt;
  try {
    std::rethrow_exception(error);
  } catch (const ECommConnectError& e) {
    return e.what();
  } catch (const ECommOpenError&) {
    return text::Tr("Shell", "COMポートがオープンできません。");
  } catch (const ECommReadWriteError&) {
    return text::Tr("Shell", "COMポートでデータが入出力できません。");
  } catch (const ECommError&) {
    return text::Tr("Shell", "データーが送れません。");
  } catch (...) {
  }
  return std::nullopt;
}
