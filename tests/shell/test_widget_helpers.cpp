// The widget half of the shared helpers: message boxes, input box, number key filter, tree
// check boxes and the user tree helpers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "ShellTest.h"
#include "app/bll_TreeView.h"
#include "app/u_FunctionWidgets.h"
#include "platform/Translation.h"

class WidgetHelpers : public ShellTest {};

// ---- message boxes -------------------------------------------------------------------------

TEST_F(WidgetHelpers, HintBoxesCarryTheTranslatedCaptionHintAndTheirButtons) {
  auto hint = MakeHintBox("Saved.", false);
  EXPECT_EQ(hint->windowTitle(), "Hint");
  EXPECT_EQ(hint->text(), "Saved.");
  EXPECT_EQ(hint->standardButtons(), QMessageBox::Ok);
  auto question = MakeHintBox("Delete?", true);
  EXPECT_EQ(question->standardButtons(), QMessageBox::Yes | QMessageBox::No);
  gw::UseLanguage("de");
  auto german = MakeHintBox("x", true);
  EXPECT_EQ(german->windowTitle(), "Hinweis");
  EXPECT_EQ(german->button(QMessageBox::Yes)->text(), "&Ja");
  EXPECT_EQ(german->button(QMessageBox::No)->text(), "&Nein");
}

TEST_F(WidgetHelpers, TheProgramsSinkShowsModalBoxesAndReturnsTheAnswer) {
  TMessageBoxSink sink;
  for (QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::No}) {
    QString shownTitle;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      shownTitle = box->windowTitle();
      box->button(answer)->click();
    });
    EXPECT_EQ(sink.AskYesNo("Really?"), answer == QMessageBox::Yes);
    EXPECT_EQ(shownTitle, "Hint");
  }
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  sink.ShowHint("Done.");
}

// ---- input box -----------------------------------------------------------------------------

TEST_F(WidgetHelpers, InputTextGivesTheEnteredTextOnOkAndTheDefaultOtherwise) {
  {
    TInputTextDialog dialog("Rename", "New caption:", "UserDefine1");
    EXPECT_EQ(dialog.edtValue->selectedText(), "UserDefine1");
    EXPECT_EQ(dialog.edtValue->maxLength(), 20);
    EXPECT_TRUE(dialog.btnOK->isDefault());
    dialog.show();
    dialog.edtValue->setText("Department");
    dialog.btnCancel->click();
    EXPECT_EQ(dialog.Result(), "UserDefine1");
  }
  {
    TInputTextDialog dialog("Rename", "New caption:", "UserDefine1");
    dialog.show();
    dialog.edtValue->setText("Department");
    dialog.btnOK->click();
    EXPECT_EQ(dialog.Result(), "Department");
  }
  {
    TInputTextDialog dialog("Rename", "A prompt long enough to need more than one line here", "");
    EXPECT_GE(dialog.edtValue->y(), dialog.lblPrompt->geometry().bottom() + 1 + 5);
    EXPECT_EQ(dialog.height(), dialog.btnOK->geometry().bottom() + 1 + 13);
    EXPECT_GT(dialog.btnCancel->x(), dialog.btnOK->geometry().right());
  }
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TInputTextDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->edtValue, "Team");
    QTest::keyClick(dialog->edtValue, Qt::Key_Return);
  });
  EXPECT_EQ(InputText("Rename", "New caption:", "UserDefine2"), "Team");
}

// ---- number key filter ---------------------------------------------------------------------

TEST_F(WidgetHelpers, NumericKeyFilterTakesDigitsAndALeadingPlusOnly) {
  const struct {
    const char* text;
    int selectFrom;  // -1: no selection, the caret at `at`
    int at;          // caret, or selection length
    QChar key;
    bool taken;
  } cases[] = {
      {"123", -1, 0, '+', true},         {"123", -1, 3, '+', false},
      {"123", -1, 1, '+', false},        {"", -1, 0, '+', true},
      {"+12", -1, 0, '+', false},        {"-12", -1, 0, '+', false},
      {"+12", 0, 1, '+', true},          {"+12", 0, 3, '+', true},
      {"+12", 1, 1, '+', false},         {"12", -1, 1, '7', true},
      {"+12", -1, 3, '0', true},         {"123", -1, 0, 'a', false},
      {"123", -1, 3, '-', false},        {"123", -1, 3, ' ', false},
      {"", -1, 0, QChar(0x0663), false}, {"123", -1, 3, QChar(8), true},
      {"", -1, 0, QChar(8), true},       {"1", -1, 1, QChar(27), true},
      {"1", -1, 1, QChar(13), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " key " + std::to_string(c.key.unicode()));
    QLineEdit edit(c.text);
    if (c.selectFrom >= 0)
      edit.setSelection(c.selectFrom, c.at);
    else
      edit.setCursorPosition(c.at);
    QChar key = c.key;
    NumericKeyFilter(&edit, key);
    EXPECT_EQ(!key.isNull(), c.taken);
    if (c.taken) {
      EXPECT_EQ(key, c.key);
    }
  }
}

TEST_F(WidgetHelpers, AFilteredBoxTakesOnlyWhatTheFilterAllows) {
  QLineEdit edit;
  InstallNumericKeyFilter(&edit);
  edit.show();
  QTest::keyClicks(&edit, "1a2 b+3");
  EXPECT_EQ(edit.text(), "123");
  edit.setCursorPosition(0);
  QTest::keyClicks(&edit, "+");
  EXPECT_EQ(edit.text(), "+123");
  QTest::keyClicks(&edit, "+");
  EXPECT_EQ(edit.text(), "+123");
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "+12");
  QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);  // shortcuts pass
  EXPECT_EQ(edit.selectedText(), "+12");
  QTest::keyClicks(&edit, "+");
  EXPECT_EQ(edit.text(), "+");
}

// ---- tree check boxes ----------------------------------------------------------------------

namespace {

// Groups A (a1, a2; a1 has a child a1x), B (b1) and C (empty), shown so that points map to nodes.
struct CheckTree {
  QTreeWidget tree;
  std::map<QString, QTreeWidgetItem*> node;

  CheckTree() {
    tree.setHeaderHidden(true);
    EnableTreeCheckBoxes(&tree);
    auto add = [this](QTreeWidgetItem* parent, const QString& name) {
      auto* item =
          parent ? new QTreeWidgetItem(parent, {name}) : new QTreeWidgetItem(&tree, {name});
      node[name] = item;
    };
    add(nullptr, "A");
    add(node["A"], "a1");
    add(node["A"], "a2");
    add(node["a1"], "a1x");
    add(nullptr, "B");
    add(node["B"], "b1");
    add(nullptr, "C");
    tree.expandAll();
    tree.resize(300, 400);
    tree.show();
  }
  QString Checked() const {
    QStringList names;
    for (const auto& [name, item] : node)
      if (IsNodeChecked(item)) names << name;
    return names.join(',');
  }
  void ClickOn(const QString& name) {
    const QPoint at = tree.visualItemRect(node.at(name)).center();
    TreeCheckClick(&tree, at.x(), at.y());
  }
};

}  // namespace

TEST_F(WidgetHelpers, EveryNodeGetsACheckBoxAlsoWhenAddedLater) {
  CheckTree t;
  for (const auto& [name, item] : t.node) {
    EXPECT_TRUE(item->flags() & Qt::ItemIsUserCheckable) << name.toStdString();
    EXPECT_EQ(item->checkState(0), Qt::Unchecked) << name.toStdString();
  }
  auto* late = new QTreeWidgetItem(t.node["C"], {"c1"});
  EXPECT_EQ(late->checkState(0), Qt::Unchecked);
  auto* group = new QTreeWidgetItem({"D"});
  new QTreeWidgetItem(group, {"d1"});
  t.tree.addTopLevelItem(group);
  EXPECT_EQ(group->child(0)->checkState(0), Qt::Unchecked);
  SetNodeChecked(late, true);
  EXPECT_TRUE(IsNodeChecked(late));
  EXPECT_EQ(late->checkState(0), Qt::Checked);
  EXPECT_FALSE(IsNodeChecked(nullptr));
}

TEST_F(WidgetHelpers, ACheckClickHandsTheStateDownFromAGroupAndUpFromAMember) {
  const struct {
    const char* name;
    QStringList checked;  // before the click
    const char* clicked;
    const char* after;
  } cases[] = {
      {"group checked: all members follow", {"A"}, "A", "A,a1,a2"},
      {"group unchecked: all members follow", {"a1", "a2"}, "A", ""},
      {"member checked, sibling not: group stays unchecked", {"a1"}, "a1", "a1"},
      {"last member checked: group becomes checked", {"a1", "a2"}, "a2", "A,a1,a2"},
      {"member unchecked: group becomes unchecked", {"A", "a2"}, "a1", "a2"},
      {"only member checked", {"b1"}, "b1", "B,b1"},
      {"empty group checked", {"C"}, "C", "C"},
      {"a third-level node changes nothing", {"a1x"}, "a1x", "a1x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CheckTree t;
    for (const QString& name : c.checked) SetNodeChecked(t.node[name], true);
    t.ClickOn(c.clicked);
    EXPECT_EQ(t.Checked(), c.after);
  }
  CheckTree t;
  SetNodeChecked(t.node["A"], true);
  TreeCheckClick(&t.tree, 5, t.tree.viewport()->height() - 2);  // below the last node
  EXPECT_EQ(t.Checked(), "A");
  TreeCheckClick(nullptr, 0, 0);
}

// ---- user tree helpers ---------------------------------------------------------------------

namespace {

struct User {
  QString UName;
  QString UID;
};

QTreeWidgetItem* AddGroup(QTreeWidget& tree, int id, const QString& text) {
  auto* group = new QTreeWidgetItem(&tree, {text});
  group->setData(0, GroupIdRole, id);
  return group;
}

QStringList Children(const QTreeWidgetItem* group) {
  QStringList texts;
  for (int i = 0; i < group->childCount(); ++i) texts << group->child(i)->text(0);
  return texts;
}

}  // namespace

Q_DECLARE_METATYPE(User)

TEST_F(WidgetHelpers, AddUserNodeKeepsTheGroupInUidOrder) {
  QTreeWidget tree;
  SetTreeImages(&tree, {QIcon(), QIcon(":/pictures/show_user.png"), QIcon(":/pictures/close.png")});
  AddGroup(tree, 3, "Staff(2)");
  QTreeWidgetItem* group = AddGroup(tree, 7, "Guests(0)");
  AddGroup(tree, 0, "Ungrouped Users(0)");
  const struct {
    const char* name;
    const char* uid;
  } users[] = {{"Bea", "0010"}, {"Al", "0002"}, {"Cy", "0005"},
               {"Di", "0001"},  {"Ed", "0100"}, {"Fi", "001"}};
  for (const auto& u : users) {
    QTreeWidgetItem* node = AddUserNode(&tree, 7, User{u.name, u.uid});
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(tree.currentItem(), node);
    EXPECT_EQ(node->data(0, ImageIndexRole).toInt(), 1);
    EXPECT_EQ(node->data(0, SelectedImageIndexRole).toInt(), 2);
    EXPECT_FALSE(node->icon(0).isNull());
    EXPECT_EQ(node->data(0, NodeDataRole).value<User>().UName, u.name);
  }
  // Ordinal text order: "001" sorts after "0005" and before "0010".
  EXPECT_EQ(Children(group), QStringList({"Di (0001)", "Al (0002)", "Cy (0005)", "Fi (001)",
                                          "Bea (0010)", "Ed (0100)"}));
  EXPECT_EQ(AddUserNode(&tree, 99, User{"Nobody", "0003"}), nullptr);
  EXPECT_EQ(tree.currentItem()->text(0), "Fi (001)");
  EXPECT_EQ(AddUserNode(nullptr, 7, User{"Nobody", "0003"}), nullptr);
}

TEST_F(WidgetHelpers, FindGroupNodeAndCollapseGroups) {
  QTreeWidget tree;
  QTreeWidgetItem* staff = AddGroup(tree, 3, "Staff");
  QTreeWidgetItem* found = AddGroup(tree, -1, "Found result:");
  QTreeWidgetItem* ungrouped = AddGroup(tree, 0, "Ungrouped Users");
  auto* plain = new QTreeWidgetItem(&tree, {"no group id"});
  EXPECT_EQ(FindGroupNode(&tree, 3), staff);
  EXPECT_EQ(FindGroupNode(&tree, -1), found);
  EXPECT_EQ(FindGroupNode(&tree, 0), ungrouped);
  EXPECT_EQ(FindGroupNode(&tree, 4), nullptr);
  EXPECT_EQ(FindGroupNode(nullptr, 3), nullptr);

  auto* member = new QTreeWidgetItem(staff, {"Al"});
  new QTreeWidgetItem(member, {"detail"});
  new QTreeWidgetItem(plain, {"x"});
  tree.expandAll();
  CollapseGroups(&tree);
  for (QTreeWidgetItem* node : {staff, member, found, ungrouped, plain})
    EXPECT_FALSE(node->isExpanded()) << node->text(0).toStdString();
  CollapseGroups(nullptr);
}

TEST_F(WidgetHelpers, UpdateGroupCountRewritesTheCountOfTheSelectedGroup) {
  const struct {
    const char* text;
    bool selectUser;
    const char* after;
  } cases[] = {{"Staff(3)", false, "Staff(4)"},
               {"Staff(3)", true, "Staff(4)"},
               {"Staff", false, "(4)"},
               {"Night (shift)(9)", false, "Night (4)"},
               {"(0)", true, "(4)"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    QTreeWidget tree;
    QTreeWidgetItem* group = AddGroup(tree, 1, c.text);
    for (int i = 0; i < 4; ++i) new QTreeWidgetItem(group, {QString::number(i)});
    tree.setCurrentItem(c.selectUser ? group->child(2) : group);
    UpdateGroupCount(&tree);
    EXPECT_EQ(group->text(0), c.after);
  }
  QTreeWidget tree;
  QTreeWidgetItem* group = AddGroup(tree, 1, "Staff(3)");
  UpdateGroupCount(&tree);  // nothing selected
  EXPECT_EQ(group->text(0), "Staff(3)");
  UpdateGroupCount(nullptr);
}
