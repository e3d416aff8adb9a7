// Translation of forms: every caption of a form or frame passes through the catalogue (window
// titles, labels, buttons, group boxes, actions and menus, tab and header texts, tool tips,
// place-holder texts). The untranslated text is kept beside each caption, so a form can be
// translated again into another language and back. Texts that are data rather than captions
// (edit contents, list entries, names) are never touched.
#pragma once

#include <QString>

// Marks a caption as a catalogue key without translating it: forms are built with the
// untranslated captions, and TranslateForm translates them.
#define N_(text) QStringLiteral(text)

class QObject;
class QWidget;

namespace gw {

// Translates the captions of `form` and of everything inside it into the current language.
// Call it again after a language change: the kept source texts are translated anew. A caption
// the program has changed since the last translation becomes that caption's new source text.
void TranslateForm(QWidget* form);

// Leaves the captions of `object` itself untranslated (for labels that show names or values).
void KeepUntranslated(QObject* object);

}  // namespace gw
