#include "app/bll_TreeView.h"

#include <QTreeWidget>

QTreeWidgetItem* FindGroupNode(QTreeWidget* tree, int groupId) {
  if (!tree) return nullptr;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* node = tree->topLevelItem(i);
    const QVariant id = node->data(0, GroupIdRole);
    if (id.isValid() && id.toInt() == groupId) return node;
  }
  return nullptr;
}

QTreeWidgetItem* AddUserNode(QTreeWidget* tree, int groupId, const QString& UName,
                             const QString& UID, const QVariant& user) {
  QTreeWidgetItem* group = FindGroupNode(tree, groupId);
  if (!group) return nullptr;
  int position = group->childCount();
  for (int i = 0; i < group->childCount(); ++i) {
    if (group->child(i)->data(0, UserIdRole).toString().compare(UID) > 0) {
      position = i;
      break;
    }
  }
  auto* node = new QTreeWidgetItem;
  node->setText(0, UName + QStringLiteral(" (") + UID + QStringLiteral(")"));
  node->setData(0, UserIdRole, UID);
  node->setData(0, NodeDataRole, user);
  group->insertChild(position, node);
  SetNodeImages(node, 1, 2);
  tree->setCurrentItem(node);
  return node;
}

void UpdateGroupCount(QTreeWidget* tree) {
  if (!tree) return;
  QTreeWidgetItem* node = tree->currentItem();
  if (!node) return;
  if (node->parent()) node = node->parent();
  const QString text = node->text(0);
  const int open = text.indexOf(QLatin1Char('('));
  const QString name = open >= 0 ? text.left(open) : QString();
  node->setText(
      0, name + QStringLiteral("(") + QString::number(node->childCount()) + QStringLiteral(")"));
}

void CollapseGroups(QTreeWidget* tree) {
  if (!tree) return;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* group = tree->topLevelItem(i);
    if (!group->isExpanded()) continue;
    for (int j = 0; j < group->childCount(); ++j) group->child(j)->setExpanded(false);
    group->setExpanded(false);
  }
}

namespace {

const char* kImagesProperty = "_gw_images";

}  // namespace

void SetTreeImages(QTreeWidget* tree, const QList<QIcon>& images) {
  if (tree) tree->setProperty(kImagesProperty, QVariant::fromValue(images));
}

void SetNodeImages(QTreeWidgetItem* node, int image, int selectedImage) {
  if (!node) return;
  node->setData(0, ImageIndexRole, image);
  node->setData(0, SelectedImageIndexRole, selectedImage);
  QTreeWidget* tree = node->treeWidget();
  if (!tree) return;
  const auto images = tree->property(kImagesProperty).value<QList<QIcon>>();
  QIcon icon;
  if (image >= 0 && image < images.size()) {
    for (const QSize& size : images[image].availableSizes())
      icon.addPixmap(images[image].pixmap(size), QIcon::Normal);
  }
  if (selectedImage >= 0 && selectedImage < images.size()) {
    for (const QSize& size : images[selectedImage].availableSizes())
      icon.addPixmap(images[selectedImage].pixmap(size), QIcon::Selected);
  }
  node->setIcon(0, icon);
}
