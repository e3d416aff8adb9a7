// The widget half of the shared helpers: the message boxes shown by HintBox and HintYesNo,
// the small input box, the key filter of number boxes and the check boxes of tree views.
#pragma once

#include <QChar>
#include <QDialog>
#include <QObject>
#include <QString>
#include <memory>

#include "app/u_Function.h"

class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// ---- message boxes ------------------------------------------------------------------------

// The message sink of the program: modal boxes with the translated caption "Hint".
class TMessageBoxSink : public IMessageSink {
 public:
  void ShowHint(const QString& text) override;
  bool AskYesNo(const QString& text) override;
};

// The box HintBox shows (OK) or HintYesNo asks (Yes and No), not yet shown.
std::unique_ptr<QMessageBox> MakeHintBox(const QString& text, bool yesNo);

// ---- input box ----------------------------------------------------------------------------

// A small modal box with a prompt and one edit (at most 20 characters); sizes follow the
// average character width of its font.
class TInputTextDialog : public QDialog {
  Q_OBJECT

 public:
  TInputTextDialog(const QString& caption, const QString& prompt, const QString& defaultText,
                   QWidget* parent = nullptr);
  // The edit's text after OK, otherwise the default text.
  QString Result() const;

  QLabel* lblPrompt;
  QLineEdit* edtValue;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 private:
  QString defaultText;
};

// Shows the input box; returns the text entered with OK, or `defaultText` on Cancel.
QString InputText(const QString& caption, const QString& prompt, const QString& defaultText);

// ---- number boxes -------------------------------------------------------------------------

// Decides on one typed character of a number box: replaces `key` by the null character when
// the box must not take it. Escape and Backspace pass; only digits and "+" are taken, and "+"
// only at the start of a text that holds no sign yet (or replacing a selection from the start).
void NumericKeyFilter(const QLineEdit* edit, QChar& key);

// Puts NumericKeyFilter on an edit box's typed characters. Keys that type nothing (arrows,
// Delete, Enter, Tab) and shortcuts with Ctrl pass untouched.
void InstallNumericKeyFilter(QLineEdit* edit);

// ---- tree check boxes ---------------------------------------------------------------------

// Gives every node of the tree a check box, also the nodes added later.
void EnableTreeCheckBoxes(QTreeWidget* tree);
bool IsNodeChecked(const QTreeWidgetItem* node);
void SetNodeChecked(QTreeWidgetItem* node, bool checked);
// After a click at (x, y) in the tree's viewport: a top-level node hands its state to all its
// children; a checked second-level node checks its parent when all siblings are checked, an
// unchecked one unchecks its parent. Nothing happens when there is no node at the point.
void TreeCheckClick(QTreeWidget* tree, int x, int y);
// The same for a node already found.
void TreeCheckNode(QTreeWidgetItem* node);
