// Boost.Locale comes before our header, which defines the _() macro.
#include <boost/locale.hpp>

#include "platform/Translation.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <locale>
#include <map>
#include <string>

#include "app/u_Function.h"

namespace gw {

namespace {

// The key whose translation is a catalogue's own language name.
constexpr const char* kLanguageNameKey = "Language name";

QString catalogueFolder;
QString currentCode = QStringLiteral("en");
std::map<std::string, std::locale> loadedLocales;

QString EffectiveFolder() {
  return catalogueFolder.isEmpty() ? AppPath + QStringLiteral("locale") : catalogueFolder;
}

bool HasCatalogue(const QString& code) {
  return QFileInfo::exists(EffectiveFolder() + QStringLiteral("/") + code +
                           QStringLiteral("/LC_MESSAGES/default.mo"));
}

// Builds (once) the locale that carries the code's catalogue. The ".UTF-8" suffix matters:
// a bare code means US-ASCII and fails on the first non-ASCII text. Nothing here depends on
// the locales installed on the system.
const std::locale* LocaleFor(const QString& code) {
  if (code.isEmpty() || code == QLatin1String("en") || !HasCatalogue(code)) return nullptr;
  const std::string key = code.toStdString();
  auto it = loadedLocales.find(key);
  if (it == loadedLocales.end()) {
    try {
      boost::locale::generator gen;
      gen.add_messages_path(QDir::toNativeSeparators(EffectiveFolder()).toStdString());
      gen.add_messages_domain("default");
      gen.categories(boost::locale::message_facet);
      it = loadedLocales.emplace(key, gen(key + ".UTF-8")).first;
    } catch (const std::exception&) {
      return nullptr;
    }
  }
  return &it->second;
}

QString TranslateIn(const QString& code, const std::string& msgid) {
  const std::locale* loc = LocaleFor(code);
  if (!loc || !std::has_facet<boost::locale::message_format<char>>(*loc))
    return QString::fromStdString(msgid);
  return QString::fromStdString(boost::locale::gettext(msgid.c_str(), *loc));
}

}  // namespace

QString Translate(const char* msgid) {
  return TranslateIn(currentCode, msgid);
}

QString Translate(const QString& msgid) {
  return TranslateIn(currentCode, msgid.toStdString());
}

void UseLanguage(const QString& code) {
  currentCode = code.isEmpty() ? QStringLiteral("en") : code;
}

QString CurrentLanguage() {
  return currentCode;
}

void SetCatalogueFolder(const QString& folder) {
  catalogueFolder = folder;
  loadedLocales.clear();
}

QString CatalogueFolder() {
  return EffectiveFolder();
}

QStringList InstalledLanguages() {
  QStringList codes;
  const QDir dir(EffectiveFolder());
  for (const QString& code : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    if (code != QLatin1String("en") && HasCatalogue(code)) codes << code;
  }
  codes.prepend(QStringLiteral("en"));
  return codes;
}

QString LanguageDisplayName(const QString& code) {
  if (code == QLatin1String("en")) return QStringLiteral("English");
  const QString name = TranslateIn(code, kLanguageNameKey);
  if (name != QLatin1String(kLanguageNameKey)) return name;
  return QLocale(code).nativeLanguageName();
}

}  // namespace gw
