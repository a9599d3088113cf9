#include "ui/language_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>
#include <string>

#include "base/text.h"

namespace ui {
namespace {

std::unique_ptr<QTranslator> own;
std::unique_ptr<QTranslator> qtOwn;
bool english = false;

std::string TranslateCore(const char* context, const char* source) {
  return QCoreApplication::translate(context, source).toStdString();
}

void Remove(std::unique_ptr<QTranslator>& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator.get());
  translator.reset();
}

}  // namespace

bool InstallLanguage(bool useEnglish) {
  Remove(own);
  Remove(qtOwn);
  english = useEnglish;
  const QLocale locale(useEnglish ? QLocale::English : QLocale::Japanese,
                       useEnglish ? QLocale::UnitedStates : QLocale::Japan);
  QLocale::setDefault(locale);

  // Qt's own dialogs (file dialogs, message box keys) in the same language.
  qtOwn = std::make_unique<QTranslator>();
  if (qtOwn->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qtOwn.get());
  else
    qtOwn.reset();

  bool loaded = true;
  if (useEnglish) {
    own = std::make_unique<QTranslator>();
    loaded = own->load(":/i18n/fennix_en.qm");
    if (loaded)
      QCoreApplication::installTranslator(own.get());
    else
      own.reset();
  }
  text::SetTranslator(&TranslateCore);
  return loaded;
}

bool English() { return english; }

}  // namespace ui
