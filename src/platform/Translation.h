// The message-catalogue translation facility: GNU gettext catalogues of the text domain
// "default", read from <installation folder>/locale/<code>/LC_MESSAGES/default.mo.
// English is the source language and needs no catalogue.
#pragma once

#include <QString>
#include <QStringList>

namespace gw {

// Translates a catalogue key in the current language; unknown keys come back unchanged.
QString Translate(const char* msgid);
QString Translate(const QString& msgid);

// Switches the current language. A code without a catalogue gives the untranslated texts.
void UseLanguage(const QString& code);
QString CurrentLanguage();

// The folder holding the catalogues; by default AppPath + "locale". Setting it drops every
// catalogue loaded so far.
void SetCatalogueFolder(const QString& folder);
QString CatalogueFolder();

// The installed language codes of the text domain "default": "en" first, then each code with
// a catalogue, sorted.
QStringList InstalledLanguages();
// The language's name in its own language ("Deutsch"), as its catalogue gives it.
QString LanguageDisplayName(const QString& code);

}  // namespace gw

#define _(text) ::gw::Translate(text)
