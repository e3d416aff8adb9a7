// Helpers of the user tree (user page and user dialogs). Top-level nodes are user groups,
// second-level nodes are users. The helpers read the keys they compare from roles of their
// own, so they work with whatever record a node carries:
//   GroupIdRole  top-level node: the group id (UGrpId)
//   UserIdRole   second-level node: the user's UID
//   NodeDataRole the record the node stands for (a TUserGrp or a TUserInfo)
// Every helper swallows its errors; a missing node or selection just does nothing.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QVariant>

class QTreeWidget;
class QTreeWidgetItem;

constexpr int NodeDataRole = Qt::UserRole;
constexpr int GroupIdRole = Qt::UserRole + 1;
constexpr int UserIdRole = Qt::UserRole + 2;
constexpr int ImageIndexRole = Qt::UserRole + 3;
constexpr int SelectedImageIndexRole = Qt::UserRole + 4;

// The first top-level node whose group id equals `groupId`, or nullptr.
QTreeWidgetItem* FindGroupNode(QTreeWidget* tree, int groupId);

// Under the group's node, inserts the node UName + " (" + UID + ")" before the first user
// whose UID is greater (ordinal text comparison), or last. The new node is selected, with
// image 1 and selected image 2. Returns it; nullptr when the group's node is not found.
QTreeWidgetItem* AddUserNode(QTreeWidget* tree, int groupId, const QString& UName,
                             const QString& UID, const QVariant& user);
template <class UserRecord>
QTreeWidgetItem* AddUserNode(QTreeWidget* tree, int groupId, const UserRecord& user) {
  return AddUserNode(tree, groupId, user.UName, user.UID, QVariant::fromValue(user));
}

// Rewrites the selected group's text (or the selected user's group's) as the part before its
// first "(" followed by "(" + number of its users + ")".
void UpdateGroupCount(QTreeWidget* tree);

// Collapses every expanded top-level node together with its children.
void CollapseGroups(QTreeWidget* tree);

// The image list of a tree: node images are given by position in it.
void SetTreeImages(QTreeWidget* tree, const QList<QIcon>& images);
// Shows image `image` for the node, and `selectedImage` while it is selected.
void SetNodeImages(QTreeWidgetItem* node, int image, int selectedImage);
