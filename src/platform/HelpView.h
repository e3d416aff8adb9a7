// The help view of a page: shows a local HTML help file, without scroll bars and without a
// context menu. Links to other local pages are followed; links to the web open in the browser.
#pragma once

#include <QTextBrowser>

class THelpView : public QTextBrowser {
  Q_OBJECT

 public:
  explicit THelpView(QWidget* parent = nullptr);

  // Shows the file, loading it anew when it is already shown. A missing file gives an empty
  // page. DocumentComplete follows each load.
  void Navigate(const QString& fileName);
  // The file shown, empty when none.
  QString CurrentFile() const { return currentFile; }

 signals:
  void DocumentComplete();

 private:
  QString currentFile;
};
