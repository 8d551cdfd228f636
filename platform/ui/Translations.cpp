#include "platform/ui/Translations.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

namespace fw {

namespace {

// LC_ALL outranks every other locale variable, so it alone is set while Qt reads them.
constexpr const char* kLocaleVariable = "LC_ALL";

struct TSavedLocale {
  bool Prepared = false;
  bool WasSet = false;
  QByteArray Value;
};

TSavedLocale& Saved() {
  static TSavedLocale saved;
  return saved;
}

// The C library's locale: the program's where the system has it, else C.UTF-8, which
// current systems carry. The plain C locale would garble every text the C library
// converts (the window title that older window lists read, for one).
void SetLibraryLocale() {
  for (const char* name : {"zh_CN.UTF-8", "C.UTF-8"})
    if (std::setlocale(LC_ALL, name)) return;
}

} // namespace

QTranslator* InstallQtTranslations() {
  // Owned by the application object, so it lives as long as the texts it translates.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

void PrepareProgramLocale() {
  TSavedLocale& saved = Saved();
  if (saved.Prepared) return;
  saved.Prepared = true;
  saved.WasSet = qEnvironmentVariableIsSet(kLocaleVariable);
  saved.Value = qgetenv(kLocaleVariable);
  SetLibraryLocale();
  // The application object sets the C library's locale from the environment too: where
  // the system lacks zh_CN that fails and leaves the one set here.
  qputenv(kLocaleVariable, "zh_CN.UTF-8");
}

void InstallProgramLocale() {
  TSavedLocale& saved = Saved();
  // Qt keeps the system locale it reads now, while the environment still says zh_CN.
  (void)QLocale::system();
  if (saved.Prepared) {
    if (saved.WasSet)
      qputenv(kLocaleVariable, saved.Value);
    else
      qunsetenv(kLocaleVariable);
    saved.Prepared = false;
  }
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

} // namespace fw
