// The translation facility and the completeness of the shipped catalogues.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include "platform/Translation.h"
#include "support/TestInstall.h"

class Translation : public FreshInstall {};

TEST_F(Translation, SwitchingLanguagesChangesTextsBackAndForth) {
  EXPECT_EQ(_("Hint"), "Hint");
  gw::UseLanguage("de");
  EXPECT_EQ(_("Hint"), "Hinweis");
  gw::UseLanguage("zh_CN");
  EXPECT_EQ(_("Hint"), QString::fromUtf8("提示"));
  EXPECT_EQ(_("a text no catalogue has"), "a text no catalogue has");
  gw::UseLanguage("en");
  EXPECT_EQ(_("Hint"), "Hint");
  gw::UseLanguage("xx");  // not installed: the source texts
  EXPECT_EQ(_("Hint"), "Hint");
  EXPECT_EQ(gw::CurrentLanguage(), "xx");
}

TEST_F(Translation, ListsInstalledLanguagesWithTheirOwnNames) {
  EXPECT_EQ(gw::InstalledLanguages(), QStringList({"en", "de", "zh_CN"}));
  EXPECT_EQ(gw::LanguageDisplayName("en"), "English");
  EXPECT_EQ(gw::LanguageDisplayName("de"), "Deutsch");
  EXPECT_EQ(gw::LanguageDisplayName("zh_CN"), QString::fromUtf8("简体中文"));
}

TEST_F(Translation, AFolderWithoutCataloguesOffersEnglishOnly) {
  gw::SetCatalogueFolder(Path("nowhere"));
  EXPECT_EQ(gw::InstalledLanguages(), QStringList({"en"}));
  gw::UseLanguage("de");
  EXPECT_EQ(_("Hint"), "Hint");
}

namespace {

QString Unescape(const QString& s) {
  QString out;
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const QChar c = s[++i];
      out += c == 'n' ? QChar('\n') : c == 't' ? QChar('\t') : c;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Every text the sources pass to _() as a literal, and every caption they mark with N_().
QSet<QString> TextsUsedInSources() {
  static const QRegularExpression call(R"re(\bN?_\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\))re");
  static const QRegularExpression piece(R"re("((?:[^"\\]|\\.)*)")re");
  QSet<QString> texts;
  QDirIterator it(SourceRoot() + "/src", {"*.cpp", "*.h"}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile f(it.next());
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QString code = QString::fromUtf8(f.readAll());
    for (auto m = call.globalMatch(code); m.hasNext();) {
      QString text;
      for (auto p = piece.globalMatch(m.next().captured(1)); p.hasNext();)
        text += Unescape(p.next().captured(1));
      texts.insert(text);
    }
  }
  return texts;
}

// msgid -> msgstr of a .po file.
QMap<QString, QString> ReadPo(const QString& fileName) {
  QFile f(fileName);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << fileName.toStdString();
  QMap<QString, QString> entries;
  QString id, str, *current = nullptr;
  auto flush = [&] {
    if (!id.isEmpty()) entries[id] = str;
    id.clear();
    str.clear();
    current = nullptr;
  };
  static const QRegularExpression quoted(R"re(^"((?:[^"\\]|\\.)*)"$)re");
  for (const QString& raw : QString::fromUtf8(f.readAll()).split('\n')) {
    const QString line = raw.trimmed();
    if (line.startsWith("msgid ")) {
      flush();
      current = &id;
      *current = Unescape(quoted.match(line.mid(6)).captured(1));
    } else if (line.startsWith("msgstr ")) {
      current = &str;
      *current = Unescape(quoted.match(line.mid(7)).captured(1));
    } else if (line.startsWith('"') && current) {
      *current += Unescape(quoted.match(line).captured(1));
    }
  }
  flush();
  return entries;
}

}  // namespace

TEST(Catalogues, EveryTextOfTheSourcesIsTranslatedInEveryShippedLanguage) {
  const QSet<QString> used = TextsUsedInSources();
  ASSERT_FALSE(used.isEmpty());
  for (const QString code : {"de", "zh_CN"}) {
    QMap<QString, QString> po;
    QDirIterator files(SourceRoot() + "/resources/locale/" + code, {"*.po"}, QDir::Files);
    while (files.hasNext()) po.insert(ReadPo(files.next()));
    QStringList missing;
    for (const QString& text : used)
      if (po.value(text).isEmpty()) missing << text;
    missing.sort();
    EXPECT_TRUE(missing.isEmpty()) << code.toStdString() << " lacks: \""
                                   << missing.join("\", \"").toStdString() << "\"";
  }
}
