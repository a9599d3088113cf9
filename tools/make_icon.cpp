// Writes the program's icon, as the windows draw it, as PNG files for the icon theme:
// make_icon FOLDER NAME SIZE... gives FOLDER/SIZExSIZE/NAME.png for each size.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "ui/ui_style_qt.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_icon FOLDER NAME SIZE...\n");
    return 2;
  }
  // Drawing needs no screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLocal8Bit(argv[i]).toInt();
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "make_icon: bad size %s\n", argv[i]);
      return 2;
    }
    const QString dir = folder + QString("/%1x%1").arg(size);
    if (!QDir().mkpath(dir) || !ui::ProgramIcon(size).save(dir + "/" + name + ".png", "PNG")) {
      std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(dir));
      return 1;
    }
  }
  return 0;
}
