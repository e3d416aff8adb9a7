#include "app/u_FunctionWidgets.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

#include "platform/Translation.h"

// ---- message boxes ------------------------------------------------------------------------

std::unique_ptr<QMessageBox> MakeHintBox(const QString& text, bool yesNo) {
  auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
  box->setWindowTitle(_("Hint"));
  box->setText(text);
  if (yesNo) {
    box->setIcon(QMessageBox::Question);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->button(QMessageBox::Yes)->setText(_("&Yes"));
    box->button(QMessageBox::No)->setText(_("&No"));
    box->setDefaultButton(QMessageBox::Yes);
  } else {
    box->setIcon(QMessageBox::Information);
    box->setStandardButtons(QMessageBox::Ok);
    box->button(QMessageBox::Ok)->setText(_("&OK"));
  }
  return box;
}

void TMessageBoxSink::ShowHint(const QString& text) {
  MakeHintBox(text, false)->exec();
}

bool TMessageBoxSink::AskYesNo(const QString& text) {
  return MakeHintBox(text, true)->exec() == QMessageBox::Yes;
}

// ---- input box ----------------------------------------------------------------------------

TInputTextDialog::TInputTextDialog(const QString& caption, const QString& prompt,
                                   const QString& defaultText, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      defaultText(defaultText) {
  setWindowTitle(caption);
  const QFontMetrics fm(font());
  const int cx =
      fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
      52;
  const int cy = fm.height();

  lblPrompt = new QLabel(prompt, this);
  lblPrompt->setWordWrap(true);
  const int promptWidth = 164 * cx / 4;
  lblPrompt->move(8 * cx / 4, 8 * cy / 8);
  lblPrompt->setFixedWidth(promptWidth);
  lblPrompt->setFixedHeight(lblPrompt->heightForWidth(promptWidth));

  edtValue = new QLineEdit(defaultText, this);
  edtValue->setMaxLength(20);
  edtValue->setGeometry(lblPrompt->x(), lblPrompt->geometry().bottom() + 1 + 5, promptWidth,
                        edtValue->sizeHint().height());
  edtValue->selectAll();

  const int buttonTop = edtValue->geometry().bottom() + 1 + 15;
  btnOK = new QPushButton(_("&OK"), this);
  btnOK->setGeometry(38 * cx / 4, buttonTop, 50 * cx / 4, 14 * cy / 8);
  btnOK->setDefault(true);
  btnCancel = new QPushButton(_("&Cancel"), this);
  btnCancel->setGeometry(92 * cx / 4, buttonTop, 50 * cx / 4, 14 * cy / 8);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  setFixedSize(180 * cx / 4, btnOK->geometry().bottom() + 1 + 13);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

QString TInputTextDialog::Result() const {
  return result() == QDialog::Accepted ? edtValue->text() : defaultText;
}

QString InputText(const QString& caption, const QString& prompt, const QString& defaultText) {
  TInputTextDialog dialog(caption, prompt, defaultText, QApplication::activeWindow());
  dialog.exec();
  return dialog.Result();
}

// ---- number boxes -------------------------------------------------------------------------

void NumericKeyFilter(const QLineEdit* edit, QChar& key) {
  if (key == QChar(27) || key == QChar(8)) return;
  const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
  if (!digit && key != QLatin1Char('+')) {
    key = QChar();
    return;
  }
  if (key != QLatin1Char('+') || !edit) return;
  const bool selected = edit->hasSelectedText();
  const int selectionStart = selected ? edit->selectionStart() : edit->cursorPosition();
  const QString text = edit->text();
  const bool signed_ = text.contains(QLatin1Char('-')) || text.contains(QLatin1Char('+'));
  if (selectionStart > 0 || (signed_ && !selected)) key = QChar();
}

namespace {

class TNumericKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString typed = keyEvent->text();
    if (typed.isEmpty() || !typed.at(0).isPrint()) return false;
    const auto* edit = qobject_cast<const QLineEdit*>(watched);
    for (QChar key : typed) {
      NumericKeyFilter(edit, key);
      if (key.isNull()) return true;  // the box never sees it
    }
    return false;
  }
};

}  // namespace

void InstallNumericKeyFilter(QLineEdit* edit) {
  if (edit) edit->installEventFilter(new TNumericKeyFilter(edit));
}

// ---- tree check boxes ---------------------------------------------------------------------

namespace {

void GiveCheckBoxes(QTreeWidgetItem* node) {
  if (node->data(0, Qt::CheckStateRole).isNull()) {
    node->setFlags(node->flags() | Qt::ItemIsUserCheckable);
    node->setCheckState(0, Qt::Unchecked);
  }
  for (int i = 0; i < node->childCount(); ++i) GiveCheckBoxes(node->child(i));
}

}  // namespace

void EnableTreeCheckBoxes(QTreeWidget* tree) {
  if (!tree || tree->property("_gw_check_boxes").toBool()) return;
  tree->setProperty("_gw_check_boxes", true);
  for (int i = 0; i < tree->topLevelItemCount(); ++i) GiveCheckBoxes(tree->topLevelItem(i));
  QObject::connect(tree->model(), &QAbstractItemModel::rowsInserted, tree,
                   [tree](const QModelIndex& parent, int first, int last) {
                     QTreeWidgetItem* owner =
                         parent.isValid() ? tree->itemFromIndex(parent) : tree->invisibleRootItem();
                     for (int i = first; owner && i <= last && i < owner->childCount(); ++i)
                       GiveCheckBoxes(owner->child(i));
                   });
}

bool IsNodeChecked(const QTreeWidgetItem* node) {
  return node && node->checkState(0) == Qt::Checked;
}

void SetNodeChecked(QTreeWidgetItem* node, bool checked) {
  if (!node) return;
  node->setFlags(node->flags() | Qt::ItemIsUserCheckable);
  node->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void TreeCheckNode(QTreeWidgetItem* node) {
  if (!node) return;
  QTreeWidgetItem* parent = node->parent();
  if (!parent) {
    const bool checked = IsNodeChecked(node);
    for (int i = 0; i < node->childCount(); ++i) SetNodeChecked(node->child(i), checked);
    return;
  }
  if (parent->parent()) return;  // deeper nodes carry no rule
  if (!IsNodeChecked(node)) {
    SetNodeChecked(parent, false);
    return;
  }
  SetNodeChecked(parent, true);
  for (int i = 0; i < parent->childCount(); ++i) {
    if (!IsNodeChecked(parent->child(i))) {
      SetNodeChecked(parent, false);
      break;
    }
  }
}

void TreeCheckClick(QTreeWidget* tree, int x, int y) {
  if (tree) TreeCheckNode(tree->itemAt(x, y));
}
