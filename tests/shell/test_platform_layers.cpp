// Our platform layers: translation of forms, the help view, the skin, the single-instance
// guard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ShellTest.h"
#include "platform/FormTranslation.h"
#include "platform/HelpView.h"
#include "platform/SingleInstance.h"
#include "platform/Skin.h"
#include "platform/Translation.h"

class PlatformLayers : public ShellTest {};

namespace {

// A form with one caption of each kind, all catalogue keys of the shipped catalogues.
struct SampleForm {
  QWidget form;
  QLabel* label;
  QLabel* kept;
  QPushButton* button;
  QGroupBox* box;
  QLineEdit* edit;
  QTabWidget* tabs;
  QTreeWidget* tree;
  QMenu* menu;
  QAction* action;

  SampleForm() {
    form.setWindowTitle("Configuration");
    auto* layout = new QVBoxLayout(&form);
    label = new QLabel("Language:", &form);
    kept = new QLabel("Door", &form);  // a name that happens to be a key
    gw::KeepUntranslated(kept);
    button = new QPushButton("&Cancel", &form);
    button->setToolTip("Help");
    box = new QGroupBox("Tools", &form);
    edit = new QLineEdit("User", &form);  // contents, not a caption
    edit->setPlaceholderText("Search ...");
    tabs = new QTabWidget(&form);
    tabs->addTab(new QWidget, "User");
    tabs->addTab(new QWidget, "Door");
    tree = new QTreeWidget(&form);
    tree->setHeaderLabels({"User", "Door"});
    auto* bar = new QMenuBar(&form);
    menu = bar->addMenu("Tools");
    action = menu->addAction("About");
    menu->addSeparator();
    for (QWidget* w :
         {static_cast<QWidget*>(label), static_cast<QWidget*>(kept), static_cast<QWidget*>(button),
          static_cast<QWidget*>(box), static_cast<QWidget*>(edit), static_cast<QWidget*>(tabs),
          static_cast<QWidget*>(tree)})
      layout->addWidget(w);
  }

  QStringList Captions() const {
    return {form.windowTitle(),
            label->text(),
            kept->text(),
            button->text(),
            button->toolTip(),
            box->title(),
            edit->text(),
            edit->placeholderText(),
            tabs->tabText(0),
            tabs->tabText(1),
            tree->headerItem()->text(0),
            tree->headerItem()->text(1),
            menu->title(),
            action->text()};
  }
};

const QStringList kEnglish = {"Configuration", "Language:", "Door",       "&Cancel", "Help",
                              "Tools",         "User",      "Search ...", "User",    "Door",
                              "User",          "Door",      "Tools",      "About"};
const QStringList kGerman = {"Einstellungen", "Sprache:", "Door",       "&Abbrechen", "Hilfe",
                             "Werkzeuge",     "User",     "Suchen ...", "Benutzer",   "Türen",
                             "Benutzer",      "Türen",    "Werkzeuge",  "Info"};

}  // namespace

TEST_F(PlatformLayers, FormsTranslateBackAndForthAndLeaveDataAlone) {
  SampleForm f;
  gw::TranslateForm(&f.form);
  EXPECT_EQ(f.Captions(), kEnglish);
  gw::UseLanguage("de");
  gw::TranslateForm(&f.form);
  EXPECT_EQ(f.Captions(), kGerman);
  gw::TranslateForm(&f.form);  // again in the same language: nothing doubles up
  EXPECT_EQ(f.Captions(), kGerman);
  gw::UseLanguage("zh_CN");
  gw::TranslateForm(&f.form);
  EXPECT_EQ(f.label->text(), QString::fromUtf8("语言："));
  gw::UseLanguage("en");
  gw::TranslateForm(&f.form);
  EXPECT_EQ(f.Captions(), kEnglish);
}

TEST_F(PlatformLayers, ACaptionTheProgramChangedBecomesItsNewSource) {
  SampleForm f;
  gw::UseLanguage("de");
  gw::TranslateForm(&f.form);
  f.label->setText("Serial Port:");  // the program writes an untranslated key
  f.box->setTitle("3 doors");        // or a text of its own
  gw::TranslateForm(&f.form);
  EXPECT_EQ(f.label->text(), "Serielle Schnittstelle:");
  EXPECT_EQ(f.box->title(), "3 doors");
  gw::UseLanguage("en");
  gw::TranslateForm(&f.form);
  EXPECT_EQ(f.label->text(), "Serial Port:");
  EXPECT_EQ(f.box->title(), "3 doors");
}

TEST_F(PlatformLayers, TheHelpViewShowsLocalPagesWithoutScrollBarsOrMenu) {
  THelpView view;
  QSignalSpy loaded(&view, &THelpView::DocumentComplete);
  view.resize(320, 100);
  view.show();
  EXPECT_EQ(view.contextMenuPolicy(), Qt::NoContextMenu);
  view.Navigate(Path("html/Tool_en.htm"));  // longer than 100 pixels
  EXPECT_EQ(view.CurrentFile(), Path("html/Tool_en.htm"));
  EXPECT_TRUE(view.toPlainText().contains("Synchronize"));
  EXPECT_FALSE(view.verticalScrollBar()->isVisible());
  EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
  view.Navigate(Path("html/Tool_en.htm"));  // shown anew
  EXPECT_EQ(loaded.count(), 2);
  view.Navigate(Path("html/Tool_fr.htm"));  // a page no language ships
  EXPECT_TRUE(view.CurrentFile().isEmpty());
  EXPECT_TRUE(view.toPlainText().isEmpty());
  EXPECT_EQ(loaded.count(), 3);
}

TEST_F(PlatformLayers, EveryHelpPageOfEveryLanguageIsThereAndNamedByTheCatalogue) {
  for (const char* code : {"en", "de", "zh_CN"}) {
    gw::UseLanguage(code);
    for (const char* page : {"User_en.htm", "Door_en.htm", "Limit_en.htm", "Tool_en.htm"}) {
      const QString file = _(page);
      SCOPED_TRACE((QString(code) + " " + file).toStdString());
      EXPECT_TRUE(file.endsWith(QString("_") + code + ".htm"));
      QFile html(Path("html/" + file));
      ASSERT_TRUE(html.open(QIODevice::ReadOnly));
      const QString text = QString::fromUtf8(html.readAll());
      EXPECT_TRUE(text.contains("charset=\"utf-8\"") || text.contains("charset=utf-8"));
      EXPECT_TRUE(text.contains("<h1>"));
    }
  }
}

TEST_F(PlatformLayers, TheSkinIsAStyleSheetAndAMissingOneChangesNothing) {
  EXPECT_FALSE(gw::StartSkin("plex.urf"));  // not in the test installation
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  ASSERT_TRUE(QFile::copy(SourceRoot() + "/resources/plex.urf", Path("plex.urf")));
  EXPECT_TRUE(gw::StartSkin("plex.urf"));
  EXPECT_TRUE(qApp->styleSheet().contains("QPushButton"));
  EXPECT_TRUE(gw::StartSkin(Path("plex.urf")));  // an absolute name too
}

TEST_F(PlatformLayers, TheGuardAdmitsOneHolderAtATime) {
  auto first = std::make_unique<TSingleInstance>("Tallowin_Kv300_60");
  EXPECT_TRUE(first->LockFileName().startsWith(runtimeDir->path()));
  ASSERT_TRUE(first->TryAcquire());
  EXPECT_TRUE(first->TryAcquire());  // holding it already
  TSingleInstance second("Tallowin_Kv300_60");
  EXPECT_FALSE(second.TryAcquire());
  EXPECT_FALSE(second.IsHeld());
  TSingleInstance other("Another_Name");
  EXPECT_TRUE(other.TryAcquire());

  // A holder that has run for long still holds: age alone never makes a lock stale.
  QFile lock(first->LockFileName());
  ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
  ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addDays(-2),
                               QFileDevice::FileModificationTime));
  lock.close();
  EXPECT_FALSE(second.TryAcquire());

  first.reset();
  EXPECT_TRUE(second.TryAcquire());
}

TEST_F(PlatformLayers, WithoutARuntimeFolderTheGuardLivesInTheTemporaryFolderPerUser) {
  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(TSingleInstance::DefaultFolder(), QDir::tempPath());
  const QByteArray user = qgetenv("USER");
  qputenv("USER", "alice");
  EXPECT_TRUE(TSingleInstance("Tallowin_Kv300_60")
                  .LockFileName()
                  .endsWith("/Tallowin_Kv300_60-alice.lock"));
  qputenv("USER", user);
}
