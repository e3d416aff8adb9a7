#include "screens/PageFrame.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTreeWidget>

#include "platform/Pictures.h"
#include "platform/Translation.h"

QColor PageColour() {
  return QColor(193, 217, 229);
}

void PaintPageColour(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, PageColour());
  palette.setColor(QPalette::Base, PageColour());
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetupPageTree(QTreeWidget* tree) {
  tree->setHeaderHidden(true);
  tree->setColumnCount(1);
  tree->setFrameShape(QFrame::NoFrame);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->setAllColumnsShowFocus(true);
  tree->setMouseTracking(true);  // hot tracking
  tree->setIndentation(23);
  tree->setIconSize(QSize(20, 20));
  tree->setContextMenuPolicy(Qt::CustomContextMenu);  // right click selects, the page pops up
  QPalette palette = tree->palette();
  palette.setColor(QPalette::Base, PageColour());
  // The selection stays visible while the tree has no focus.
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  tree->setPalette(palette);
}

TSearchBand MakeSearchBand(QWidget* parent) {
  TSearchBand band;
  band.plM = new QFrame(parent);
  band.plM->setObjectName(QStringLiteral("plM"));
  band.plM->setFixedHeight(35);
  auto* grid = new QGridLayout(band.plM);
  grid->setContentsMargins(0, 0, 0, 0);
  band.imgBand = StretchedPicture(QStringLiteral("band_bottom.png"), band.plM, "imgBand");
  grid->addWidget(band.imgBand, 0, 0);
  auto* tools = new QWidget(band.plM);
  band.row = new QHBoxLayout(tools);
  band.row->setContentsMargins(4, 4, 4, 4);
  band.row->setSpacing(2);
  // Long captions in some language must not widen the page and push its help view aside.
  band.row->setSizeConstraint(QLayout::SetNoConstraint);
  tools->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  band.edtSearch = new QLineEdit(_("Search ..."), tools);
  band.edtSearch->setObjectName(QStringLiteral("edtSearch"));
  band.edtSearch->setFrame(false);
  band.edtSearch->setMinimumWidth(68);
  band.row->addWidget(band.edtSearch, 1);
  grid->addWidget(tools, 0, 0);
  return band;
}
