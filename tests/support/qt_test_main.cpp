// Window tests need the program's application object around GoogleTest.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/application_qt.h"

int main(int argc, char** argv) {
  // Window tests draw offscreen unless told otherwise (test discovery runs them bare too).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // No window test may find a serial port of the machine it runs on.
  for (int n = 1; n <= 4; ++n) {
    const QByteArray name = "FENNIX_COM" + QByteArray::number(n);
    if (qEnvironmentVariableIsEmpty(name.constData())) qputenv(name.constData(), "/nonexistent");
  }
  // Each run starts in a folder of its own, with no settings file and no station list.
  QTemporaryDir folder;
  if (!folder.isValid() || !QDir::setCurrent(folder.path())) return 2;
  if (qEnvironmentVariableIsEmpty("FENNIX_INI"))
    qputenv("FENNIX_INI", QFile::encodeName(folder.filePath("fennix.ini")));
  // The data folder (the scan log) is in that folder too.
  qputenv("FENNIX_DATA", QFile::encodeName(folder.filePath("data")));
  FennixApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
