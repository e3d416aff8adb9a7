#include "platform/HelpView.h"

#include <QFileInfo>
#include <QUrl>

THelpView::THelpView(QWidget* parent) : QTextBrowser(parent) {
  // Help pages are laid out for the width of the view and read like a panel, not a document.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFrameShape(QFrame::NoFrame);
  setOpenExternalLinks(true);
  connect(this, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    currentFile = url.isLocalFile() ? url.toLocalFile() : QString();
  });
}

void THelpView::Navigate(const QString& fileName) {
  if (!QFileInfo::exists(fileName)) {
    currentFile.clear();
    clear();
    emit DocumentComplete();
    return;
  }
  const QUrl url = QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath());
  if (source() == url) {
    reload();
  } else {
    setSource(url, QTextDocument::HtmlResource);
  }
  currentFile = url.toLocalFile();
  emit DocumentComplete();
}
