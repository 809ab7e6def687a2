// kavrina-icons: writes the program icon, drawn by the program itself, as PNG files for the
// desktop's icon theme: FOLDER/SIZExSIZE/apps/kavrina.png for each size given.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "app/resource_images.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "upotreba: kavrina-icons FOLDER VELICINA...\n");
    return 2;
  }
  QGuiApplication application(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int size = std::stoi(argv[i]);
    const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(sizeFolder) ||
        !kavrina::app::resourceImage("KAVRINAICO", size).save(sizeFolder + "/kavrina.png", "PNG")) {
      std::fprintf(stderr, "kavrina-icons: ne mogu da upisem %s\n", qPrintable(sizeFolder));
      return 1;
    }
  }
  return 0;
}
