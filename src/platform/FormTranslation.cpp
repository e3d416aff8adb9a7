#include "platform/FormTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

#include "platform/Translation.h"

namespace gw {

namespace {

constexpr const char* kKeepProperty = "_gw_keep_untranslated";

// One caption of an object: `key` names it among the object's captions. The property
// "_gw_src_<key>" keeps the untranslated text, "_gw_shown_<key>" the translation last shown.
void TranslateCaption(QObject* object, const QByteArray& key, const QString& current,
                      const std::function<void(const QString&)>& show) {
  const QByteArray sourceKey = "_gw_src_" + key;
  const QByteArray shownKey = "_gw_shown_" + key;
  const QVariant kept = object->property(sourceKey.constData());
  if (!kept.isValid() && current.isEmpty()) return;
  const bool unchanged =
      kept.isValid() && object->property(shownKey.constData()).toString() == current;
  const QString source = unchanged ? kept.toString() : current;
  const QString translated = source.isEmpty() ? source : Translate(source);
  object->setProperty(sourceKey.constData(), source);
  object->setProperty(shownKey.constData(), translated);
  if (translated != current) show(translated);
}

void TranslateWidget(QWidget* w) {
  TranslateCaption(w, "windowTitle", w->windowTitle(),
                   [w](const QString& t) { w->setWindowTitle(t); });
  TranslateCaption(w, "toolTip", w->toolTip(), [w](const QString& t) { w->setToolTip(t); });
  TranslateCaption(w, "statusTip", w->statusTip(), [w](const QString& t) { w->setStatusTip(t); });

  if (auto* label = qobject_cast<QLabel*>(w)) {
    TranslateCaption(w, "text", label->text(), [label](const QString& t) { label->setText(t); });
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    TranslateCaption(w, "text", button->text(), [button](const QString& t) { button->setText(t); });
  } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
    TranslateCaption(w, "title", box->title(), [box](const QString& t) { box->setTitle(t); });
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    TranslateCaption(w, "placeholder", edit->placeholderText(),
                     [edit](const QString& t) { edit->setPlaceholderText(t); });
  } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
    for (int i = 0; i < tabs->count(); ++i) {
      TranslateCaption(w, "tab" + QByteArray::number(i), tabs->tabText(i),
                       [tabs, i](const QString& t) { tabs->setTabText(i, t); });
    }
  } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    QTreeWidgetItem* header = tree->headerItem();
    for (int i = 0; header && i < header->columnCount(); ++i) {
      TranslateCaption(w, "header" + QByteArray::number(i), header->text(i),
                       [header, i](const QString& t) { header->setText(i, t); });
    }
  } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
    for (int i = 0; i < table->columnCount(); ++i) {
      QTableWidgetItem* header = table->horizontalHeaderItem(i);
      if (!header) continue;
      TranslateCaption(w, "header" + QByteArray::number(i), header->text(),
                       [header](const QString& t) { header->setText(t); });
    }
  }
}

// Menus are covered here too: a menu's title is the text of its menu action.
void TranslateAction(QAction* action) {
  if (action->isSeparator()) return;
  TranslateCaption(action, "text", action->text(),
                   [action](const QString& t) { action->setText(t); });
}

bool Kept(const QObject* object) {
  return object->property(kKeepProperty).toBool();
}

}  // namespace

void TranslateForm(QWidget* form) {
  if (!form) return;
  if (!Kept(form)) TranslateWidget(form);
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (!Kept(w)) TranslateWidget(w);
  }
  for (QAction* a : form->findChildren<QAction*>()) {
    if (!Kept(a)) TranslateAction(a);
  }
}

void KeepUntranslated(QObject* object) {
  if (object) object->setProperty(kKeepProperty, true);
}

}  // namespace gw
